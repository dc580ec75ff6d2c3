#include "ui/history/history_timeline.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "base/grouped_number.h"
#include "base/local_date.h"
#include "ui/shell/point_tips.h"

namespace orlenda {
namespace {

constexpr double kMargin = 12;
constexpr double kPointRadius = 3.5;
constexpr double kReachPixels = 8;  // how near the mouse must be to a point to name it

QString QtText(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

HistoryTimeline::HistoryTimeline(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Timeline"));
  setMinimumSize(320, 120);
  ShowPointTips(*this, [this](QPoint position) {
    const std::optional<std::size_t> index = PointAt(position);
    return index ? PointText(*index) : QString();
  });
}

void HistoryTimeline::SetStates(const std::vector<KeptState>& states) {
  states_ = states;
  layout_ = LayOutTimeline(states_);
  if (highlight_ && *highlight_ >= layout_.points.size()) highlight_.reset();
  update();
}

void HistoryTimeline::Highlight(std::optional<std::size_t> index) {
  if (index == highlight_) return;
  highlight_ = index;
  setAccessibleDescription(index ? PointText(*index) : QString());
  update();
}

QString HistoryTimeline::PointText(std::size_t index) const {
  const KeptState& state = states_.at(index);
  const int won = state.summary.missionsWon;
  return QStringLiteral("State %1, %2: campaign total %3, %4 %5 won")
      .arg(state.number)
      .arg(QtText(LocalDateTimeText(state.firstSeen)), QtText(GroupedNumber(state.summary.campaignTotal)))
      .arg(won)
      .arg(won == 1 ? QStringLiteral("mission") : QStringLiteral("missions"));
}

QRectF HistoryTimeline::Plot() const { return QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin); }

QPointF HistoryTimeline::Where(double x, double y) const {
  const QRectF plot = Plot();
  return {plot.left() + x * plot.width(), plot.bottom() - y * plot.height()};
}

// Each line is drawn through the points its plot's pixel columns show (history/timeline_layout.h), so
// that a history of ten thousand states draws as fast as one of a few hundred.
void HistoryTimeline::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), palette().base());
  painter.setPen(palette().mid().color());
  painter.drawRect(Plot());
  const int columns = static_cast<int>(std::ceil(Plot().width()));
  const struct {
    double TimelinePoint::*y;
    QColor color;
  } lines[] = {{&TimelinePoint::missionsY, palette().mid().color()},
               {&TimelinePoint::totalY, palette().highlight().color()}};
  for (const auto& line : lines) {
    const VisibleLine visible = VisiblePoints(layout_, line.y, columns);
    const auto at = [&](std::size_t index) {
      return Where(layout_.points[index].x, layout_.points[index].*line.y);
    };
    QList<QPointF> path;
    path.reserve(static_cast<qsizetype>(visible.path.size()));
    for (const std::size_t index : visible.path) path.append(at(index));
    painter.setPen(QPen(line.color, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(path.constData(), static_cast<int>(path.size()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(line.color);
    for (const std::size_t index : visible.dots) painter.drawEllipse(at(index), kPointRadius, kPointRadius);
  }
  if (!highlight_) return;
  const TimelinePoint& point = layout_.points[*highlight_];
  painter.setPen(QPen(palette().text().color(), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(Where(point.x, point.totalY), kPointRadius * 2, kPointRadius * 2);
}

void HistoryTimeline::keyPressEvent(QKeyEvent* event) {
  const std::size_t count = layout_.points.size();
  switch (event->key()) {
    case Qt::Key_Left:
      return Choose(SteppedPoint(layout_, highlight_, -1));
    case Qt::Key_Right:
      return Choose(SteppedPoint(layout_, highlight_, +1));
    case Qt::Key_Home:
      return Choose(count != 0 ? std::optional<std::size_t>(0) : std::nullopt);
    case Qt::Key_End:
      return Choose(count != 0 ? std::optional<std::size_t>(count - 1) : std::nullopt);
    default:
      QWidget::keyPressEvent(event);
  }
}

std::optional<std::size_t> HistoryTimeline::PointAt(QPointF position) const {
  const QRectF plot = Plot();
  if (plot.width() <= 0) return std::nullopt;
  return PointNear(layout_, (position.x() - plot.left()) / plot.width(), kReachPixels / plot.width());
}

void HistoryTimeline::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (auto index = PointAt(event->position())) Choose(index);
}

void HistoryTimeline::Choose(std::optional<std::size_t> index) {
  if (!index || index == highlight_) return;
  Highlight(index);
  if (pointChosen) pointChosen(*index);
}

}  // namespace orlenda

#include "ui/charts/career_chart_canvas.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "ui/shell/point_tips.h"

namespace orlenda {
namespace {

// The keys that walk the chart, each with its step.
constexpr std::pair<int, ChartStep> kKeySteps[] = {
    {Qt::Key_Left, ChartStep::kPrevious}, {Qt::Key_Right, ChartStep::kNext},
    {Qt::Key_Home, ChartStep::kFirst},    {Qt::Key_End, ChartStep::kLast},
    {Qt::Key_Up, ChartStep::kPilotUp},    {Qt::Key_Down, ChartStep::kPilotDown},
};

std::optional<ChartStep> StepOfKey(int key) {
  for (const auto& [stepKey, step] : kKeySteps)
    if (stepKey == key) return step;
  return std::nullopt;
}

}  // namespace

CareerChartCanvas::CareerChartCanvas(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(QStringLiteral("Score chart"));
  setMinimumSize(320, 200);
  ShowPointTips(*this, [this](QPoint position) {
    const std::optional<ChartPoint> point = picture_.PointAt(position, QRectF(rect()), QFontMetricsF(font()));
    return point ? picture_.Summary(*point) : QString();
  });
}

void CareerChartCanvas::SetCareers(std::vector<PilotCareer> careers) {
  picture_.SetCareers(std::move(careers));
  PictureChanged();
}

void CareerChartCanvas::SetSimulator(bool simulator) {
  picture_.SetSimulator(simulator);
  PictureChanged();
}

void CareerChartCanvas::PictureChanged() {
  if (highlight_ && !picture_.Holds(*highlight_)) highlight_.reset();
  update();
  Announce();
}

QString CareerChartCanvas::StatusText() const {
  if (highlight_) return picture_.Summary(*highlight_);
  return picture_.ShowsLines()
             ? QStringLiteral("Left and Right step through the missions, Up and Down through the pilots.")
             : QStringLiteral("Left and Right step through the missions.");
}

QImage CareerChartCanvas::Render(const QSize& size) const {
  const qreal ratio = devicePixelRatioF();
  QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  QPainter painter(&image);
  painter.setFont(font());
  picture_.Draw(painter, QRectF(QPointF(0, 0), QSizeF(size)), palette());
  return image;
}

void CareerChartCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  picture_.Draw(painter, QRectF(rect()), palette(), highlight_);
  if (!hasFocus()) return;
  QPen focus(palette().color(QPalette::Highlight), 1, Qt::DotLine);
  painter.setPen(focus);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CareerChartCanvas::keyPressEvent(QKeyEvent* event) {
  const std::optional<ChartStep> step = StepOfKey(event->key());
  if (!step) {
    QWidget::keyPressEvent(event);
    return;
  }
  Highlight(picture_.Step(highlight_, *step));
}

void CareerChartCanvas::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  Highlight(picture_.PointAt(event->position(), QRectF(rect()), QFontMetricsF(font())));
}

void CareerChartCanvas::Highlight(std::optional<ChartPoint> point) {
  if (point == highlight_) return;
  highlight_ = point;
  update();
  Announce();
}

// The status line shows the text; a screen reader hears it as the chart's new value.
void CareerChartCanvas::Announce() {
  const QString text = StatusText();
  setAccessibleDescription(text);
  QAccessibleValueChangeEvent changed(this, text);
  QAccessible::updateAccessibility(&changed);
  emit StatusChanged(text);
}

}  // namespace orlenda

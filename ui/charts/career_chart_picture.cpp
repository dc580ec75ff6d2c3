#include "ui/charts/career_chart_picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>

#include "roster/career_scale.h"

namespace orlenda {
namespace {

QString QtText(const std::string& text) { return QString::fromStdString(text); }

bool IsDark(const QPalette& palette) { return palette.color(QPalette::Base).lightness() < 128; }

struct ChartColours {
  QColor background;
  QColor text;
  QColor grid;
  QColor score;
  QColor bonus;
  QColor error;
  QColor highlight;
};

// Score and bonus keep their hues on either palette, lighter on a dark one.
ChartColours ColoursFor(const QPalette& palette) {
  const bool dark = IsDark(palette);
  ChartColours colours;
  colours.background = palette.color(QPalette::Base);
  colours.text = palette.color(QPalette::Text);
  colours.grid = palette.color(QPalette::Text);
  colours.grid.setAlpha(40);
  colours.score = dark ? QColor(0x6f, 0xa8, 0xff) : QColor(0x2f, 0x62, 0xb0);
  colours.bonus = dark ? QColor(0xff, 0xb3, 0x47) : QColor(0xe0, 0x84, 0x10);
  colours.error = dark ? QColor(0xff, 0x6b, 0x6b) : QColor(0xc0, 0x00, 0x00);
  colours.highlight = palette.color(QPalette::Highlight);
  return colours;
}

// Eight hues that stay apart for most eyes; further pilots take them again with another dash. The
// lines are one device pixel wide, which the raster engine draws several times faster than wider ones
// (20 pilots' lines in a few milliseconds at any scale factor); the highlighted pilot's is wider.
QPen PilotPen(int pilot, const QPalette& palette, double width = 1) {
  static constexpr std::array<QRgb, 8> kLight{0x0072b2, 0xd55e00, 0x009e73, 0xcc79a7,
                                              0x8a6d00, 0x56b4e9, 0x555555, 0x7b3294};
  static constexpr std::array<QRgb, 8> kDark{0x56b4e9, 0xff8c42, 0x3ddc97, 0xf0a3d0,
                                             0xf0e442, 0x9ecae1, 0xcccccc, 0xc2a5cf};
  static constexpr std::array<Qt::PenStyle, 3> kStyles{Qt::SolidLine, Qt::DashLine, Qt::DotLine};
  const auto index = static_cast<std::size_t>(pilot);
  QPen pen(QColor::fromRgb((IsDark(palette) ? kDark : kLight)[index % kLight.size()]), width);
  pen.setStyle(kStyles[(index / kLight.size()) % kStyles.size()]);
  pen.setCosmetic(true);
  return pen;
}

enum class Swatch { kScore, kBonus, kActive, kPilot };

struct LegendEntry {
  Swatch swatch;
  int pilot = 0;
  QString text;
  bool error = false;
  QRectF place;
};

}  // namespace

struct CareerChartPicture::Layout {
  double line = 0;  // the height of a line of text
  QRectF area;
  QRectF plot;
  ValueScale scale;
  int columns = 1;
  std::vector<int> missionTicks;
  std::vector<LegendEntry> legend;

  double Y(std::int64_t value) const {
    const double share = static_cast<double>(value - scale.low) / static_cast<double>(scale.high - scale.low);
    return plot.bottom() - share * plot.height();
  }
  double SlotWidth() const { return plot.width() / columns; }
  double X(int number) const { return plot.left() + (number - 0.5) * SlotWidth(); }
  QRectF Column(int number) const {
    return {plot.left() + (number - 1) * SlotWidth(), plot.top(), SlotWidth(), plot.height()};
  }
};

void CareerChartPicture::SetCareers(std::vector<PilotCareer> careers) { careers_ = std::move(careers); }

void CareerChartPicture::SetSimulator(bool simulator) { simulator_ = simulator; }

const std::vector<CareerMission>& CareerChartPicture::MissionsOf(int pilot) const {
  const PilotCareer& career = careers_[static_cast<std::size_t>(pilot)];
  return simulator_ && !ShowsLines() ? career.simulator : career.campaign;
}

bool CareerChartPicture::Holds(ChartPoint point) const {
  return point.pilot >= 0 && point.pilot < static_cast<int>(careers_.size()) && point.mission >= 0 &&
         point.mission < static_cast<int>(MissionsOf(point.pilot).size());
}

QString CareerChartPicture::Title() const {
  if (careers_.empty()) return QStringLiteral("No pilot to show");
  if (ShowsLines()) return QStringLiteral("Running campaign total of %1 pilots").arg(careers_.size());
  const PilotCareer& career = careers_.front();
  return QtText(career.pilotName + " (" + career.fileName + "): ") +
         (simulator_ ? QStringLiteral("combat simulator missions") : QStringLiteral("campaign missions"));
}

QString CareerChartPicture::Summary(ChartPoint point) const {
  if (!Holds(point)) return {};
  const CareerMission& mission = MissionsOf(point.pilot)[static_cast<std::size_t>(point.mission)];
  if (!ShowsLines()) return QtText(MissionSummary(mission));
  return QtText(careers_[static_cast<std::size_t>(point.pilot)].pilotName + ", " +
                RunningTotalSummary(mission));
}

// The bars' columns: the missions, and after the campaign's the mission the pilot flies next.
int CareerChartPicture::ColumnCount() const {
  int columns = 1;
  for (int pilot = 0; pilot < static_cast<int>(careers_.size()); ++pilot)
    columns = std::max(columns, static_cast<int>(MissionsOf(pilot).size()));
  if (careers_.size() == 1 && !simulator_ && careers_.front().activeMission)
    columns = std::max(columns, *careers_.front().activeMission);
  return columns;
}

CareerChartPicture::Layout CareerChartPicture::LayoutFor(const QRectF& area,
                                                         const QFontMetricsF& metrics) const {
  Layout layout;
  layout.line = metrics.height();
  layout.area = area;
  const double margin = layout.line * 0.6;
  const double swatch = layout.line * 1.6;

  // The legend flows in rows along the bottom.
  if (!ShowsLines() && !careers_.empty()) {
    layout.legend.push_back({Swatch::kScore, 0, QStringLiteral("Score"), false, {}});
    layout.legend.push_back({Swatch::kBonus, 0, QStringLiteral("Bonus"), false, {}});
    const PilotCareer& career = careers_.front();
    if (!simulator_ && career.activeMission)
      layout.legend.push_back(
          {Swatch::kActive, 0, QtText("Active mission: " + career.activeMissionLabel), false, {}});
  }
  for (int pilot = 0; ShowsLines() && pilot < static_cast<int>(careers_.size()); ++pilot) {
    const PilotCareer& career = careers_[static_cast<std::size_t>(pilot)];
    std::string text = career.pilotName + " (" + career.fileName + ")";
    if (career.checkErrorCount > 0) text += ": " + CheckErrorNote(career.checkErrorCount);
    layout.legend.push_back({Swatch::kPilot, pilot, QtText(text), career.checkErrorCount > 0, {}});
  }
  double x = area.left() + margin;
  int rows = layout.legend.empty() ? 0 : 1;
  for (LegendEntry& entry : layout.legend) {
    const double width = swatch + layout.line * 0.4 + metrics.horizontalAdvance(entry.text);
    if (x > area.left() + margin && x + width > area.right() - margin) {
      x = area.left() + margin;
      ++rows;
    }
    entry.place = QRectF(x, rows - 1, width, layout.line);  // the row for now; placed below
    x += width + layout.line * 1.2;
  }
  const double legendTop = area.bottom() - margin - rows * layout.line;
  for (LegendEntry& entry : layout.legend) entry.place.moveTop(legendTop + entry.place.top() * layout.line);

  const bool note = !ShowsLines() && !careers_.empty() && careers_.front().checkErrorCount > 0;
  const double top = area.top() + margin + layout.line * (note ? 2.5 : 1.5);
  const double bottom = legendTop - layout.line * (rows > 0 ? 2.6 : 2.1);
  const double plotHeight = std::max(1.0, bottom - top);
  const int maxTicks = std::max(3, static_cast<int>(plotHeight / (layout.line * 2)));
  if (ShowsLines()) {
    layout.scale = RunningTotalScale(careers_, maxTicks);
  } else {
    layout.scale = BarScale(careers_.empty() ? std::vector<CareerMission>{} : MissionsOf(0), maxTicks);
  }
  double labelWidth = 0;
  for (const ScaleTick& tick : layout.scale.ticks)
    labelWidth = std::max(labelWidth, metrics.horizontalAdvance(QtText(tick.label)));
  const double left = area.left() + margin + labelWidth + layout.line * 0.5;
  layout.plot = QRectF(left, top, std::max(1.0, area.right() - margin - left), plotHeight);
  layout.columns = ColumnCount();
  const double numberWidth = metrics.horizontalAdvance(QString::number(layout.columns)) + layout.line;
  layout.missionTicks =
      MissionTicks(1, layout.columns, std::max(1, static_cast<int>(layout.plot.width() / numberWidth)));
  return layout;
}

void CareerChartPicture::Draw(QPainter& painter, const QRectF& area, const QPalette& palette,
                              std::optional<ChartPoint> highlight) const {
  const Layout layout = LayoutFor(area, QFontMetricsF(painter.font()));
  painter.save();
  painter.fillRect(area, ColoursFor(palette).background);
  DrawTitle(painter, layout, palette);
  DrawAxes(painter, layout, palette);
  if (highlight && !Holds(*highlight)) highlight.reset();
  if (ShowsLines())
    DrawLines(painter, layout, palette, highlight);
  else
    DrawBars(painter, layout, palette, highlight);
  DrawLegend(painter, layout, palette);
  painter.restore();
}

void CareerChartPicture::DrawTitle(QPainter& painter, const Layout& layout, const QPalette& palette) const {
  const ChartColours colours = ColoursFor(palette);
  const double margin = layout.line * 0.6;
  const double width = layout.area.width() - 2 * margin;
  QRectF line(layout.area.left() + margin, layout.area.top() + margin, width, layout.line);
  const QFont plain = painter.font();
  QFont bold = plain;
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(colours.text);
  painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetricsF(bold).elidedText(Title(), Qt::ElideMiddle, width));
  painter.setFont(plain);
  if (ShowsLines() || careers_.empty() || careers_.front().checkErrorCount == 0) return;
  painter.setPen(colours.error);
  line.translate(0, layout.line);
  painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                   QtText(CheckErrorNote(careers_.front().checkErrorCount)));
}

void CareerChartPicture::DrawAxes(QPainter& painter, const Layout& layout, const QPalette& palette) const {
  const ChartColours colours = ColoursFor(palette);
  const QRectF& plot = layout.plot;
  for (const ScaleTick& tick : layout.scale.ticks) {
    const double y = layout.Y(tick.value);
    painter.setPen(tick.value == 0 ? colours.text : colours.grid);
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    painter.setPen(colours.text);
    const QRectF label(layout.area.left(), y - layout.line / 2,
                       plot.left() - layout.area.left() - layout.line * 0.3, layout.line);
    painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QtText(tick.label));
  }
  painter.setPen(colours.text);
  painter.drawLine(plot.bottomLeft(), plot.topLeft());
  const double slot = layout.SlotWidth();
  for (int number : layout.missionTicks) {
    const QRectF label(layout.X(number) - slot / 2 - layout.line * 2, plot.bottom() + layout.line * 0.2,
                       slot + layout.line * 4, layout.line);
    painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, QString::number(number));
  }
  const QString caption = simulator_ && !ShowsLines() ? QStringLiteral("Combat simulator mission")
                                                      : QStringLiteral("Campaign mission");
  painter.drawText(QRectF(plot.left(), plot.bottom() + layout.line * 1.2, plot.width(), layout.line),
                   Qt::AlignHCenter | Qt::AlignTop, caption);
  if (careers_.empty() || (!ShowsLines() && MissionsOf(0).empty())) {
    const QString none = careers_.empty() ? QStringLiteral("No pilot to show")
                         : simulator_     ? QStringLiteral("No combat simulator missions")
                                          : QStringLiteral("No completed campaign missions");
    painter.drawText(plot, Qt::AlignCenter, none);
  }
}

void CareerChartPicture::DrawBars(QPainter& painter, const Layout& layout, const QPalette& palette,
                                  std::optional<ChartPoint> highlight) const {
  if (careers_.empty()) return;
  const ChartColours colours = ColoursFor(palette);
  const PilotCareer& career = careers_.front();
  if (!simulator_ && career.activeMission) {
    QPen dashed(colours.text, 1, Qt::DashLine);
    dashed.setCosmetic(true);
    painter.setPen(dashed);
    painter.setBrush(Qt::NoBrush);
    const QRectF column = layout.Column(*career.activeMission);
    painter.drawRect(column.adjusted(column.width() * 0.12, 0, -column.width() * 0.12, 0));
  }
  if (highlight) {
    QColor shade = colours.highlight;
    shade.setAlpha(60);
    painter.fillRect(layout.Column(highlight->mission + 1), shade);
  }
  const double width = std::max(1.0, layout.SlotWidth() * 0.75);
  const double zero = layout.Y(0);
  for (const CareerMission& mission : MissionsOf(0)) {
    const BarStack stack = StackOf(mission.values);
    const double x = layout.X(mission.number) - width / 2;
    const double scoreY = layout.Y(stack.scoreTop);
    painter.fillRect(QRectF(QPointF(x, zero), QPointF(x + width, scoreY)).normalized(), colours.score);
    painter.fillRect(QRectF(QPointF(x, scoreY), QPointF(x + width, layout.Y(stack.bonusTop))).normalized(),
                     colours.bonus);
  }
  if (!highlight) return;
  const CareerMission& chosen = MissionsOf(0)[static_cast<std::size_t>(highlight->mission)];
  const BarStack stack = StackOf(chosen.values);
  const double x = layout.X(chosen.number) - width / 2;
  const double low = std::min({zero, layout.Y(stack.scoreTop), layout.Y(stack.bonusTop)});
  const double high = std::max({zero, layout.Y(stack.scoreTop), layout.Y(stack.bonusTop)});
  QPen outline(colours.text, 2);
  outline.setCosmetic(true);
  painter.setPen(outline);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(x - 1, low - 1, width + 2, high - low + 2));
}

void CareerChartPicture::DrawLines(QPainter& painter, const Layout& layout, const QPalette& palette,
                                   std::optional<ChartPoint> highlight) const {
  painter.setRenderHint(QPainter::Antialiasing, true);
  const bool dots = layout.SlotWidth() >= layout.line * 0.5;
  QPolygonF points;
  for (int pilot = 0; pilot < static_cast<int>(careers_.size()); ++pilot) {
    points.clear();
    for (const CareerMission& mission : MissionsOf(pilot))
      points.append(QPointF(layout.X(mission.number), layout.Y(mission.runningTotal)));
    const QPen pen = PilotPen(pilot, palette, highlight && highlight->pilot == pilot ? 2.5 : 1);
    painter.setPen(pen);
    painter.drawPolyline(points);
    if (!dots) continue;
    painter.setBrush(pen.color());
    painter.setPen(Qt::NoPen);
    for (const QPointF& point : points) painter.drawEllipse(point, 2.5, 2.5);
  }
  if (!highlight) return;
  const CareerMission& chosen = MissionsOf(highlight->pilot)[static_cast<std::size_t>(highlight->mission)];
  const QPointF point(layout.X(chosen.number), layout.Y(chosen.runningTotal));
  QPen guide(ColoursFor(palette).highlight, 1, Qt::DashLine);
  guide.setCosmetic(true);
  painter.setPen(guide);
  painter.drawLine(QPointF(point.x(), layout.plot.top()), QPointF(point.x(), layout.plot.bottom()));
  QPen ring = PilotPen(highlight->pilot, palette, 2);
  ring.setStyle(Qt::SolidLine);
  painter.setPen(ring);
  painter.setBrush(ColoursFor(palette).background);
  painter.drawEllipse(point, layout.line * 0.35, layout.line * 0.35);
}

void CareerChartPicture::DrawLegend(QPainter& painter, const Layout& layout, const QPalette& palette) const {
  const ChartColours colours = ColoursFor(palette);
  const double swatch = layout.line * 1.6;
  for (const LegendEntry& entry : layout.legend) {
    const QRectF mark(entry.place.left(), entry.place.top() + layout.line * 0.2, swatch, layout.line * 0.6);
    switch (entry.swatch) {
      case Swatch::kScore:
      case Swatch::kBonus:
        painter.fillRect(mark, entry.swatch == Swatch::kScore ? colours.score : colours.bonus);
        break;
      case Swatch::kActive: {
        QPen dashed(colours.text, 1, Qt::DashLine);
        dashed.setCosmetic(true);
        painter.setPen(dashed);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(mark);
        break;
      }
      case Swatch::kPilot:
        painter.setPen(PilotPen(entry.pilot, palette, 2));
        painter.drawLine(QPointF(mark.left(), mark.center().y()), QPointF(mark.right(), mark.center().y()));
        break;
    }
    painter.setPen(entry.error ? colours.error : colours.text);
    const QRectF text = entry.place.adjusted(swatch + layout.line * 0.4, 0, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, entry.text);
  }
}

std::optional<ChartPoint> CareerChartPicture::PointAt(const QPointF& position, const QRectF& area,
                                                      const QFontMetricsF& metrics) const {
  if (careers_.empty()) return std::nullopt;
  const Layout layout = LayoutFor(area, metrics);
  if (!layout.plot.contains(position)) return std::nullopt;
  const int mission = static_cast<int>((position.x() - layout.plot.left()) / layout.SlotWidth());
  std::optional<ChartPoint> nearest;
  double distance = layout.line;  // a line's point is found within a line's height
  for (int pilot = 0; pilot < static_cast<int>(careers_.size()); ++pilot) {
    const ChartPoint point{pilot, mission};
    if (!Holds(point)) continue;
    if (!ShowsLines()) return point;
    const CareerMission& chosen = MissionsOf(pilot)[static_cast<std::size_t>(mission)];
    const double away = std::abs(layout.Y(chosen.runningTotal) - position.y());
    if (away <= distance) {
      distance = away;
      nearest = point;
    }
  }
  return nearest;
}

std::optional<ChartPoint> CareerChartPicture::Step(std::optional<ChartPoint> from, ChartStep step) const {
  const int pilots = static_cast<int>(careers_.size());
  const auto lastOf = [this](int pilot) { return static_cast<int>(MissionsOf(pilot).size()) - 1; };
  // The next pilot in that direction that has missions, starting with `pilot` itself.
  const auto pilotFrom = [&](int pilot, int direction) -> std::optional<int> {
    for (; pilot >= 0 && pilot < pilots; pilot += direction)
      if (lastOf(pilot) >= 0) return pilot;
    return std::nullopt;
  };
  if (!from || !Holds(*from)) {
    const std::optional<int> pilot = pilotFrom(0, 1);
    if (!pilot) return std::nullopt;
    const bool backward = step == ChartStep::kPrevious || step == ChartStep::kLast;
    return ChartPoint{*pilot, backward ? lastOf(*pilot) : 0};
  }
  ChartPoint point = *from;
  switch (step) {
    case ChartStep::kPrevious:
      point.mission = std::max(0, point.mission - 1);
      break;
    case ChartStep::kNext:
      point.mission = std::min(lastOf(point.pilot), point.mission + 1);
      break;
    case ChartStep::kFirst:
      point.mission = 0;
      break;
    case ChartStep::kLast:
      point.mission = lastOf(point.pilot);
      break;
    case ChartStep::kPilotUp:
    case ChartStep::kPilotDown: {
      const int direction = step == ChartStep::kPilotDown ? 1 : -1;
      const std::optional<int> pilot = pilotFrom(point.pilot + direction, direction);
      if (!pilot) break;
      point.pilot = *pilot;
      point.mission = std::min(point.mission, lastOf(*pilot));
      break;
    }
  }
  return point;
}

}  // namespace orlenda

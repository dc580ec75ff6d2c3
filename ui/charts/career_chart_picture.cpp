#include "ui/charts/career_chart_picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/display_text.h"
#include "ui/charts/career_chart_painters.h"

namespace orlenda {
namespace {

QString QtText(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void CareerChartPicture::SetCareers(std::vector<PilotCareer> careers) { careers_ = std::move(careers); }

void CareerChartPicture::SetSimulator(bool simulator) { simulator_ = simulator; }

const std::vector<CareerMission>& CareerChartPicture::MissionsOf(int pilot) const {
  return ChartMissionsOf(careers_, pilot, simulator_);
}

bool CareerChartPicture::Holds(ChartPoint point) const {
  return point.pilot >= 0 && point.pilot < static_cast<int>(careers_.size()) && point.mission >= 0 &&
         point.mission < static_cast<int>(MissionsOf(point.pilot).size());
}

QString CareerChartPicture::Title() const {
  if (careers_.empty()) return QStringLiteral("No pilot to show");
  if (ShowsLines()) return QStringLiteral("Running campaign total of %1 pilots").arg(careers_.size());
  const PilotCareer& career = careers_.front();
  return QtText(career.pilotName + " (" + EscapedText(career.fileName) + "): ") +
         (simulator_ ? QStringLiteral("combat simulator missions") : QStringLiteral("campaign missions"));
}

QString CareerChartPicture::Summary(ChartPoint point) const {
  if (!Holds(point)) return {};
  const CareerMission& mission = MissionsOf(point.pilot)[static_cast<std::size_t>(point.mission)];
  if (!ShowsLines()) return QtText(MissionSummary(mission));
  return QtText(careers_[static_cast<std::size_t>(point.pilot)].pilotName + ", " +
                RunningTotalSummary(mission));
}

ChartLayout CareerChartPicture::Layout(const QRectF& area, const QFontMetricsF& metrics) const {
  return LayOutChart(careers_, simulator_, area, metrics);
}

void CareerChartPicture::Draw(QPainter& painter, const QRectF& area, const QPalette& palette,
                              std::optional<ChartPoint> highlight) const {
  const ChartLayout layout = Layout(area, QFontMetricsF(painter.font()));
  if (highlight && !Holds(*highlight)) highlight.reset();
  painter.save();
  PaintBackground(painter, layout, palette);
  PaintBattles(painter, layout, palette);
  PaintTitle(painter, layout, palette, Title());
  PaintAxes(painter, layout, palette);
  if (ShowsLines())
    DrawLines(painter, layout, palette, highlight);
  else
    PaintBars(painter, layout, palette, highlight ? std::optional(highlight->mission) : std::nullopt);
  PaintLegend(painter, layout, palette);
  painter.restore();
}

QPointF CareerChartPicture::LinePoint(const ChartLayout& layout, ChartPoint point) const {
  const CareerMission& mission = MissionsOf(point.pilot)[static_cast<std::size_t>(point.mission)];
  return {layout.X(mission.number), layout.Y(mission.runningTotal)};
}

void CareerChartPicture::DrawLines(QPainter& painter, const ChartLayout& layout, const QPalette& palette,
                                   std::optional<ChartPoint> highlight) const {
  std::vector<std::vector<QPointF>> lines(careers_.size());
  for (int pilot = 0; pilot < static_cast<int>(careers_.size()); ++pilot)
    for (int mission = 0; mission <= LastOf(pilot); ++mission)
      lines[static_cast<std::size_t>(pilot)].push_back(LinePoint(layout, {pilot, mission}));
  std::optional<int> pilot;
  std::optional<QPointF> point;
  if (highlight) {
    pilot = highlight->pilot;
    point = LinePoint(layout, *highlight);
  }
  PaintLines(painter, layout, palette, lines, pilot, point);
}

std::optional<int> CareerChartPicture::MissionNumbered(int pilot, int number) const {
  const std::vector<CareerMission>& missions = MissionsOf(pilot);
  const auto found = std::lower_bound(missions.begin(), missions.end(), number,
                                      [](const CareerMission& m, int n) { return m.number < n; });
  if (found == missions.end() || found->number != number) return std::nullopt;
  return static_cast<int>(found - missions.begin());
}

std::optional<ChartPoint> CareerChartPicture::PointAt(const QPointF& position, const QRectF& area,
                                                      const QFontMetricsF& metrics) const {
  if (careers_.empty()) return std::nullopt;
  const ChartLayout layout = Layout(area, metrics);
  if (!layout.plot.contains(position)) return std::nullopt;
  const int number = static_cast<int>((position.x() - layout.plot.left()) / layout.SlotWidth()) + 1;
  std::optional<ChartPoint> nearest;
  double distance = layout.line;  // a line's point is found within a line's height
  for (int pilot = 0; pilot < static_cast<int>(careers_.size()); ++pilot) {
    const std::optional<int> mission = MissionNumbered(pilot, number);
    if (!mission) continue;
    const ChartPoint point{pilot, *mission};
    if (!ShowsLines()) return point;
    const double away = std::abs(LinePoint(layout, point).y() - position.y());
    if (away <= distance) {
      distance = away;
      nearest = point;
    }
  }
  return nearest;
}

std::optional<int> CareerChartPicture::PilotFrom(int pilot, int direction) const {
  for (; pilot >= 0 && pilot < static_cast<int>(careers_.size()); pilot += direction)
    if (LastOf(pilot) >= 0) return pilot;
  return std::nullopt;
}

std::optional<ChartPoint> CareerChartPicture::Step(std::optional<ChartPoint> from, ChartStep step) const {
  if (!from || !Holds(*from)) {
    const std::optional<int> pilot = PilotFrom(0, 1);
    if (!pilot) return std::nullopt;
    const bool backward = step == ChartStep::kPrevious || step == ChartStep::kLast;
    return ChartPoint{*pilot, backward ? LastOf(*pilot) : 0};
  }
  ChartPoint point = *from;
  switch (step) {
    case ChartStep::kPrevious:
      point.mission = std::max(0, point.mission - 1);
      break;
    case ChartStep::kNext:
      point.mission = std::min(LastOf(point.pilot), point.mission + 1);
      break;
    case ChartStep::kFirst:
      point.mission = 0;
      break;
    case ChartStep::kLast:
      point.mission = LastOf(point.pilot);
      break;
    case ChartStep::kPilotUp:
    case ChartStep::kPilotDown: {
      const int direction = step == ChartStep::kPilotDown ? 1 : -1;
      const std::optional<int> pilot = PilotFrom(point.pilot + direction, direction);
      if (!pilot) break;
      point = {*pilot, std::min(point.mission, LastOf(*pilot))};
      break;
    }
  }
  return point;
}

}  // namespace orlenda

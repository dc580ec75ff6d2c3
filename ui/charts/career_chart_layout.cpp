#include "ui/charts/career_chart_layout.h"

#include <QFontMetricsF>
#include <algorithm>

#include "base/display_text.h"
#include "report/consistency_check.h"

namespace orlenda {
namespace {

constexpr int kHues = 8;

QString QtText(const std::string& text) { return QString::fromStdString(text); }

bool ShowsLines(const std::vector<PilotCareer>& careers) { return careers.size() > 1; }

bool ShowsActive(const std::vector<PilotCareer>& careers, bool simulator) {
  return careers.size() == 1 && !simulator && careers.front().activeMission.has_value();
}

std::vector<LegendEntry> LegendEntriesOf(const std::vector<PilotCareer>& careers, bool simulator) {
  std::vector<LegendEntry> legend;
  if (careers.size() == 1) {
    legend.push_back({Swatch::kScore, 0, QStringLiteral("Score"), false, {}});
    legend.push_back({Swatch::kBonus, 0, QStringLiteral("Bonus"), false, {}});
    if (ShowsActive(careers, simulator))
      legend.push_back(
          {Swatch::kActive, 0, QtText("Active mission: " + careers.front().activeMissionLabel), false, {}});
  }
  for (int pilot = 0; ShowsLines(careers) && pilot < static_cast<int>(careers.size()); ++pilot) {
    const PilotCareer& career = careers[static_cast<std::size_t>(pilot)];
    std::string text = career.pilotName + " (" + EscapedText(career.fileName) + ")";
    if (career.checkErrorCount > 0) text += ": " + CheckErrorCountText(career.checkErrorCount);
    legend.push_back({Swatch::kPilot, pilot, QtText(text), career.checkErrorCount > 0, {}});
  }
  return legend;
}

// Flows the legend in rows along the bottom of `area`; gives the top of its first row.
double FlowLegend(std::vector<LegendEntry>& legend, const QRectF& area, const QFontMetricsF& metrics) {
  const double line = metrics.height();
  const double margin = line * 0.6;
  double x = area.left() + margin;
  int rows = legend.empty() ? 0 : 1;
  for (LegendEntry& entry : legend) {
    const double width = line * 2 + metrics.horizontalAdvance(entry.text);
    if (x > area.left() + margin && x + width > area.right() - margin) {
      x = area.left() + margin;
      ++rows;
    }
    entry.place = QRectF(x, rows - 1, width, line);  // the row for now; placed below
    x += width + line * 1.2;
  }
  const double top = area.bottom() - margin - rows * line;
  for (LegendEntry& entry : legend) entry.place.moveTop(top + entry.place.top() * line);
  return top - line * (rows > 0 ? 2.6 : 2.1);
}

// The columns: up to the highest mission number drawn, and the mission the pilot flies next.
int ColumnCount(const std::vector<PilotCareer>& careers, bool simulator) {
  int columns = 1;
  for (int pilot = 0; pilot < static_cast<int>(careers.size()); ++pilot) {
    const std::vector<CareerMission>& missions = ChartMissionsOf(careers, pilot, simulator);
    if (!missions.empty()) columns = std::max(columns, missions.back().number);
  }
  if (ShowsActive(careers, simulator)) columns = std::max(columns, *careers.front().activeMission);
  return columns;
}

ValueScale ScaleOf(const std::vector<PilotCareer>& careers, bool simulator, int maxTicks) {
  if (ShowsLines(careers)) return RunningTotalScale(careers, maxTicks);
  return BarScale(careers.empty() ? std::vector<CareerMission>{} : ChartMissionsOf(careers, 0, simulator),
                  maxTicks);
}

// The plot between the title (and the check's note) and the legend, right of the value labels.
void PlacePlot(ChartLayout& layout, const std::vector<PilotCareer>& careers, bool simulator, double bottom,
               const QFontMetricsF& metrics) {
  const double margin = layout.line * 0.6;
  const double top = layout.area.top() + margin + layout.line * (layout.note.isEmpty() ? 1.5 : 2.5);
  const double height = std::max(1.0, bottom - top);
  layout.scale = ScaleOf(careers, simulator, std::max(3, static_cast<int>(height / (layout.line * 2))));
  double labelWidth = 0;
  for (const ScaleTick& tick : layout.scale.ticks)
    labelWidth = std::max(labelWidth, metrics.horizontalAdvance(QtText(tick.label)));
  const double left = layout.area.left() + margin + labelWidth + layout.line * 0.5;
  layout.plot = QRectF(left, top, std::max(1.0, layout.area.right() - margin - left), height);
  layout.columns = ColumnCount(careers, simulator);
  const double numberWidth = metrics.horizontalAdvance(QString::number(layout.columns)) + layout.line;
  layout.missionTicks =
      MissionTicks(1, layout.columns, std::max(1, static_cast<int>(layout.plot.width() / numberWidth)));
}

void PlaceBars(ChartLayout& layout, const std::vector<CareerMission>& missions) {
  const double width = std::max(1.0, layout.SlotWidth() * 0.75);
  const double zero = layout.Y(0);
  for (std::size_t i = 0; i < missions.size(); ++i) {
    const BarStack stack = StackOf(missions[i].values);
    const double x = layout.X(missions[i].number) - width / 2;
    const double scoreY = layout.Y(stack.scoreTop);
    layout.bars.push_back(
        {static_cast<int>(i), layout.Column(missions[i].number),
         QRectF(QPointF(x, zero), QPointF(x + width, scoreY)).normalized(),
         QRectF(QPointF(x, scoreY), QPointF(x + width, layout.Y(stack.bonusTop))).normalized()});
  }
}

// The battles of every pilot drawn, each once.
void PlaceBattles(ChartLayout& layout, const std::vector<PilotCareer>& careers) {
  for (const PilotCareer& career : careers)
    for (const CareerBattle& battle : career.battles) {
      const double left = layout.Column(battle.firstMission).left();
      const double right = layout.Column(std::min(battle.lastMission, layout.columns)).right();
      const BattleMark mark{QRectF(left, layout.plot.top(), right - left, layout.plot.height()),
                            QtText(battle.label)};
      const bool known = std::any_of(layout.battles.begin(), layout.battles.end(), [&](const BattleMark& m) {
        return m.band == mark.band && m.label == mark.label;
      });
      if (!known) layout.battles.push_back(mark);
    }
}

QString EmptyTextOf(const std::vector<PilotCareer>& careers, bool simulator) {
  if (careers.empty()) return QStringLiteral("No pilot to show");
  if (ShowsLines(careers) || !ChartMissionsOf(careers, 0, simulator).empty()) return {};
  return simulator ? QStringLiteral("No combat simulator missions")
                   : QStringLiteral("No flown campaign missions");
}

}  // namespace

PilotStyle PilotStyleOf(int pilot) { return {pilot % kHues, pilot / kHues}; }

double ChartLayout::Y(std::int64_t value) const {
  const double share = static_cast<double>(value - scale.low) / static_cast<double>(scale.high - scale.low);
  return plot.bottom() - share * plot.height();
}

QRectF ChartLayout::Column(int number) const {
  return {plot.left() + (number - 1) * SlotWidth(), plot.top(), SlotWidth(), plot.height()};
}

const std::vector<CareerMission>& ChartMissionsOf(const std::vector<PilotCareer>& careers, int pilot,
                                                  bool simulator) {
  const PilotCareer& career = careers[static_cast<std::size_t>(pilot)];
  return simulator && !ShowsLines(careers) ? career.simulator : career.campaign;
}

ChartLayout LayOutChart(const std::vector<PilotCareer>& careers, bool simulator, const QRectF& area,
                        const QFontMetricsF& metrics) {
  ChartLayout layout;
  layout.line = metrics.height();
  layout.area = area;
  if (careers.size() == 1) layout.note = QtText(CheckErrorCountText(careers.front().checkErrorCount));
  layout.legend = LegendEntriesOf(careers, simulator);
  PlacePlot(layout, careers, simulator, FlowLegend(layout.legend, area, metrics), metrics);
  layout.caption = simulator && !ShowsLines(careers) ? QStringLiteral("Combat simulator mission")
                                                     : QStringLiteral("Campaign mission");
  layout.emptyText = EmptyTextOf(careers, simulator);
  if (ShowsActive(careers, simulator)) layout.activeColumn = layout.Column(*careers.front().activeMission);
  if (careers.size() == 1) PlaceBars(layout, ChartMissionsOf(careers, 0, simulator));
  if (!simulator || ShowsLines(careers)) PlaceBattles(layout, careers);
  return layout;
}

}  // namespace orlenda

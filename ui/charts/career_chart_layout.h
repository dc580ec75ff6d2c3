#pragma once

// Where the score chart puts everything, worked out without painting: the title and the check's note,
// the plot and its axes, a rectangle per bar, the battles' bands, the legend's entries and the style of
// each pilot's line. Tests check this; the painters only draw it.

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "roster/career.h"
#include "roster/career_scale.h"

class QFontMetricsF;

namespace orlenda {

// A pilot's line: one of eight hues, and a dash that tells apart the pilots that share a hue. No two
// pilots get the same pair, however many there are.
struct PilotStyle {
  int hue = 0;   // 0..7
  int dash = 0;  // 0 solid, 1 dashed, 2 dotted, then dashes of growing length
  friend bool operator==(const PilotStyle&, const PilotStyle&) = default;
};
PilotStyle PilotStyleOf(int pilot);

enum class Swatch { kScore, kBonus, kActive, kPilot };

struct LegendEntry {
  Swatch swatch = Swatch::kScore;
  int pilot = 0;
  QString text;
  bool error = false;
  QRectF place;
};

// A mission's bar: the score from 0, the bonus stacked on it.
struct ChartBar {
  int mission = 0;  // the mission's place among the pilot's
  QRectF column;    // the mission number's whole column
  QRectF score;
  QRectF bonus;
};

// A battle's columns, marked above the plot with its name.
struct BattleMark {
  QRectF band;
  QString label;  // "Battle 8"
};

struct ChartLayout {
  double line = 0;  // the height of a line of text
  QRectF area;
  QRectF plot;
  ValueScale scale;
  int columns = 1;  // one per mission number, from 1
  std::vector<int> missionTicks;
  std::vector<LegendEntry> legend;
  std::vector<ChartBar> bars;
  std::vector<BattleMark> battles;
  std::optional<QRectF> activeColumn;  // the mission the pilot flies next, dashed
  QString note;                        // the check's count, in red under the title
  QString caption;                     // under the mission axis
  QString emptyText;                   // in the plot when there is nothing to draw

  double Y(std::int64_t value) const;
  double SlotWidth() const { return plot.width() / columns; }
  double X(int number) const { return plot.left() + (number - 0.5) * SlotWidth(); }
  QRectF Column(int number) const;
};

// The missions that the chart draws for each pilot: the campaign's, or with one pilot the combat
// simulator's when `simulator` is set.
const std::vector<CareerMission>& ChartMissionsOf(const std::vector<PilotCareer>& careers, int pilot,
                                                  bool simulator);

ChartLayout LayOutChart(const std::vector<PilotCareer>& careers, bool simulator, const QRectF& area,
                        const QFontMetricsF& metrics);

}  // namespace orlenda

#pragma once

// The picture of the score charts from the career model: for one pilot a bar per mission (the score,
// the bonus stacked on it), for several pilots their running campaign totals as lines, the battles
// marked on either. The layout (career_chart_layout.h) places everything and the painters draw it;
// this holds the careers, finds the mission under a point and steps between missions for the keyboard.

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "roster/career.h"
#include "ui/charts/career_chart_layout.h"

class QFontMetricsF;
class QPainter;
class QPalette;
class QPointF;

namespace orlenda {

// A mission of the chart: the pilot's place among the careers and the mission's among the pilot's.
struct ChartPoint {
  int pilot = 0;
  int mission = 0;
  friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

enum class ChartStep { kPrevious, kNext, kFirst, kLast, kPilotUp, kPilotDown };

class CareerChartPicture {
 public:
  // One career gives the bars, several give the lines.
  void SetCareers(std::vector<PilotCareer> careers);
  // The bars show the combat simulator missions instead of the campaign's.
  void SetSimulator(bool simulator);

  const std::vector<PilotCareer>& careers() const { return careers_; }
  bool ShowsLines() const { return careers_.size() > 1; }
  bool ShowsSimulator() const { return simulator_; }
  QString Title() const;
  ChartLayout Layout(const QRectF& area, const QFontMetricsF& metrics) const;

  void Draw(QPainter& painter, const QRectF& area, const QPalette& palette,
            std::optional<ChartPoint> highlight = std::nullopt) const;

  // The mission drawn at `position`, if any: the bar's column, or the nearest point of a line.
  std::optional<ChartPoint> PointAt(const QPointF& position, const QRectF& area,
                                    const QFontMetricsF& metrics) const;
  std::optional<ChartPoint> Step(std::optional<ChartPoint> from, ChartStep step) const;
  // What a tooltip and the status line say of the mission.
  QString Summary(ChartPoint point) const;
  bool Holds(ChartPoint point) const;

 private:
  const std::vector<CareerMission>& MissionsOf(int pilot) const;
  int LastOf(int pilot) const { return static_cast<int>(MissionsOf(pilot).size()) - 1; }
  // The next pilot in `direction` that has missions, starting with `pilot` itself.
  std::optional<int> PilotFrom(int pilot, int direction) const;
  std::optional<int> MissionNumbered(int pilot, int number) const;
  QPointF LinePoint(const ChartLayout& layout, ChartPoint point) const;
  void DrawLines(QPainter& painter, const ChartLayout& layout, const QPalette& palette,
                 std::optional<ChartPoint> highlight) const;

  std::vector<PilotCareer> careers_;
  bool simulator_ = false;
};

}  // namespace orlenda

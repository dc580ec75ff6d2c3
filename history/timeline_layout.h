#pragma once

// Where the History window's timeline puts its points, without painting: one point per kept state, at
// the moment it was first seen along the time axis, its campaign total and missions won each scaled to
// the plot's height. Positions are fractions of the plot (0 left or bottom, 1 right or top), so that a
// picture of any size lays them out the same way.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "history/history_store.h"

namespace orlenda {

struct TimelinePoint {
  int state = 0;         // the state's number
  double x = 0;          // by time: the first state at 0, the last at 1; 0.5 when all share one moment
  double totalY = 0;     // the campaign total between the lowest (or zero) and the highest
  double missionsY = 0;  // missions won, from none to the most won
};

struct TimelineLayout {
  std::vector<TimelinePoint> points;  // in the states' order
  std::int64_t firstMoment = 0;       // the time axis's ends, seconds since 1970-01-01 UTC
  std::int64_t lastMoment = 0;
  std::int32_t lowestTotal = 0;  // the total axis's ends
  std::int32_t highestTotal = 0;
  int mostMissions = 0;
};

TimelineLayout LayOutTimeline(const std::vector<KeptState>& states);

// What a plot `columns` pixels wide draws of one line (`y`: &TimelinePoint::totalY or missionsY), so
// that a long history costs what its width costs: of the points that fall in one pixel column, the line
// goes through the first, the lowest, the highest and the last (in the states' order), which draws the
// same pixels as a line through all of them, and one dot stands for them all, at the last. Every point
// when no two share a column. Indices into layout.points.
struct VisibleLine {
  std::vector<std::size_t> path;
  std::vector<std::size_t> dots;
};
VisibleLine VisiblePoints(const TimelineLayout& layout, double TimelinePoint::*y, int columns);

// The point nearest to `x` along the time axis, within `reach` (a fraction of the width); nothing when
// no point is that near.
std::optional<std::size_t> PointNear(const TimelineLayout& layout, double x, double reach);

// The point `step` places from `from` (-1 the previous, +1 the next), kept within the points; the
// first (a step forward) or the last (a step back) when none is highlighted yet.
std::optional<std::size_t> SteppedPoint(const TimelineLayout& layout, std::optional<std::size_t> from,
                                        int step);

}  // namespace orlenda

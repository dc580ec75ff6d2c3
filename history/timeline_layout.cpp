#include "history/timeline_layout.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace orlenda {
namespace {

double Fraction(double value, double low, double high) {
  return high > low ? (value - low) / (high - low) : 0.5;
}

void FindAxes(const std::vector<KeptState>& states, TimelineLayout& layout) {
  layout.firstMoment = states.front().firstSeen;
  layout.lastMoment = states.front().firstSeen;
  for (const KeptState& state : states) {
    layout.firstMoment = std::min(layout.firstMoment, state.firstSeen);
    layout.lastMoment = std::max(layout.lastMoment, state.firstSeen);
    layout.lowestTotal = std::min(layout.lowestTotal, state.summary.campaignTotal);
    layout.highestTotal = std::max(layout.highestTotal, state.summary.campaignTotal);
    layout.mostMissions = std::max(layout.mostMissions, state.summary.missionsWon);
  }
}

int ColumnOf(double x, int columns) {
  return std::clamp(static_cast<int>(std::floor(x * columns)), 0, columns - 1);
}

// The points [first, end) of one column, into the line: its first, lowest, highest and last, in order.
void AddColumn(const TimelineLayout& layout, double TimelinePoint::*y, std::size_t first, std::size_t end,
               VisibleLine& line) {
  std::size_t lowest = first;
  std::size_t highest = first;
  for (std::size_t i = first; i < end; ++i) {
    if (layout.points[i].*y < layout.points[lowest].*y) lowest = i;
    if (layout.points[i].*y > layout.points[highest].*y) highest = i;
  }
  std::size_t kept[] = {first, lowest, highest, end - 1};
  std::sort(std::begin(kept), std::end(kept));
  for (std::size_t i = 0; i < std::size(kept); ++i)
    if (i == 0 || kept[i] != kept[i - 1]) line.path.push_back(kept[i]);
  line.dots.push_back(end - 1);
}

}  // namespace

VisibleLine VisiblePoints(const TimelineLayout& layout, double TimelinePoint::*y, int columns) {
  VisibleLine line;
  const std::size_t count = layout.points.size();
  columns = std::max(columns, 1);
  for (std::size_t first = 0; first < count;) {
    const int column = ColumnOf(layout.points[first].x, columns);
    std::size_t end = first + 1;
    while (end < count && ColumnOf(layout.points[end].x, columns) == column) ++end;
    AddColumn(layout, y, first, end, line);
    first = end;
  }
  return line;
}

TimelineLayout LayOutTimeline(const std::vector<KeptState>& states) {
  TimelineLayout layout;
  if (states.empty()) return layout;
  FindAxes(states, layout);
  const auto first = static_cast<double>(layout.firstMoment);
  const auto last = static_cast<double>(layout.lastMoment);
  for (const KeptState& state : states) {
    TimelinePoint point;
    point.state = state.number;
    point.x = Fraction(static_cast<double>(state.firstSeen), first, last);
    // Nothing won and a zero total lie on the bottom line, however flat the career.
    point.totalY = layout.highestTotal > layout.lowestTotal
                       ? Fraction(state.summary.campaignTotal, layout.lowestTotal, layout.highestTotal)
                       : 0;
    point.missionsY =
        layout.mostMissions > 0 ? Fraction(state.summary.missionsWon, 0, layout.mostMissions) : 0;
    layout.points.push_back(point);
  }
  return layout;
}

std::optional<std::size_t> PointNear(const TimelineLayout& layout, double x, double reach) {
  std::optional<std::size_t> nearest;
  double distance = reach;
  for (std::size_t i = 0; i < layout.points.size(); ++i) {
    const double d = std::fabs(layout.points[i].x - x);
    if (d <= distance) {  // of points at one moment, the later state: the one drawn on top
      distance = d;
      nearest = i;
    }
  }
  return nearest;
}

std::optional<std::size_t> SteppedPoint(const TimelineLayout& layout, std::optional<std::size_t> from,
                                        int step) {
  if (layout.points.empty()) return std::nullopt;
  const auto last = static_cast<long long>(layout.points.size()) - 1;
  if (!from) return step < 0 ? static_cast<std::size_t>(last) : 0;
  const long long to = std::clamp(static_cast<long long>(*from) + step, 0LL, last);
  return static_cast<std::size_t>(to);
}

}  // namespace orlenda

#pragma once

// The arithmetic of the score charts: the value axis with round ticks, the stack of a mission's bar,
// and which mission numbers the axis below names. The chart window only maps these to pixels.

#include <cstdint>
#include <string>
#include <vector>

#include "roster/career.h"

namespace orlenda {

struct ScaleTick {
  std::int64_t value = 0;
  std::string label;  // thousands grouped: "150,000"
};

// The value axis: from `low` to `high`, both multiples of the ticks' step, with 0 among the ticks.
struct ValueScale {
  std::int64_t low = 0;
  std::int64_t high = 1;
  std::vector<ScaleTick> ticks;
};

// An axis over `low` to `high` and 0, in round steps (1, 2 or 5 times a power of ten) such that it
// has at most `maxTicks` ticks (3 at least).
ValueScale RoundScale(std::int64_t low, std::int64_t high, int maxTicks);

// A bar stands on 0: the score first, the bonus stacked on it up to the total that the listings print
// (the 32-bit sum, wrapping as the file's int32), so that the bar never shows a number the report does
// not; a negative bonus draws downward from the score.
struct BarStack {
  std::int64_t scoreTop = 0;
  std::int64_t bonusTop = 0;
};
BarStack StackOf(const MissionValues& values);

// The axis for the bars of these missions, and for the running campaign totals of these careers.
ValueScale BarScale(const std::vector<CareerMission>& missions, int maxTicks);
ValueScale RunningTotalScale(const std::vector<PilotCareer>& careers, int maxTicks);

// The mission numbers from `first` to `last` that the axis below names when at most `maxLabels` fit:
// every one, or the first and every multiple of a round step (2, 5, 10, 20, 50...).
std::vector<int> MissionTicks(int first, int last, int maxLabels);

}  // namespace orlenda

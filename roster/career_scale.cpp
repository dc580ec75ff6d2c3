#include "roster/career_scale.h"

#include <algorithm>

#include "base/grouped_number.h"

namespace orlenda {
namespace {

// Division rounding toward minus and plus infinity, for axis ends below and above zero.
std::int64_t FloorDivide(std::int64_t value, std::int64_t step) {
  const std::int64_t quotient = value / step;
  return quotient * step > value ? quotient - 1 : quotient;
}

std::int64_t CeilDivide(std::int64_t value, std::int64_t step) { return -FloorDivide(-value, step); }

// The smallest round step (1, 2 or 5 times a power of ten) that is at least `wanted`.
std::int64_t RoundStepOf(std::int64_t wanted) {
  for (std::int64_t power = 1;; power *= 10) {
    for (const std::int64_t factor : {1, 2, 5})
      if (factor * power >= wanted) return factor * power;
  }
}

}  // namespace

ValueScale RoundScale(std::int64_t low, std::int64_t high, int maxTicks) {
  low = std::min<std::int64_t>(low, 0);
  high = std::max<std::int64_t>(high, 0);
  if (high == low) high = low + 1;
  // Two intervals at least: an axis across 0 needs one on each side.
  const std::int64_t intervals = std::max(maxTicks, 3) - 1;
  std::int64_t step = RoundStepOf(CeilDivide(high - low, intervals));
  // Rounding both ends outward may need one interval more than there is room for.
  while (CeilDivide(high, step) - FloorDivide(low, step) > intervals) step = RoundStepOf(step + 1);
  ValueScale scale;
  scale.low = FloorDivide(low, step) * step;
  scale.high = CeilDivide(high, step) * step;
  for (std::int64_t value = scale.low; value <= scale.high; value += step)
    scale.ticks.push_back({value, GroupedNumber(value)});
  return scale;
}

BarStack StackOf(const MissionValues& values) { return {values.score, values.total}; }

ValueScale BarScale(const std::vector<CareerMission>& missions, int maxTicks) {
  std::int64_t low = 0;
  std::int64_t high = 0;
  for (const CareerMission& mission : missions) {
    const BarStack stack = StackOf(mission.values);
    low = std::min({low, stack.scoreTop, stack.bonusTop});
    high = std::max({high, stack.scoreTop, stack.bonusTop});
  }
  return RoundScale(low, high, maxTicks);
}

ValueScale RunningTotalScale(const std::vector<PilotCareer>& careers, int maxTicks) {
  std::int64_t low = 0;
  std::int64_t high = 0;
  for (const PilotCareer& career : careers) {
    for (const CareerMission& mission : career.campaign) {
      low = std::min<std::int64_t>(low, mission.runningTotal);
      high = std::max<std::int64_t>(high, mission.runningTotal);
    }
  }
  return RoundScale(low, high, maxTicks);
}

std::vector<int> MissionTicks(int first, int last, int maxLabels) {
  std::vector<int> numbers;
  if (last < first) return numbers;
  const int count = last - first + 1;
  const int step = static_cast<int>(RoundStepOf(CeilDivide(count, std::max(maxLabels, 1))));
  numbers.push_back(first);
  // A multiple of the step no more than half a step from to the first label would crowd it.
  for (int number = (first / step + 1) * step; number <= last; number += step)
    if (step == 1 || number - first > step / 2) numbers.push_back(number);
  return numbers;
}

}  // namespace orlenda

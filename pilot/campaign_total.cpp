#include "pilot/campaign_total.h"

#include "pilot/le_int32.h"

namespace orlenda {
namespace {

std::int32_t Added(std::int32_t total, std::int32_t score, std::int32_t bonus) {
  return WrappingAdd(total, WrappingAdd(score, bonus));
}

}  // namespace

std::int32_t CampaignTotalOf(std::span<const MissionEntry> entries) {
  std::int32_t total = 0;
  for (const MissionEntry& entry : entries) total = Added(total, entry.Score, entry.Bonus);
  return total;
}

std::int32_t CampaignTotalOf(const CampaignCareer& career) {
  std::int32_t total = 0;
  for (const CampaignSlot& slot : career.slots) total = Added(total, slot.score, slot.bonus);
  return total;
}

}  // namespace orlenda

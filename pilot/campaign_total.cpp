#include "pilot/campaign_total.h"

#include "pilot/le_int32.h"

namespace orlenda {

std::int32_t CampaignTotalOf(std::span<const MissionEntry> entries) {
  std::int32_t total = 0;
  for (const MissionEntry& entry : entries) total = WrappingAdd(total, WrappingAdd(entry.Score, entry.Bonus));
  return total;
}

}  // namespace orlenda

#include "history/career_counts.h"

namespace orlenda {

CareerCounts CareerCountsOf(const PilotRecord& record) {
  CareerCounts counts;
  for (std::size_t slot = 0; slot < record.CampaignMissionCount && slot < kMissionSlotCount; ++slot)
    counts.won.set(slot);
  counts.campaignTotal = record.CampaignTotal;
  return counts;
}

}  // namespace orlenda

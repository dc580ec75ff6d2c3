#include "history/career_counts.h"

#include "pilot/campaign_career.h"
#include "pilot/campaign_total.h"

namespace orlenda {

CareerCounts CareerCountsOf(const PilotRecord& record) {
  const CampaignCareer career = CampaignCareerOf(record);
  CareerCounts counts;
  for (const CampaignSlot& slot : career.slots)
    if (slot.Won() && slot.slot >= 0 && static_cast<std::size_t>(slot.slot) < kMissionSlotCount)
      counts.won.set(static_cast<std::size_t>(slot.slot));
  counts.campaignTotal = CampaignTotalOf(career);
  return counts;
}

}  // namespace orlenda

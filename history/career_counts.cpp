#include "history/career_counts.h"

#include "pilot/campaign_career.h"

namespace orlenda {

CareerCounts CareerCountsOf(const PilotRecord& record) {
  const CampaignCareer career = CampaignCareerOf(record);
  CareerCounts counts;
  for (const CampaignSlot& slot : career.slots)
    if (slot.Won() && slot.slot >= 0 && static_cast<std::size_t>(slot.slot) < kMissionSlotCount)
      counts.won.set(static_cast<std::size_t>(slot.slot));
  // The sum wraps as the file's int32 values do, computed without a signed overflow.
  counts.campaignTotal = static_cast<std::int32_t>(static_cast<std::uint32_t>(career.scoreSum) +
                                                   static_cast<std::uint32_t>(career.bonusSum));
  return counts;
}

}  // namespace orlenda

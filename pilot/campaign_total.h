#pragma once

// The campaign total: the sum of Score + Bonus over campaign entries, wrapping as the file's int32.
// Over the load's list it is the load's CampaignTotal (the report's "Calculated Total Score") and the
// cost of a move of the active mission; over the career model, every held slot whatever the layout, it
// is the campaign total that the roster, the charts, the history and the diff show, so that a campaign
// that does not start at the first slot (a total conversion) is summed whole.

#include <cstdint>
#include <span>

#include "pilot/campaign_career.h"
#include "pilot/pilot_record.h"

namespace orlenda {

std::int32_t CampaignTotalOf(std::span<const MissionEntry> entries);

// Every slot the career holds.
std::int32_t CampaignTotalOf(const CampaignCareer& career);

}  // namespace orlenda

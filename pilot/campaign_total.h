#pragma once

// The campaign total: the sum of Score + Bonus over campaign entries, wrapping as the file's int32.
// The load's CampaignTotal, the cost of a move of the active mission and the charts' running totals
// all sum through here.

#include <cstdint>
#include <span>

#include "pilot/pilot_record.h"

namespace orlenda {

std::int32_t CampaignTotalOf(std::span<const MissionEntry> entries);

}  // namespace orlenda

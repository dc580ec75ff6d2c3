#pragma once

// The campaign missions a state has won and its campaign total, counted over every flown slot
// whatever the campaign's layout, so that a club battle's missions count as the stock ones do.

#include <cstdint>

#include "history/state_summary.h"

namespace orlenda {

struct CareerCounts {
  WonMissions won;
  std::int32_t campaignTotal = 0;  // score and bonus over every held slot, wrapping as the file's int32
};

CareerCounts CareerCountsOf(const PilotRecord& record);

}  // namespace orlenda

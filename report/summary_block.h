#pragma once

// The eight lines that open every pilot report, and the score sums that the export line and the
// consistency check share with them.

#include <cstdint>

#include "pilot/pilot_record.h"
#include "report/report_context.h"
#include "report/text_sink.h"

namespace orlenda {

struct ScoreTotals {
  std::int32_t total = 0;     // TODScoreA + TODBonus + AzzScoreB + AzzBonus
  std::int32_t scoreSum = 0;  // TODScoreA + AzzScoreB
  std::int32_t bonusSum = 0;  // TODBonus + AzzBonus
};

// 32-bit sums that wrap as the file's int32 values do.
ScoreTotals ComputeScoreTotals(const PilotRecord& record);

void AppendSummaryBlock(const PilotRecord& record, const ReportContext& context, TextSink& sink);

}  // namespace orlenda

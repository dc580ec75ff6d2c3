#pragma once

// The tables of the full details: kills and assists by craft type, and player kills by rating.
// Each table walks its list in index order, prints the rows that pass its test and ends with a
// running total (a 32-bit sum that wraps).

#include <cstdint>

#include "pilot/pilot_record.h"
#include "report/text_sink.h"

namespace orlenda {

// The TOD tables A and B and the Azzameen table, with their headings.
void AppendCampaignKillTables(const PilotRecord& record, TextSink& sink);

// The combat simulator table: rows where kill list A or B is positive; the total sums list A.
void AppendSimulatorKillTable(const PilotRecord& record, TextSink& sink);

// The players killed table and the times killed table. Returns the times killed by players.
std::int32_t AppendPlayerTables(const PilotRecord& record, TextSink& sink);

}  // namespace orlenda

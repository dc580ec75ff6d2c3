#pragma once

// Every other statistic that the pilot file holds: warhead and laser counters, the raw score groups,
// the kill tables, the combat simulator listing, the multiplayer game names, the player tables and the
// craft losses. The last section of a report, appended when MegaDetails is on.

#include "pilot_record.h"
#include "report_context.h"
#include "settings_reader.h"
#include "text_sink.h"

namespace orlenda {

void AppendFullDetails(const PilotRecord& record, const SettingsReader& settings,
                       const ReportContext& context, TextSink& sink);

}  // namespace orlenda

#pragma once

// Every other statistic that the pilot file holds: warhead and laser counters, the raw score groups,
// the kill tables, the combat simulator listing, the multiplayer game names, the player tables and the
// craft losses. The last section of a report, appended when MegaDetails is on.

#include "pilot/pilot_record.h"
#include "report/report_context.h"
#include "report/text_sink.h"
#include "settings/settings_reader.h"

namespace orlenda {

void AppendFullDetails(const PilotRecord& record, const SettingsReader& settings,
                       const ReportContext& context, TextSink& sink);

}  // namespace orlenda

#pragma once

// The pilot report: summary, export line, consistency check, campaign mission listing and, on request,
// every other detail of the file.

#include <string>
#include <string_view>

#include "pilot/pilot_record.h"
#include "report/mission_range.h"
#include "report/report_context.h"
#include "report/text_sink.h"
#include "settings/settings_ini.h"

namespace orlenda {

// Clears the sink and writes the whole report. `exportLine` receives the composed export line.
// The settings are read afresh from the store's file, once at the start of the build (after
// FlushSettings), and every section reads that snapshot. When a choice setting fails to convert,
// SettingsError is thrown after the lines written so far (the summary block), and `exportLine` keeps
// what it held.
// `range` is the listing's From/To, corrected in place as RipScore does.
void RipPilot(const PilotRecord& record, const SettingsIni& store, const ReportContext& context,
              MissionRange& range, TextSink& sink, std::string& exportLine);

// The campaign mission listing alone, appended to what the sink holds, with its settings read afresh
// (after FlushSettings). The range is first pulled into 0 <= From <= To <= CampaignMissionCount; the
// caller's fields then show the corrected values.
void RipScore(const PilotRecord& record, const SettingsIni& store, MissionRange& range, TextSink& sink);

// The last component of a path ("/" and "\" both separate), without its extension. A name without a
// separator is its own last component.
std::string GetFileStem(std::string_view fileName);

}  // namespace orlenda

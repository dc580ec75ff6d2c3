#pragma once

// The pilot report: summary, export line, consistency check, campaign mission listing and, on request,
// every other detail of the file.

#include <string>

#include "pilot/pilot_record.h"
#include "report/mission_range.h"
#include "report/report_context.h"
#include "report/text_sink.h"
#include "settings/settings_ini.h"
#include "settings/settings_reader.h"

namespace orlenda {

// The export line as a build finishes it, with the consistency check's count that decided its mark.
struct CheckedExportLine {
  std::string line;
  int checkErrorCount = 0;
};

// Composes the export line, appends the consistency check's lines to `sink` (when CheckCheat is on)
// and marks the line when the check counted errors: the part of every build between the summary and
// the listing. Throws SettingsError as ComposeExportLine does, before the check.
CheckedExportLine ComposeCheckedExportLine(const PilotRecord& record, const SettingsReader& settings,
                                           const ReportContext& context, TextSink& sink);

// Clears the sink and writes the whole report. `exportLine` receives the composed export line.
// The settings are read afresh from the store's file, once at the start of the build, and every
// section reads that snapshot. When a choice setting fails to convert, SettingsError is thrown
// after the lines written so far (the summary block), and `exportLine` keeps what it held.
// `range` is the listing's From/To, corrected in place as RipScore does. The campaign's battles close
// the report, for a file whose campaign the listing does not show whole (report/career_section.h).
void RipPilot(const PilotRecord& record, const SettingsIni& store, const ReportContext& context,
              MissionRange& range, TextSink& sink, std::string& exportLine);

// The same report over settings already read (a snapshot of the file, or of INI text in memory).
void RipPilot(const PilotRecord& record, const SettingsReader& settings, const ReportContext& context,
              MissionRange& range, TextSink& sink, std::string& exportLine);

// The campaign mission listing alone, appended to what the sink holds, with its settings read afresh.
// The range is first pulled into 0 <= From <= To <= CampaignMissionCount; the caller's fields then show
// the corrected values.
void RipScore(const PilotRecord& record, const SettingsIni& store, MissionRange& range, TextSink& sink);

}  // namespace orlenda

#include "report/rip_pilot.h"

#include "report/campaign_listing.h"
#include "report/career_section.h"
#include "report/consistency_check.h"
#include "report/export_line.h"
#include "report/full_details.h"
#include "report/summary_block.h"
#include "settings/typed_settings.h"

namespace orlenda {

CheckedExportLine ComposeCheckedExportLine(const PilotRecord& record, const SettingsReader& settings,
                                           const ReportContext& context, TextSink& sink) {
  CheckedExportLine result;
  result.line = ComposeExportLine(record, settings, context);  // may stop the build here
  result.checkErrorCount = AppendConsistencyCheck(record, settings, sink);
  if (result.checkErrorCount > 0) result.line = MarkExportLineWithErrors(result.line);
  return result;
}

void RipPilot(const PilotRecord& record, const SettingsIni& store, const ReportContext& context,
              MissionRange& range, TextSink& sink, std::string& exportLine) {
  // Nothing can write the settings file while a report is built, so one reading of it serves every
  // section's reads.
  RipPilot(record, store.Snapshot(), context, range, sink, exportLine);
}

void RipPilot(const PilotRecord& record, const SettingsReader& settings, const ReportContext& context,
              MissionRange& range, TextSink& sink, std::string& exportLine) {
  sink.Clear();
  AppendSummaryBlock(record, context, sink);
  exportLine = ComposeCheckedExportLine(record, settings, context, sink).line;
  AppendCampaignListing(record, settings, range, sink);
  if (ReadFlag(settings, SettingNamed("MegaDetails"))) AppendFullDetails(record, settings, context, sink);
  AppendCareerSection(record, sink);
}

void RipScore(const PilotRecord& record, const SettingsIni& store, MissionRange& range, TextSink& sink) {
  AppendCampaignListing(record, store.Snapshot(), range, sink);
}

}  // namespace orlenda

#include "rip_pilot.h"

#include "consistency_check.h"
#include "export_line.h"
#include "full_details.h"
#include "setting_reads.h"
#include "summary_block.h"

namespace orlenda {

void RipPilot(const PilotRecord& record, const SettingsIni& store, const ReportContext& context,
              MissionRange& range, TextSink& sink, std::string& exportLine) {
  sink.Clear();
  AppendSummaryBlock(record, context, sink);
  std::string line = ComposeExportLine(record, store, context);  // may stop the build here
  const int checkErrorCount = AppendConsistencyCheck(record, store, sink);
  exportLine = checkErrorCount > 0 ? MarkExportLineWithErrors(line) : std::move(line);
  RipScore(record, store, range, sink);
  if (ReadFlag(store, key::MegaDetails, "0")) AppendFullDetails(record, store, context, sink);
}

}  // namespace orlenda

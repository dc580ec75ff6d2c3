#include "roster/roster_build.h"

#include "base/folder_listing.h"
#include "base/path_names.h"
#include "pilot/campaign_career.h"
#include "pilot/pilot_file_name.h"
#include "pilot/pilot_load.h"
#include "report/decoded_text.h"
#include "report/export_line.h"
#include "report/rip_pilot.h"
#include "report/summary_block.h"
#include "roster/roster_columns.h"
#include "settings/typed_settings.h"

namespace orlenda {
namespace {

std::string WithoutScoreLabel(std::string scorePart) {
  constexpr std::string_view kLabel = " - Score: ";
  if (scorePart.starts_with(kLabel)) scorePart.erase(0, kLabel.size());
  return scorePart;
}

void FillPilotValues(const PilotRecord& record, const SettingsReader& settings, const ReportContext& context,
                     RosterRow& row) {
  DiscardedLines checkLines;  // the roster keeps the check's count and the line it marks
  CheckedExportLine line = ComposeCheckedExportLine(record, settings, context, checkLines);
  row.exportLine = std::move(line.line);
  row.checkErrorCount = line.checkErrorCount;
  const ScoreTotals totals = ComputeScoreTotals(record);
  row.scorePart =
      WithoutScoreLabel(ExportScorePart(totals, ReadChoice(settings, SettingNamed("ScoreFormat"))));
  row.pilotName = DecodedFieldText(record.PilotName);
  row.layout = CampaignLayoutName(CampaignCareerOf(record).layout);
  for (const RosterColumnInfo& column : RosterColumns()) {
    if (column.storedValue != nullptr) row.Stored(column.column) = column.storedValue(record);
  }
  row.total = totals.total;
}

}  // namespace

std::string JoinedMessages(const std::vector<std::string>& messages) {
  std::string joined;
  for (const std::string& message : messages) joined += (joined.empty() ? "" : " ") + message;
  return joined;
}

RosterRow RosterRowOf(const std::string& path, const SettingsReader& settings, const ReportContext& context) {
  return RosterRowOf(path, LoadPilotFile(path), settings, context);
}

RosterRow RosterRowOf(const std::string& path, const LoadResult& loaded, const SettingsReader& settings,
                      const ReportContext& context) {
  RosterRow row;
  row.path = path;
  row.fileName = LastPathComponent(path);
  row.modifiedTime = loaded.modifiedTime;
  row.loaded = loaded.Succeeded();
  if (row.loaded)
    FillPilotValues(loaded.record, settings, context, row);
  else
    row.message = JoinedMessages(loaded.messages);
  return row;
}

std::vector<RosterRow> BuildRoster(const std::vector<std::string>& paths, const SettingsReader& settings,
                                   const ReportContext& context) {
  std::vector<RosterRow> rows;
  rows.reserve(paths.size());
  for (const std::string& path : paths) rows.push_back(RosterRowOf(path, settings, context));
  return rows;
}

std::vector<std::string> PilotFilesIn(const std::string& folder, bool& readable, std::string* reason) {
  FolderListing listing = ListFolder(folder, IsPilotFileName);
  readable = listing.readable;
  if (reason != nullptr) *reason = listing.reason;
  std::vector<std::string> paths;
  for (FolderEntry& entry : listing.entries) {
    // A link whose pilot file has gone stays a row, which says so when it fails to load.
    if (entry.kind == EntryKind::kFile || entry.kind == EntryKind::kBrokenLink)
      paths.push_back(std::move(entry.path));
  }
  return paths;
}

}  // namespace orlenda

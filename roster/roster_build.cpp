#include "roster/roster_build.h"

#include "base/display_text.h"
#include "base/folder_listing.h"
#include "pilot/pilot_load.h"
#include "report/decoded_text.h"
#include "report/export_line.h"
#include "report/rip_pilot.h"
#include "report/summary_block.h"
#include "roster/roster_columns.h"
#include "settings/typed_settings.h"

namespace orlenda {
namespace {

// Discards the check's lines: the roster keeps its count and the line it marks.
class NoLines final : public TextSink {
 public:
  void Clear() override {}
  void AppendLine(std::string_view) override {}
};

std::string LastComponent(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string JoinedMessages(const std::vector<std::string>& messages) {
  std::string joined;
  for (const std::string& message : messages) joined += (joined.empty() ? "" : " ") + message;
  return joined;
}

std::string WithoutScoreLabel(std::string scorePart) {
  constexpr std::string_view kLabel = " - Score: ";
  if (scorePart.starts_with(kLabel)) scorePart.erase(0, kLabel.size());
  return scorePart;
}

void FillPilotValues(const PilotRecord& record, const SettingsReader& settings, const ReportContext& context,
                     RosterRow& row) {
  NoLines checkLines;
  CheckedExportLine line = ComposeCheckedExportLine(record, settings, context, checkLines);
  row.exportLine = std::move(line.line);
  row.checkErrorCount = line.checkErrorCount;
  const ScoreTotals totals = ComputeScoreTotals(record);
  row.scorePart =
      WithoutScoreLabel(ExportScorePart(totals, ReadChoice(settings, SettingNamed("ScoreFormat"))));
  row.pilotName = DecodedFieldText(record.PilotName);
  for (const RosterColumnInfo& column : RosterColumns()) {
    if (column.storedValue != nullptr) row.Stored(column.column) = column.storedValue(record);
  }
  row.total = totals.total;
}

}  // namespace

RosterRow RosterRowOf(const std::string& path, const SettingsReader& settings, const ReportContext& context) {
  RosterRow row;
  row.path = path;
  row.fileName = EscapedText(LastComponent(path));  // a name that is not UTF-8 shows its bytes, as \xFF
  const LoadResult loaded = LoadPilotFile(path);
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
  FolderListing listing = FilesWithExtension(folder, kPilotFileExtension);
  readable = listing.readable;
  if (reason != nullptr) *reason = listing.reason;
  return std::move(listing.paths);
}

}  // namespace orlenda

#pragma once

// Building roster rows: each pilot file is loaded once, by the same load as everywhere, and its
// export line and consistency check come from the same build as the pilot's report.

#include <string>
#include <vector>

#include "pilot/pilot_load.h"
#include "report/report_context.h"
#include "roster/roster_row.h"
#include "settings/settings_reader.h"

namespace orlenda {

// A failed load's messages, one after the other.
std::string JoinedMessages(const std::vector<std::string>& messages);

// The row of one file. A file that fails to load is a row with the load's messages. Throws
// SettingsError when NameSource or ScoreFormat does not convert, as a report build would.
RosterRow RosterRowOf(const std::string& path, const SettingsReader& settings, const ReportContext& context);
// The same of a file already loaded (a caller that also keeps what it loaded).
RosterRow RosterRowOf(const std::string& path, const LoadResult& loaded, const SettingsReader& settings,
                      const ReportContext& context);

std::vector<RosterRow> BuildRoster(const std::vector<std::string>& paths, const SettingsReader& settings,
                                   const ReportContext& context);

// The pilot files of a folder (IsPilotFileName: ".plt" in any letter case): plain files, links to them
// and links that lead nowhere, sorted by name; nothing when the folder cannot be read, and `readable`
// then says so, with the system's reason in `reason` when given.
std::vector<std::string> PilotFilesIn(const std::string& folder, bool& readable,
                                      std::string* reason = nullptr);

}  // namespace orlenda

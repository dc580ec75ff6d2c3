#include "cli/roster_command.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/option_checks.h"
#include "cli/pilot_paths.h"
#include "cli/roster_output.h"
#include "report/locale_report_context.h"
#include "roster/roster_build.h"
#include "roster/roster_columns.h"
#include "settings/settings_ini.h"

namespace orlenda::cli {
namespace {

struct RosterOptions {
  std::vector<std::string> paths;
  std::string ini;
  bool csv = false;
  bool json = false;
  std::string sort;
};

void WriteRoster(const RosterOptions& options, const std::vector<RosterRow>& rows, std::ostream& out) {
  if (options.csv)
    WriteRosterCsv(rows, out);
  else if (options.json)
    WriteRosterJson(rows, out);
  else
    WriteRosterTable(rows, out);
}

int RunRoster(const RosterOptions& options, std::ostream& out, std::ostream& err) {
  const SettingsIni store(SettingsPathOrDefault(options.ini, err));
  bool allRead = true;
  const std::vector<std::string> paths = PilotPathsOf(options.paths, allRead, err);
  std::vector<RosterRow> rows;
  try {
    rows = BuildRoster(paths, store.Snapshot(), ReportContextFromLocale());
  } catch (const SettingsError& e) {
    PrintMessage(e.what(), err);  // the same setting stops every pilot's export line
    return kFailure;
  }
  if (!options.sort.empty()) SortRoster(rows, *RosterColumnNamed(options.sort));
  WriteRoster(options, rows, out);
  return StatusOfEvery(rows, &RosterRow::loaded, allRead);
}

}  // namespace

void AddRosterCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand(
      "roster", "List the pilot files of a folder (or the files named) side by side, one row each");
  auto options = std::make_shared<RosterOptions>();
  AddPilotPathsArgument(*command, options->paths);
  command->add_option("--ini", options->ini, "Settings file to read instead of the desktop program's")
      ->check(SettingsFileCheck());
  auto* csv = command->add_flag("--csv", options->csv, "Print RFC 4180 CSV with a heading row");
  auto* json = command->add_flag("--json", options->json, "Print a JSON array of one object per file");
  csv->excludes(json);
  command->add_option("--sort", options->sort, "Sort by a column: texts A to Z, numbers highest first")
      ->check(CLI::IsMember(RosterColumnIds()));
  command->callback([options, &exitStatus] { exitStatus = RunRoster(*options, std::cout, std::cerr); });
}

}  // namespace orlenda::cli

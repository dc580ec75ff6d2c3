// `history show` and `history export`: one kept state as a report, or as a pilot file of its own.

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "base/path_kind.h"
#include "base/windows1252.h"
#include "cli/command.h"
#include "cli/history_access.h"
#include "cli/history_commands.h"
#include "cli/option_checks.h"
#include "cli/report_command.h"
#include "history/state_export.h"

namespace orlenda::cli {
namespace {

struct StateOptions {
  std::string pilot;
  std::string state;
  std::string out;  // export's file
  std::string ini;  // show's settings
};

int RunShow(const StateOptions& options, const std::string& history, std::ostream& out, std::ostream& err) {
  auto store = OpenHistory(history, err);
  const auto chosen = ChooseState(*store, options.pilot, options.state, err);
  if (!chosen) return kFailure;
  if (!chosen->loaded.Succeeded()) {
    PrintLoadMessages(chosen->loaded, err);
    return kFailure;
  }
  return PrintPilotReport(chosen->loaded.record, options.ini, std::nullopt, std::nullopt, out, err);
}

// A new file only: an export never writes over a file, least of all a pilot's.
int RunExport(const StateOptions& options, const std::string& history, std::ostream& err) {
  if (!NothingAt(options.out)) {
    PrintMessage(Utf8FromUtf8OrWindows1252(options.out) + " exists already; nothing was written.", err);
    return kFailure;
  }
  auto store = OpenHistory(history, err);
  const auto chosen = ChooseState(*store, options.pilot, options.state, err);
  if (!chosen) return kFailure;
  if (auto failure = ExportKeptState(chosen->loaded.record.BytesOnDisk, options.out, options.pilot)) {
    PrintMessage(*failure, err);
    return kFailure;
  }
  return kSuccess;
}

CLI::App* AddStateArguments(CLI::App& command, StateOptions& options) {
  command.add_option("PILOT.plt", options.pilot, "The pilot file")->required();
  command
      .add_option("STATE", options.state, "The state: its number in `history list` or a prefix of its hash")
      ->required();
  return &command;
}

}  // namespace

void AddHistoryShowCommand(CLI::App& history, const HistoryOption& database, int& exitStatus) {
  auto* command =
      history.add_subcommand("show", "Print the report of a kept state, as `report` prints a file's");
  auto options = std::make_shared<StateOptions>();
  AddStateArguments(*command, *options);
  command->add_option("--ini", options->ini, "Settings file to read instead of the desktop program's")
      ->check(SettingsFileCheck());
  command->callback(
      [options, database, &exitStatus] { exitStatus = RunShow(*options, *database, std::cout, std::cerr); });
}

void AddHistoryExportCommand(CLI::App& history, const HistoryOption& database, int& exitStatus) {
  auto* command = history.add_subcommand("export", "Write a kept state as a pilot file of its own");
  auto options = std::make_shared<StateOptions>();
  AddStateArguments(*command, *options);
  command->add_option("OUT.plt", options->out, "The new file; an existing file is refused")->required();
  command->callback(
      [options, database, &exitStatus] { exitStatus = RunExport(*options, *database, std::cerr); });
}

}  // namespace orlenda::cli

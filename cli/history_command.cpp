#include "cli/history_command.h"

#include <iostream>
#include <memory>
#include <string>

#include "cli/command.h"
#include "cli/history_access.h"
#include "cli/history_commands.h"

namespace orlenda::cli {
namespace {

// SQLite's integrity check and every state's bytes against its hash: "ok", or the problems and status 1.
int RunCheck(const std::string& history, std::ostream& out, std::ostream& err) {
  auto store = OpenHistory(history, err);
  if (!store->IsAvailable()) return kFailure;
  const std::vector<std::string> problems = store->Check();
  for (const std::string& line : problems) out << line << '\n';
  return problems.size() == 1 && problems.front() == "ok" ? kSuccess : kFailure;
}

}  // namespace

void AddHistoryCheckCommand(CLI::App& history, const HistoryOption& database, int& exitStatus) {
  auto* command =
      history.add_subcommand("check", "Check the history database: \"ok\", or what is wrong in it");
  command->callback([database, &exitStatus] { exitStatus = RunCheck(*database, std::cout, std::cerr); });
}

void AddHistoryCommand(CLI::App& app, int& exitStatus) {
  auto* history =
      app.add_subcommand("history", "Every kept state of pilot files: list, compare, restore, record");
  history->require_subcommand(1);
  // The verbs leave --history to this command, wherever it is given.
  history->fallthrough();
  const auto database = std::make_shared<std::string>();
  AddHistoryOption(*history, *database);
  AddHistoryListCommand(*history, database, exitStatus);
  AddHistoryShowCommand(*history, database, exitStatus);
  AddHistoryDiffCommand(*history, database, exitStatus);
  AddHistoryExportCommand(*history, database, exitStatus);
  AddHistoryRestoreCommand(*history, database, exitStatus);
  AddHistoryRecordCommand(*history, database, exitStatus);
  AddHistoryWatchCommand(*history, database, exitStatus);
  AddHistoryCheckCommand(*history, database, exitStatus);
  history->footer(
      "The history is kept in history.sqlite3 in $XDG_DATA_HOME/orlenda3001 (~/.local/share/orlenda3001), on "
      "Windows in %LOCALAPPDATA%\\Orlenda 3001; --history names another. A state is named by its number in "
      "`history list` or by a prefix of its hash.");
}

}  // namespace orlenda::cli

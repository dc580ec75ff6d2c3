// `history restore PILOT.plt STATE`: a kept state put back into the file through the one safe write
// path of every save, after the file's present state is kept, so that a restore can be undone.

#include <iostream>
#include <memory>
#include <string>

#include "base/windows1252.h"
#include "cli/command.h"
#include "cli/history_access.h"
#include "cli/history_commands.h"
#include "cli/lock_wait_option.h"
#include "history/change_line.h"
#include "history/state_restore.h"

namespace orlenda::cli {
namespace {

struct RestoreOptions {
  std::string pilot;
  std::string state;
  bool dropScores = false;
  int waitSeconds = kDefaultLockWaitSeconds;
};

// Names what the restore changes; a restore that drops won missions needs --drop-scores, as a move
// back of the active mission does.
bool AllowedRestore(const StateSummary& now, const ChosenState& chosen, bool dropScores, std::ostream& err) {
  const StateSummary restored = SummaryOf(chosen.loaded.record);
  PrintMessage("State " + std::to_string(chosen.state.number) + ": " + ChangeLine(&now, restored), err);
  const std::string dropped = DroppedScoresLine(now, restored);
  if (dropped.empty() || dropScores) return true;
  PrintMessage(dropped + " Nothing was written: give --drop-scores to restore it.", err);
  return false;
}

int RunRestore(const RestoreOptions& options, const std::string& history, std::ostream& out,
               std::ostream& err) {
  auto current = LoadWholePilot(options.pilot, err);
  if (!current) {
    PrintMessage(
        "Only a whole pilot file is restored in place; `history export` writes a state to a new file.", err);
    return kFailure;
  }
  auto store = OpenHistory(history, err);
  if (!store->IsAvailable()) return kFailure;
  if (!KeepState(*store, options.pilot, *current, StateKind::kBeforeSave, err)) return kFailure;
  auto chosen = ChooseState(*store, options.pilot, options.state, err);
  if (!chosen || !chosen->loaded.Succeeded()) return kFailure;
  if (chosen->loaded.record.BytesOnDisk == current->record.BytesOnDisk) {
    out << "The file holds state " << chosen->state.number << " already.\n";
    return kSuccess;
  }
  if (!AllowedRestore(SummaryOf(current->record), *chosen, options.dropScores, err)) return kUsageError;

  PilotBackups backups;
  const UpdateResult result =
      RestoreKeptState(*store, options.pilot, current->record, chosen->loaded.record.BytesOnDisk, backups,
                       LockWaitOf(options.waitSeconds, err));
  PrintHistoryWarnings(*store, err);
  if (!result.succeeded) {
    PrintMessage(result.message, err);
    return kFailure;
  }
  if (!result.warning.empty()) PrintMessage(result.warning, err);
  return kSuccess;
}

}  // namespace

void AddHistoryRestoreCommand(CLI::App& history, const HistoryOption& database, int& exitStatus) {
  auto* command = history.add_subcommand("restore", "Put a kept state back into the pilot file");
  auto options = std::make_shared<RestoreOptions>();
  command->add_option("PILOT.plt", options->pilot, "The pilot file")->required();
  command
      ->add_option("STATE", options->state, "The state: its number in `history list` or a prefix of its hash")
      ->required();
  command->add_flag("--drop-scores", options->dropScores,
                    "Allow a restore that drops the scores of won missions");
  AddLockWaitOption(*command, options->waitSeconds);
  command->footer(
      "The file's present state is kept first, so that the restore can be undone; the file's backup (.bak) "
      "is "
      "kept as for every save. What the restore changes is named on standard error; a restore that drops won "
      "missions is refused without --drop-scores.");
  command->callback([options, database, &exitStatus] {
    exitStatus = RunRestore(*options, *database, std::cout, std::cerr);
  });
}

}  // namespace orlenda::cli

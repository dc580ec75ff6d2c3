// `history diff PILOT.plt A [B]`: `diff`'s answer between two kept states, or a state and the file now.

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "base/windows1252.h"
#include "cli/command.h"
#include "cli/diff_command.h"
#include "cli/diff_output.h"
#include "cli/history_access.h"
#include "cli/history_commands.h"
#include "report/pilot_comparison.h"

namespace orlenda::cli {
namespace {

struct HistoryDiffOptions {
  std::string pilot;
  std::string oldState;
  std::string newState;  // empty: the file now
  bool json = false;
};

// The later side: a kept state, or the file as it is now.
std::optional<LoadResult> NewerSide(HistoryStore& store, const HistoryDiffOptions& options,
                                    std::ostream& err) {
  if (options.newState.empty()) return LoadWholePilot(options.pilot, err);
  auto chosen = ChooseState(store, options.pilot, options.newState, err);
  if (!chosen) return std::nullopt;
  return std::move(chosen->loaded);
}

std::string SideLabel(const std::string& pilot, const std::string& state) {
  const std::string name = Utf8FromUtf8OrWindows1252(pilot);
  return state.empty() ? name : name + " (state " + state + ")";
}

int RunHistoryDiff(const HistoryDiffOptions& options, const std::string& history, std::ostream& out,
                   std::ostream& err) {
  auto store = OpenHistory(history, err);
  const auto older = ChooseState(*store, options.pilot, options.oldState, err);
  const auto newer = NewerSide(*store, options, err);
  if (!older || !newer || !older->loaded.Succeeded()) return kDiffTrouble;
  const PilotDiff diff = ComparePilots({older->loaded.record, older->loaded.record.BytesOnDisk},
                                       {newer->record, newer->record.BytesOnDisk});
  if (options.json)
    WriteDiffJson(diff, SideLabel(options.pilot, options.oldState),
                  SideLabel(options.pilot, options.newState), out);
  else
    WriteDiffText(diff, out);
  out.flush();
  if (!out) {
    PrintMessage("Unable to write the differences to standard output.", err);
    return kDiffTrouble;
  }
  return diff.Identical() ? kFilesIdentical : kFilesDiffer;
}

}  // namespace

void AddHistoryDiffCommand(CLI::App& history, const HistoryOption& database, int& exitStatus) {
  auto* command = history.add_subcommand(
      "diff", "Show what changed between two kept states, or a state and the file now (exit as `diff`)");
  auto options = std::make_shared<HistoryDiffOptions>();
  command->add_option("PILOT.plt", options->pilot, "The pilot file")->required();
  command->add_option("A", options->oldState, "The earlier state: its number or a prefix of its hash")
      ->required();
  command->add_option("B", options->newState, "The later state; the file as it is now when left out");
  command->add_flag("--json", options->json, "Print one JSON object instead of lines of text");
  command->callback([options, database, &exitStatus] {
    try {
      exitStatus = RunHistoryDiff(*options, *database, std::cout, std::cerr);
    } catch (const std::exception& e) {  // status 1 would say that the states differ
      PrintMessage(e.what(), std::cerr);
      exitStatus = kDiffTrouble;
    }
  });
}

}  // namespace orlenda::cli

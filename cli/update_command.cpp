#include "cli/update_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "cli/command.h"
#include "cli/history_access.h"
#include "cli/lock_wait_option.h"
#include "pilot/details_changes.h"
#include "pilot/enumerations.h"
#include "pilot/item_choice.h"
#include "pilot/pilot_load.h"
#include "pilot/pilot_update.h"

namespace orlenda::cli {
namespace {

// One option that chooses an item of a list, and what the user wrote for it.
struct ListOption {
  CLI::Option* option = nullptr;
  std::string text;
};

struct UpdateOptions {
  std::string path;
  CLI::Option* nameOption = nullptr;
  std::string name;
  ListOption rank;
  ListOption rating;
  ListOption kalidor;
  ListOption activeMission;
  bool dropScores = false;
  int waitSeconds = kDefaultLockWaitSeconds;
  std::string history;
};

// The item chosen by a given option, or the loaded value when the option was not given. False, with
// the reason on `err`, when the given text names no item.
template <typename Text>
bool ResolveListOption(const ListOption& given, std::span<const Text> items, std::string_view listName,
                       std::optional<int>& value, std::ostream& err) {
  if (given.option->count() == 0) return true;
  value = ChooseItem(items, given.text);
  if (value) return true;
  PrintMessage(given.option->get_name() + ": \"" + given.text + "\" is not in the list of " +
                   std::string(listName) + " (give an index from 0 to " + std::to_string(items.size() - 1) +
                   " or an item's text as listed).",
               err);
  return false;
}

bool ApplyOptions(const UpdateOptions& options, PilotDetails& details, std::ostream& err) {
  if (options.nameOption->count() != 0) details.name = options.name;
  return ResolveListOption(options.rank, RankNames(), "ranks", details.rank, err) &&
         ResolveListOption(options.rating, RatingNames(), "ratings", details.rating, err) &&
         ResolveListOption(options.kalidor, KalidorStatusNames(), "Kalidor Crescent statuses",
                           details.kalidorStatus, err) &&
         ResolveListOption(options.activeMission, MissionIndexNames(), "missions", details.activeMission,
                           err);
}

// A move of the active mission is named before the write, in the words the desktop program asks with:
// the missions that lose their scores (or join without one) and the campaign total before and after.
// A move back costs scores that no later move brings back, so it needs --drop-scores.
bool AllowedCampaignMove(const DetailsChanges& changes, const PilotRecord& record, bool dropScores,
                         std::ostream& err) {
  if (!changes.campaign) return true;
  DetailsChanges move;
  move.campaign = changes.campaign;
  for (const std::string& line : DescribeChanges(move, record)) PrintMessage(line, err);
  if (dropScores || changes.campaign->toCount > changes.campaign->fromCount) return true;
  PrintMessage("Nothing was written: give --drop-scores to make this move.", err);
  return false;
}

int RunUpdate(const UpdateOptions& options, std::ostream& out, std::ostream& err) {
  PilotDetails checkedOptions;  // the given list values are checked before the file is touched
  if (!ApplyOptions(options, checkedOptions, err)) return kUsageError;

  LoadResult loaded = LoadPilotFile(options.path);
  if (!loaded.Succeeded()) {
    PrintLoadMessages(loaded, err);
    return kFailure;
  }
  PilotDetails details = DetailsOfLoadedPilot(loaded.record);
  ApplyOptions(options, details, err);
  if (const auto refusal = CheckPilotDetails(details, loaded.record)) {
    PrintMessage(*refusal, err);
    return kUsageError;
  }
  if (!AllowedCampaignMove(PlanChanges(details, loaded.record), loaded.record, options.dropScores, err))
    return kUsageError;

  const bool changes = !PlanChanges(details, loaded.record).Empty();
  // The states before and after are kept; the history's trouble is a warning, never a failed save.
  std::unique_ptr<HistoryStore> history;
  if (changes) {
    history = OpenHistory(options.history, err);
    KeepState(*history, options.path, loaded, StateKind::kBeforeSave, err);
  }
  PilotBackups backups;
  const UpdateResult result =
      UpdatePilotFile(options.path, details, loaded.record, backups, LockWaitOf(options.waitSeconds, err));
  if (!result.succeeded) {
    PrintMessage(result.message, err);
    return kFailure;
  }
  if (!result.warning.empty()) PrintMessage(result.warning, err);
  if (result.nothingToUpdate) out << kNothingToUpdate << '\n';
  if (history && !result.nothingToUpdate)
    if (const auto saved = LoadWholePilot(options.path, err))
      KeepState(*history, options.path, *saved, StateKind::kAfterSave, err);
  return kSuccess;
}

}  // namespace

void AddUpdateCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand(
      "update",
      "Write the pilot's name, rank, rating, Kalidor Crescent status and active mission into the file");
  auto options = std::make_shared<UpdateOptions>();
  command->add_option("PILOT.plt", options->path, "The pilot file")->required();
  options->nameOption =
      command->add_option("--name", options->name, "The pilot's name, at most 12 characters");
  options->rank.option = command->add_option("--rank", options->rank.text, "Rank: index 0-8 or its name");
  options->rating.option =
      command->add_option("--rating", options->rating.text, "Rating: index 0-24 or its name");
  options->kalidor.option = command->add_option("--kalidor", options->kalidor.text,
                                                "Kalidor Crescent status: index 0-6 or its name");
  options->activeMission.option =
      command->add_option("--active-mission", options->activeMission.text,
                          "The mission flown next, that is the number of completed campaign missions: index "
                          "0-254 or the mission's text as listed");
  command->add_flag("--drop-scores", options->dropScores,
                    "Allow a move of --active-mission back, which drops the scores of the missions after it");
  AddLockWaitOption(*command, options->waitSeconds);
  AddHistoryOption(*command, options->history);
  command->footer(
      "Only the values that differ from the file's are written; with none, nothing is. A move of the active "
      "mission is named on standard error first; a move back drops the later missions' scores for good and "
      "is refused without --drop-scores. The states before and after the write are kept in the history.");
  command->callback([options, &exitStatus] { exitStatus = RunUpdate(*options, std::cout, std::cerr); });
}

}  // namespace orlenda::cli

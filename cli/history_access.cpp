#include "cli/history_access.h"

#include <ostream>
#include <variant>

#include "base/windows1252.h"
#include "cli/command.h"
#include "cli/lock_wait_option.h"
#include "history/state_name.h"

namespace orlenda::cli {

int HistoryBusyTimeoutMs() { return kDefaultLockWaitSeconds * 1000; }

void AddHistoryOption(CLI::App& command, std::string& path) {
  command.add_option("--history", path, "The history database to use instead of the user's own");
}

std::unique_ptr<HistoryStore> OpenHistory(const std::string& option, std::ostream& err) {
  auto store = std::make_unique<HistoryStore>(option.empty() ? HistoryStore::DefaultPath() : option,
                                              HistoryBusyTimeoutMs());
  PrintHistoryWarnings(*store, err);
  return store;
}

void PrintHistoryWarnings(HistoryStore& store, std::ostream& err) {
  for (const std::string& warning : store.TakeWarnings()) PrintMessage("Warning: " + warning, err);
}

std::optional<RecordedState> KeepState(HistoryStore& store, const std::string& path, const LoadResult& loaded,
                                       StateKind kind, std::ostream& err,
                                       const std::optional<TakenStamp>& stamp) {
  auto recorded = store.Record(path, loaded.record, loaded.modifiedTime, kind, stamp);
  PrintHistoryWarnings(store, err);
  return recorded;
}

std::optional<ChosenState> ChooseState(HistoryStore& store, const std::string& pilotPath,
                                       const std::string& name, std::ostream& err) {
  const std::vector<KeptState> states = store.States(pilotPath);
  PrintHistoryWarnings(store, err);
  const auto found = FindKeptState(states, name);
  if (const auto* reason = std::get_if<std::string>(&found)) {
    PrintMessage(Utf8FromUtf8OrWindows1252(pilotPath) + ": " + *reason + ".", err);
    return std::nullopt;
  }
  const KeptState& state = *std::get<const KeptState*>(found);
  auto bytes = store.StateBytes(state.hash);
  PrintHistoryWarnings(store, err);
  if (!bytes) {
    PrintMessage("The history does not hold state " + std::to_string(state.number) + " whole.", err);
    return std::nullopt;
  }
  LoadResult loaded = LoadPilotBytes(std::move(*bytes), static_cast<std::int64_t>(kPilotFileSize), pilotPath);
  return ChosenState{state, std::move(loaded)};
}

std::optional<LoadResult> LoadWholePilot(const std::string& path, std::ostream& err) {
  LoadResult loaded = LoadPilotFile(path);
  if (loaded.Succeeded() && loaded.record.BytesOnDisk.size() == kPilotFileSize) return loaded;
  PrintLoadMessages(loaded, err);
  if (loaded.Succeeded()) PrintMessage("The file could not be read to its end.", err);
  return std::nullopt;
}

}  // namespace orlenda::cli

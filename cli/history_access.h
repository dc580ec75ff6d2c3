#pragma once

// What the history's subcommands and `update` share: the --history option, the opening of the store
// with its warnings on standard error, and the states of a pilot file named as the player names them.

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/history_store.h"
#include "pilot/pilot_load.h"

namespace orlenda::cli {

// How long a history's writer waits for another's transaction: the lock wait's default.
int HistoryBusyTimeoutMs();

// --history FILE: the database to use instead of the user's own (HistoryStore::DefaultPath()).
void AddHistoryOption(CLI::App& command, std::string& path);

// The history the option names, opened; its warnings are printed on `err`.
std::unique_ptr<HistoryStore> OpenHistory(const std::string& option, std::ostream& err);

// Prints what went wrong in the history since the last call: warnings, never failures of the command.
void PrintHistoryWarnings(HistoryStore& store, std::ostream& err);

// Keeps the state of a loaded pilot file, with the file's stamp from before the load when there is one
// (HistoryStore::Record); a failure is a warning on `err`.
std::optional<RecordedState> KeepState(HistoryStore& store, const std::string& path, const LoadResult& loaded,
                                       StateKind kind, std::ostream& err,
                                       const std::optional<TakenStamp>& stamp = std::nullopt);

// One kept state of a pilot, with its bytes loaded as a pilot file.
struct ChosenState {
  KeptState state;
  LoadResult loaded;
};

// The state that `name` names among the pilot's states, loaded; nothing, with the reason on `err`, when
// none is named or its bytes are not held whole.
std::optional<ChosenState> ChooseState(HistoryStore& store, const std::string& pilotPath,
                                       const std::string& name, std::ostream& err);

// The pilot file as it is now, loaded whole; nothing, with the load's messages on `err`, when it fails.
std::optional<LoadResult> LoadWholePilot(const std::string& path, std::ostream& err);

}  // namespace orlenda::cli

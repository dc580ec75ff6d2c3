#pragma once

// The verbs of `history`, each added to the `history` subcommand by its own file. `database` is the
// --history option's value, which the verbs read when they run.

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

namespace orlenda::cli {

using HistoryOption = std::shared_ptr<std::string>;

void AddHistoryListCommand(CLI::App& history, const HistoryOption& database, int& exitStatus);
void AddHistoryShowCommand(CLI::App& history, const HistoryOption& database, int& exitStatus);
void AddHistoryExportCommand(CLI::App& history, const HistoryOption& database, int& exitStatus);
void AddHistoryDiffCommand(CLI::App& history, const HistoryOption& database, int& exitStatus);
void AddHistoryRestoreCommand(CLI::App& history, const HistoryOption& database, int& exitStatus);
void AddHistoryRecordCommand(CLI::App& history, const HistoryOption& database, int& exitStatus);
void AddHistoryWatchCommand(CLI::App& history, const HistoryOption& database, int& exitStatus);
void AddHistoryCheckCommand(CLI::App& history, const HistoryOption& database, int& exitStatus);

}  // namespace orlenda::cli

#pragma once

#include <CLI/CLI.hpp>

namespace orlenda::cli {

// `history list|show|diff|export|restore|record|watch|check [--history FILE]`: the kept states of pilot
// files (history/history_store.h).
void AddHistoryCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli

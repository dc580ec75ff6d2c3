#pragma once

#include <CLI/CLI.hpp>

namespace orlenda::cli {

// `dump PILOT.plt`: the loaded record as one JSON object.
void AddDumpCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli

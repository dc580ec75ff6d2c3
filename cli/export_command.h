#pragma once

#include <CLI/CLI.hpp>

namespace orlenda::cli {

// `export [--ini FILE] [--log LOGFILE] PILOT.plt...`: the export line of each pilot, one a line, and
// with --log appended to that main log.
void AddExportCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli

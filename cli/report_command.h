#pragma once

#include <CLI/CLI.hpp>

namespace orlenda::cli {

// `report [--ini FILE] [--from N] [--to N] PILOT.plt`: the lines of the pilot file view's text window
// after a load of that file.
void AddReportCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli

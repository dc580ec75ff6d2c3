#pragma once

#include <CLI/CLI.hpp>

namespace orlenda::cli {

// `review [--battle FIRST-LAST] [--high-scores FILE.csv] [--friendly CRAFT,...] [--csv | --json | --form]
// FOLDER | PILOT.plt...`: each pilot file reviewed for one battle by a club's rules, with its verdict.
// Exit status 0 when every file passes, 1 when any fails, 2 for a usage error.
void AddReviewCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli

#pragma once

#include <CLI/CLI.hpp>

namespace orlenda::cli {

// `roster [--ini FILE] [--csv | --json] [--sort COLUMN] FOLDER | PILOT.plt...`: one row per pilot
// file (each folder named stands for its .plt files), as an aligned table, CSV or a JSON array.
void AddRosterCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli

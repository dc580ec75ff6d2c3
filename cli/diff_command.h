#pragma once

#include <CLI/CLI.hpp>

namespace orlenda::cli {

// Unlike the other subcommands, `diff` answers with the statuses of diff(1).
enum DiffStatus : int {
  kFilesIdentical = 0,
  kFilesDiffer = 1,
  kDiffTrouble = 2,  // a usage error, a file that fails to load, a failed write of the answer
};

// `diff [--json] OLD.plt NEW.plt`: what changed between two copies of a pilot file.
void AddDiffCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli

#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>

namespace orlenda::cli {

// Unlike the other subcommands, `diff` answers with the statuses of diff(1).
enum DiffStatus : int {
  kFilesIdentical = 0,
  kFilesDiffer = 1,
  kDiffTrouble = 2,  // a usage error, a file that fails to load, a failed write of the answer
};

struct DiffOptions {
  std::string oldPath;
  std::string newPath;
  bool json = false;
};

// Loads both files, compares them and writes the answer to `out`; load failures and a failed write go
// to `err`. Returns a DiffStatus.
int RunDiff(const DiffOptions& options, std::ostream& out, std::ostream& err);

// `diff [--json] OLD.plt NEW.plt`: what changed between two copies of a pilot file.
void AddDiffCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli

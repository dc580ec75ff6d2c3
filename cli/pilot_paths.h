#pragma once

// The pilot files that the subcommands over many files take: each folder named stands for its .plt
// files, any other name is a file of its own, whether or not it loads.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"

namespace orlenda::cli {

// The subcommand's arguments FOLDER|PILOT.plt, one or more, given into `paths`.
void AddPilotPathsArgument(CLI::App& command, std::vector<std::string>& paths);

// A folder that cannot be read is said on `err`, and `allRead` becomes false.
std::vector<std::string> PilotPathsOf(const std::vector<std::string>& arguments, bool& allRead,
                                      std::ostream& err);

// The exit status of a subcommand over many files: kSuccess when every folder was read and every file's
// answer `passed` (a function or a member of Answer), else kFailure.
template <typename Answer, typename Passed>
int StatusOfEvery(const std::vector<Answer>& answers, Passed passed, bool allRead) {
  return allRead && std::ranges::all_of(answers, passed) ? kSuccess : kFailure;
}

}  // namespace orlenda::cli

#pragma once

// --wait SECONDS, of the subcommands that write files that other programs may hold locked: how long
// a lock is waited for (30 seconds unless told; 0: not at all). After about a second of waiting, a
// note on standard error names the locked file; a wait that ends first is a failure (exit status 1)
// with nothing written.

#include <CLI/CLI.hpp>
#include <iosfwd>

#include "base/locked_file.h"

namespace orlenda::cli {

inline constexpr int kDefaultLockWaitSeconds = 30;

// Adds the option to `command`; `seconds` receives its value.
void AddLockWaitOption(CLI::App& command, int& seconds);

// The wait for a lock that the option asks for, with the note on `err`.
LockWait LockWaitOf(int seconds, std::ostream& err);

}  // namespace orlenda::cli

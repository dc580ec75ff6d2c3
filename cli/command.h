#pragma once

// What every subcommand of orlenda3001-cli shares: its exit statuses and the way it reports a pilot
// file that failed to load.

#include <iosfwd>
#include <string>

#include "pilot/pilot_load.h"

namespace orlenda::cli {

enum ExitStatus : int {
  kSuccess = 0,
  kFailure = 1,     // a pilot file failed to load, a setting failed to convert, or a write failed
  kUsageError = 2,  // unknown option, missing argument, bad value
};

// Prints the load's messages on `err`, one a line, in the order the desktop program shows them.
void PrintLoadMessages(const LoadResult& result, std::ostream& err);

// The settings file: the one named by --ini, else the desktop program's.
std::string SettingsPathOrDefault(const std::string& iniOption);

}  // namespace orlenda::cli

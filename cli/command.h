#pragma once

// What every subcommand of orlenda3001-cli shares: its exit statuses, the way it reports a pilot
// file that failed to load, and the check that its output really was written.

#include <iosfwd>
#include <string>
#include <string_view>

#include "pilot/pilot_load.h"

namespace orlenda::cli {

enum ExitStatus : int {
  kSuccess = 0,
  kFailure = 1,     // a pilot file failed to load, a setting failed to convert, or a write failed
  kUsageError = 2,  // unknown option, missing argument, bad value
};

// Writes one message line on `err`, with text that came from outside made printable.
void PrintMessage(std::string_view message, std::ostream& err);

// Prints the load's messages on `err`, one a line, in the order the desktop program shows them; with
// `label`, each begins with it and ": " (the file's name, when several files are loaded).
void PrintLoadMessages(const LoadResult& result, std::ostream& err, std::string_view label = {});

// The settings file: the one named by --ini, else the desktop program's. An --ini file that does not
// exist means the defaults, and a note on `err` says so.
std::string SettingsPathOrDefault(const std::string& iniOption, std::ostream& err);

// The exit status once the output is flushed: a program whose standard output or error could not be
// written did not do what it was asked, and ends with kFailure (saying so where it still can).
int StatusAfterFlush(int status, std::ostream& out, std::ostream& err);

std::string CannotWriteOutputMessage();  // "Cannot write to standard output"

}  // namespace orlenda::cli

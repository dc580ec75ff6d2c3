#pragma once

// Whether a file that is about to be written over is a pilot file, so that a save of anything else
// (the main log, a table of pilots, a picture) never destroys a pilot's career.

#include <optional>
#include <string>
#include <string_view>

namespace orlenda {

// Bytes that load as a pilot file: a pilot file's exact size, NUL bytes among them (a text file of
// that size is still text), and no load error.
bool HoldsPilotFile(std::string_view bytes, const std::string& path);

// Whether `path` has a pilot file's name (".plt" in any letter case), itself or where its links lead:
// a link named log.txt that leads to made.plt, even before made.plt exists, would create or write it.
bool LeadsToPilotFileName(const std::string& path);

// Why nothing but a pilot may be written to `path`: its name ends in ".plt" in any letter case, or the
// file there holds a pilot file's bytes; links are followed for both. `use` says what the file was to become
// ("the log").
std::optional<std::string> PilotFileTargetRefusal(const std::string& path, std::string_view use);

// "Cannot use PATH as USE: it is a pilot file" (or, for a link, "it leads to the pilot file TARGET"),
// the paths escaped for showing.
std::string PilotFileTargetMessage(const std::string& path, std::string_view use);

}  // namespace orlenda

#pragma once

// The main log's file: plain text lines, each followed by CR LF, written as UTF-8. Reading accepts
// CR LF, CR or LF, and a log written on Windows in Windows-1252. The desktop program and the
// command-line front end both read and write it through here, so both keep the same format.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlenda {

// The log's text as one string with "\n" between lines (no final line end), or nothing when the file
// exists but cannot be read.
std::optional<std::string> ReadMainLogText(const std::string& path);

// Splits text into lines at CR LF, CR or LF; a final empty piece after the last line end is dropped.
std::vector<std::string> SplitLogLines(std::string_view text);

// Writes the text's lines (the text's form is ReadMainLogText's: a line break at its end starts a last,
// empty line), each followed by CR LF, replacing the file only once the whole new content
// is on disk. Returns false on failure; the old file is then intact.
bool WriteMainLogText(const std::string& path, std::string_view text);

// Appends lines to the log (created when missing), keeping every existing line.
bool AppendMainLogLines(const std::string& path, const std::vector<std::string>& lines);

std::string CannotCreateFileMessage(const std::string& path);  // "Cannot create file %s"
std::string CannotOpenFileMessage(const std::string& path);    // "Cannot open file %s"

}  // namespace orlenda

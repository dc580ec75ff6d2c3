#pragma once

// Private to mainlog/: the steps that the log file's reads and writes (main_log_file.cpp) share with
// the decoding and encoding of its text (main_log_text.cpp). Nothing outside this folder includes it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mainlog/main_log_text.h"

namespace orlenda::main_log {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view kLineEnd = "\r\n";

std::span<const std::uint8_t> AsBytes(std::string_view text);

// Why the file is no text log, or nothing when it may be one. A pilot file holds zero bytes: a text
// file of a pilot file's size is still a log.
std::optional<std::string> RefusalOf(const std::string& path, std::string_view bytes);

// One line of the file as text; a line that is not UTF-8 is remembered with its bytes.
std::string LineText(const std::string& line, LogFileBaseline& baseline);

void Describe(LogFileBaseline& baseline, const std::string& path, std::string_view bytes);

// Whether a log of `size` bytes, which begins with `head` and ends with `last`, ends in a line without
// a line end, which an append must end first. A byte order mark alone is no line.
bool LastLineUnended(std::size_t size, std::string_view head, char last);

// The bytes an append writes after the log's: a line end first when its last line has none.
std::string AppendTail(bool lastLineUnended, const std::vector<std::string>& lines);

}  // namespace orlenda::main_log

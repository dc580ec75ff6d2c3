#pragma once

// The main log's text in memory: its bytes decoded into text, line by line, and the text encoded back
// into the bytes that the log file gets. The reads and writes of mainlog/main_log_file.h go through here.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orlenda {

// What a program remembers of the log file it read or last saved, so that its next save keeps the
// bytes of the lines it did not edit and the lines that other programs appended meanwhile.
struct LogFileBaseline {
  std::string path;      // the file this describes; empty: none
  std::size_t size = 0;  // its length when read or saved
  std::size_t hash = 0;  // a hash of those bytes
  bool endsWithLineEnd = true;
  bool byteOrderMark = false;  // the file opened with a UTF-8 byte order mark
  // The text of each line that was not UTF-8, with the line's own bytes.
  std::unordered_map<std::string, std::string> windowsLines;
};

struct LogReadResult {
  bool ok = false;
  std::string message;  // why not, naming the file
  std::string text;     // the lines joined with "\n", no final line end
  LogFileBaseline baseline;
};

// The in-memory steps of the reads and writes of mainlog/main_log_file.h, for a log's bytes already at hand:
// ReadMainLog's result for the bytes (refused as a pilot file or a file with NUL bytes, by `path` too);
LogReadResult DecodeMainLog(const std::string& path, std::string_view bytes);
// the bytes that SaveMainLog writes for the text, before any lines that others appended;
std::string EncodeMainLog(std::string_view text, const LogFileBaseline& baseline);
// the bytes that AppendMainLogLines writes after the log's.
std::string MainLogAppendTail(std::string_view bytes, const std::vector<std::string>& lines);

// Splits text into lines at CR LF, CR or LF; a final empty piece after the last line end is dropped.
std::vector<std::string> SplitLogLines(std::string_view text);

// A pilot file, or a file that holds NUL bytes, named as the log.
std::string PilotFileAsLogMessage(const std::string& path);
std::string BinaryFileAsLogMessage(const std::string& path);

}  // namespace orlenda

#include "mainlog/main_log_text.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "base/windows1252.h"
#include "mainlog/main_log_steps.h"
#include "pilot/pilot_file_target.h"

namespace orlenda {

using namespace main_log;  // the steps this room shares between its files (main_log_steps.h)

namespace {

// Calls `take` with each line of the text, cut at CR LF, CR or LF; a final empty piece after the last
// line end is no line. The next CR and the next LF are each found with one fast search and looked for
// again only once passed, so that a log of many thousands of lines is cut in one pass.
template <typename TakeLine>
void ForEachLogLine(std::string_view text, TakeLine&& take) {
  const auto next = [text](char c, std::size_t from) {
    const std::size_t found = text.find(c, from);
    return found == std::string_view::npos ? text.size() : found;
  };
  std::size_t start = 0;
  std::size_t cr = next('\r', 0);
  std::size_t lf = next('\n', 0);
  while (start < text.size()) {
    if (cr < start) cr = next('\r', start);
    if (lf < start) lf = next('\n', start);
    const std::size_t end = std::min(cr, lf);
    take(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + (end == cr && lf == cr + 1 ? 2 : 1);
  }
}

bool EndsWithLineEnd(std::string_view text) { return text.ends_with('\r') || text.ends_with('\n'); }

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  return text;
}

// The text as SplitLogLines and joining with "\n" would give it, in one pass over a log that may hold
// many thousands of lines: every line end (CR LF, CR or LF) becomes "\n", and the last line's end is
// dropped.
std::string TextWithNewlines(std::string_view text) {
  std::string joined;
  joined.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', start)) {
    joined.append(text.substr(start, cr - start));
    joined += '\n';
    start = cr + (text.compare(cr, 2, "\r\n") == 0 ? 2 : 1);
  }
  joined.append(text.substr(start));
  if (EndsWithLineEnd(text)) joined.pop_back();
  return joined;
}

std::string DecodeLines(std::string_view body, LogFileBaseline& baseline) {
  if (IsValidUtf8(body)) return TextWithNewlines(body);  // the usual log, in one pass
  std::string text;
  text.reserve(body.size() + body.size() / 8);
  const std::vector<std::string> lines = SplitLogLines(body);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += LineText(lines[i], baseline);
  }
  return text;
}

// The file's bytes for the text: each line followed by CR LF, a line read from the file in
// Windows-1252 written back in its own bytes. A first line that itself begins with a byte order mark
// gets one more in front, since the reader drops one: the line then reads back whole.
std::string EncodeText(std::string_view text, const LogFileBaseline& baseline) {
  std::string content;
  content.reserve(text.size() + text.size() / 8 + kLineEnd.size());
  const auto& windows = baseline.windowsLines;
  ForEachLogLine(text, [&content, &windows](std::string_view line) {
    const auto original = windows.empty() ? windows.end() : windows.find(std::string(line));
    if (original != windows.end())
      content += original->second;
    else
      content += line;
    content += kLineEnd;
  });
  // The text has no final line end (it is what ReadMainLog gives and what a text area holds), so a
  // line break at its end starts a last, empty line: keep it, or every load and save would lose one.
  if (EndsWithLineEnd(text)) content += kLineEnd;
  if (content.starts_with(kUtf8ByteOrderMark)) content.insert(0, kUtf8ByteOrderMark);
  if (baseline.byteOrderMark) content.insert(0, kUtf8ByteOrderMark);
  return content;
}

}  // namespace

namespace main_log {

std::span<const std::uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::optional<std::string> RefusalOf(const std::string& path, std::string_view bytes) {
  if (LeadsToPilotFileName(path)) return PilotFileAsLogMessage(path);
  if (bytes.find('\0') == std::string_view::npos) return std::nullopt;
  return HoldsPilotFile(bytes, path) ? PilotFileAsLogMessage(path) : BinaryFileAsLogMessage(path);
}

std::string LineText(const std::string& line, LogFileBaseline& baseline) {
  if (IsValidUtf8(line)) return line;
  std::string text = DecodeWindows1252(line);
  baseline.windowsLines.emplace(text, line);
  return text;
}

void Describe(LogFileBaseline& baseline, const std::string& path, std::string_view bytes) {
  baseline.path = path;
  baseline.size = bytes.size();
  baseline.hash = std::hash<std::string_view>{}(bytes);
  baseline.endsWithLineEnd = WithoutByteOrderMark(bytes).empty() || EndsWithLineEnd(bytes);
}

bool LastLineUnended(std::size_t size, std::string_view head, char last) {
  const bool onlyByteOrderMark = size == kUtf8ByteOrderMark.size() && head == kUtf8ByteOrderMark;
  return size > 0 && !onlyByteOrderMark && last != '\r' && last != '\n';
}

std::string AppendTail(bool lastLineUnended, const std::vector<std::string>& lines) {
  std::string tail = lastLineUnended ? std::string(kLineEnd) : std::string();
  for (const std::string& line : lines) {
    tail += line;
    tail += kLineEnd;
  }
  return tail;
}

}  // namespace main_log

LogReadResult DecodeMainLog(const std::string& path, std::string_view bytes) {
  if (std::optional<std::string> refusal = RefusalOf(path, bytes)) return {false, *refusal, {}, {}};
  LogReadResult result;
  Describe(result.baseline, path, bytes);
  result.baseline.byteOrderMark = bytes.starts_with(kUtf8ByteOrderMark);
  result.text = DecodeLines(WithoutByteOrderMark(bytes), result.baseline);
  result.ok = true;
  return result;
}

std::string EncodeMainLog(std::string_view text, const LogFileBaseline& baseline) {
  return EncodeText(text, baseline);
}

std::string MainLogAppendTail(std::string_view bytes, const std::vector<std::string>& lines) {
  const char last = bytes.empty() ? '\n' : bytes.back();
  return AppendTail(LastLineUnended(bytes.size(), bytes.substr(0, kUtf8ByteOrderMark.size()), last), lines);
}

std::vector<std::string> SplitLogLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLogLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string PilotFileAsLogMessage(const std::string& path) { return PilotFileTargetMessage(path, "the log"); }

std::string BinaryFileAsLogMessage(const std::string& path) {
  return "Cannot use " + path + " as the log: it holds NUL bytes, so it is not a text file";
}

}  // namespace orlenda

#include "report/main_log_file.h"

#include <algorithm>

#include "base/atomic_file.h"
#include "base/file_status.h"
#include "base/windows1252.h"

namespace orlenda {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string JoinLines(const std::vector<std::string>& lines, std::string_view lineEnd, bool endLast) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    if (endLast || i + 1 < lines.size()) text += lineEnd;
  }
  return text;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  return text;
}

// The file's content for its lines, each followed by CR LF. A first line that itself begins with a
// byte order mark gets one more in front, since the reader drops one: the line then reads back whole.
std::string FileContent(const std::vector<std::string>& lines) {
  std::string content = JoinLines(lines, "\r\n", true);
  if (content.starts_with(kUtf8ByteOrderMark)) content.insert(0, kUtf8ByteOrderMark);
  return content;
}

// Plain ASCII, the usual content of a log, is UTF-8 as it stands and needs no decoding.
bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
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
  if (text.ends_with('\n') || text.ends_with('\r')) joined.pop_back();
  return joined;
}

// The file's lines as they stand. An append works on these rather than on the text form, where a
// last empty line would read as a final line end and be lost.
std::optional<std::vector<std::string>> ReadLogLines(const std::string& path) {
  if (IsMissing(path)) return std::vector<std::string>();  // a log not written yet is empty
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return std::nullopt;
  // A log saved by a Windows editor may open with a byte order mark; it is no part of the first line.
  return SplitLogLines(Utf8FromUtf8OrWindows1252(WithoutByteOrderMark(bytes)));
}

}  // namespace

std::optional<std::string> ReadMainLogText(const std::string& path) {
  if (IsMissing(path)) return std::string();
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return std::nullopt;
  const std::string_view text = WithoutByteOrderMark(bytes);
  if (IsAscii(text)) return TextWithNewlines(text);
  return TextWithNewlines(Utf8FromUtf8OrWindows1252(text));
}

std::vector<std::string> SplitLogLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

bool WriteMainLogText(const std::string& path, std::string_view text) {
  // The text has no final line end (it is what ReadMainLogText gives and what a text area holds), so a
  // line break at its end starts a last, empty line: keep it, or every load and save would lose one.
  std::vector<std::string> lines = SplitLogLines(text);
  if (text.ends_with('\n') || text.ends_with('\r')) lines.emplace_back();
  return WriteFileAtomically(path, FileContent(lines));
}

bool AppendMainLogLines(const std::string& path, const std::vector<std::string>& lines) {
  // A log that exists but cannot be read is left alone: rewriting it would lose its lines.
  std::optional<std::vector<std::string>> all = ReadLogLines(path);
  if (!all) return false;
  all->insert(all->end(), lines.begin(), lines.end());
  return WriteFileAtomically(path, FileContent(*all));
}

std::string CannotCreateFileMessage(const std::string& path) { return "Cannot create file " + path; }

std::string CannotOpenFileMessage(const std::string& path) { return "Cannot open file " + path; }

}  // namespace orlenda

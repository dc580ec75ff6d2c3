#include "pilot/save_journal.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "base/fnv1a.h"
#include "base/hex_digits.h"

namespace orlenda {
namespace {

constexpr std::string_view kJournalLine = "orlenda-save-journal 1";
constexpr std::string_view kEndWord = "end ";
constexpr std::string_view kEndLineStart = "\nend ";
// How the first form of the marker, a single sentence, ended.
constexpr std::string_view kFirstFormEnd = " It is kept until a save of the file succeeds.\n";

std::string EndLine(std::string_view body) {
  std::ostringstream line;
  line << kEndWord << std::hex << Fnv1a(body) << "\n";
  return line.str();
}

// The text before the end line, when the end line is the last line and its hash is the text's: a note
// cut short, or changed in any byte, is not a note of ours.
std::optional<std::string_view> CheckedBody(std::string_view text) {
  if (!text.ends_with('\n')) return std::nullopt;
  const std::size_t lineStart = text.rfind('\n', text.size() - 2);
  if (lineStart == std::string_view::npos) return std::nullopt;
  const std::string_view body = text.substr(0, lineStart + 1);
  if (text.substr(lineStart + 1) != EndLine(body)) return std::nullopt;
  return body;
}

std::optional<std::vector<std::uint8_t>> FromHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes(text.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto [end, error] = std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, bytes[i], 16);
    if (error != std::errc() || end != text.data() + 2 * i + 2) return std::nullopt;
  }
  return bytes;
}

}  // namespace

SaveJournal JournalOf(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after,
                      const std::vector<ByteRange>& ranges) {
  SaveJournal journal;
  journal.startHash = Fnv1a(before);
  for (const ByteRange& range : ranges) {
    const auto was = before.subspan(range.offset, range.size);
    const auto will = after.subspan(range.offset, range.size);
    journal.writes.push_back({range.offset, {was.begin(), was.end()}, {will.begin(), will.end()}});
  }
  return journal;
}

std::string JournalText(const std::string& path, const SaveJournal& journal) {
  std::ostringstream text;
  text << "A save of " << path
       << " was begun and has not ended. Until a save of it ends, its .bak is kept as it is.\n"
       << kJournalLine << "\nstart " << std::hex << journal.startHash << std::dec << "\n";
  for (const SaveJournal::Write& write : journal.writes)
    text << "write " << write.offset << " " << LowerHexDigits(write.before) << " "
         << LowerHexDigits(write.after) << "\n";
  return text.str() + EndLine(text.str());
}

namespace {

// The journal of a body without its end line.
std::optional<SaveJournal> ParseBody(std::string_view text) {
  const std::size_t start = text.find(std::string(kJournalLine) + "\n");
  if (start == std::string_view::npos) return std::nullopt;
  std::istringstream lines(std::string(text.substr(start + kJournalLine.size() + 1)));
  SaveJournal journal;
  std::string word;
  if (!(lines >> word >> std::hex >> journal.startHash >> std::dec) || word != "start") return std::nullopt;
  std::string before;
  std::string after;
  SaveJournal::Write write;
  while (lines >> word >> write.offset >> before >> after) {
    auto was = FromHex(before);
    auto will = FromHex(after);
    if (word != "write" || !was || !will || was->size() != will->size()) return std::nullopt;
    journal.writes.push_back({write.offset, std::move(*was), std::move(*will)});
  }
  if (!lines.eof()) return std::nullopt;
  return journal;
}

}  // namespace

std::optional<SaveJournal> ParseJournal(std::string_view marker) {
  const std::optional<std::string_view> body = CheckedBody(marker);
  if (!body) return std::nullopt;
  return ParseBody(*body);
}

bool IsOlderFormOfJournal(std::string_view marker) {
  // The first form said in words why the copy was kept; the next one had no end line, and our
  // replacement of whole files never leaves a marker cut short at a line's end.
  if (marker.ends_with(kFirstFormEnd) && marker.find('\n') == marker.size() - 1) return true;
  return !CheckedBody(marker) && marker.find(kEndLineStart) == std::string_view::npos &&
         ParseBody(marker).has_value();
}

bool IsCompletedByJournaledSave(const SaveJournal& journal, std::span<const std::uint8_t> file) {
  for (const SaveJournal::Write& write : journal.writes) {
    if (write.offset > file.size() || write.after.size() > file.size() - write.offset) return false;
    if (!std::equal(write.after.begin(), write.after.end(),
                    file.begin() + static_cast<std::ptrdiff_t>(write.offset)))
      return false;
  }
  return IsLeftByJournaledSave(journal, file);
}

bool IsLeftByJournaledSave(const SaveJournal& journal, std::span<const std::uint8_t> file) {
  std::vector<std::uint8_t> putBack(file.begin(), file.end());
  for (const SaveJournal::Write& write : journal.writes) {
    if (write.offset > file.size() || write.before.size() > file.size() - write.offset) return false;
    for (std::size_t i = 0; i < write.before.size(); ++i) {
      const std::uint8_t now = file[write.offset + i];
      if (now != write.before[i] && now != write.after[i]) return false;
      putBack[write.offset + i] = write.before[i];
    }
  }
  return Fnv1a(putBack) == journal.startHash;
}

}  // namespace orlenda

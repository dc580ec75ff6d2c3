#include "review/high_scores.h"

#include <algorithm>
#include <vector>

#include "base/ascii_text.h"
#include "base/decimal_number.h"
#include "base/display_text.h"
#include "base/file_bytes.h"
#include "base/utf8.h"
#include "pilot/pilot_record.h"

namespace orlenda {
namespace {

// A high-score table is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxHighScoresSize = 1024 * 1024;

bool IsUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();)
    if (!NextCodePoint(text, pos)) return false;
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The fields of one CSV line (RFC 4180 quoting within the line); nothing when a quote is left open.
std::optional<std::vector<std::string>> CsvFields(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (quoted) return std::nullopt;
  return fields;
}

std::string LineError(std::size_t number, const std::string& what) {
  return "line " + std::to_string(number) + ": " + what;
}

bool IsHeading(const std::vector<std::string>& fields) {
  return fields.size() >= 2 && SameIgnoringAsciiCase(Trimmed(fields[0]), "mission") &&
         SameIgnoringAsciiCase(Trimmed(fields[1]), "score");
}

// One row into `scores`; the fault in words when it is not a mission and a score.
std::string AddRow(const std::vector<std::string>& fields, HighScores& scores) {
  if (fields.size() < 2) return "a mission number and a score are wanted, separated by a comma";
  const std::string_view missionText = Trimmed(fields[0]);
  const std::optional<int> mission = ParseDecimalNumber(missionText);
  if (!mission || *mission < 1 || *mission > static_cast<int>(kMissionSlotCount))
    return NotAValue(missionText, "a mission number (1 to 255)");
  const std::string_view scoreText = Trimmed(fields[1]);
  const std::optional<int> score = ParseDecimalNumber(scoreText);
  if (!score) return NotAValue(scoreText, "a score (a whole number)");
  if (!scores.scoreOf.emplace(*mission, static_cast<std::int32_t>(*score)).second)
    return "mission " + std::to_string(*mission) + " is given twice";
  return {};
}

}  // namespace

std::optional<std::int32_t> HighScores::ScoreOf(int mission) const {
  const auto found = scoreOf.find(mission);
  if (found == scoreOf.end()) return std::nullopt;
  return found->second;
}

HighScoresRead ParseHighScores(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte order mark, as spreadsheets save
  HighScores scores;
  bool headingSeen = false;
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!IsUtf8(line)) return {std::nullopt, LineError(number, "the text is not UTF-8")};
    if (Trimmed(line).empty()) continue;
    const auto fields = CsvFields(line);
    if (!fields) return {std::nullopt, LineError(number, "a quote is not closed")};
    if (!headingSeen) {
      if (!IsHeading(*fields))
        return {std::nullopt, LineError(number, "the heading row \"mission,score\" is wanted")};
      headingSeen = true;
      continue;
    }
    if (std::string fault = AddRow(*fields, scores); !fault.empty())
      return {std::nullopt, LineError(number, fault)};
  }
  if (!headingSeen) return {std::nullopt, "the file is empty: the heading row \"mission,score\" is wanted"};
  return {std::move(scores), {}};
}

HighScoresRead ReadHighScoresFile(const std::string& path) {
  std::string text;
  std::string reason;
  if (!ReadFileUpTo(path, kMaxHighScoresSize, text, reason))
    return {std::nullopt, "Cannot read " + EscapedText(path) + " (" + reason + ")"};
  HighScoresRead read = ParseHighScores(text);
  if (!read.scores) read.error = EscapedText(path) + " " + read.error;
  return read;
}

}  // namespace orlenda

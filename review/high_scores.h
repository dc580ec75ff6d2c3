#pragma once

// A battle's reference high scores, which a club keeps as a CSV file: UTF-8, a heading row whose first
// two columns are `mission,score` (further columns are ignored), then one row per mission with the
// game's mission number and its high score.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orlenda {

struct HighScores {
  std::map<int, std::int32_t> scoreOf;  // by the game's mission number

  std::optional<std::int32_t> ScoreOf(int mission) const;
};

// The scores, or the first fault: "line 3: ..." for a line that is not a mission and a score (empty
// lines are skipped).
struct HighScoresRead {
  std::optional<HighScores> scores;
  std::string error;
};

HighScoresRead ParseHighScores(std::string_view text);

// The same for a file; a file that cannot be read is an error that says why.
HighScoresRead ReadHighScoresFile(const std::string& path);

}  // namespace orlenda

// A club's high-score table as a spreadsheet saves it, and the faults a reviewer must be shown by line.

#include "review/high_scores.h"

#include <gtest/gtest.h>

#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

TEST(HighScoresTest, ASpreadsheetsCsvWithFurtherColumns) {
  const HighScoresRead read = ParseHighScores(
      "\xEF\xBB\xBFMission,Score,Pilot\r\n54,5000,\"Doe, J.\"\r\n\r\n 55 , 11000\r\n\"56\",-3");
  ASSERT_TRUE(read.scores.has_value()) << read.error;
  EXPECT_EQ(read.scores->scoreOf, (std::map<int, std::int32_t>{{54, 5000}, {55, 11000}, {56, -3}}));
  EXPECT_EQ(read.scores->ScoreOf(57), std::nullopt);
}

TEST(HighScoresTest, AFaultNamesItsLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "the file is empty: the heading row \"mission,score\" is wanted"},
      {"score,mission\n54,1", "line 1: the heading row \"mission,score\" is wanted"},
      {"mission,score\n54,1\n\n0,5", "line 4: \"0\" is not a mission number (1 to 255)"},
      {"mission,score\n54;100", "line 2: a mission number and a score are wanted, separated by a comma"},
      {"mission,score\n54,1e3", "line 2: \"1e3\" is not a score (a whole number)"},
      {"mission,score\n54,1\n54,2", "line 3: mission 54 is given twice"},
      {"mission,score\n\"54,1", "line 2: a quote is not closed"},
      {"mission,score\n54,\xFF", "line 2: the text is not UTF-8"},
  };
  for (const auto& [text, error] : cases) {
    const HighScoresRead read = ParseHighScores(text);
    EXPECT_FALSE(read.scores.has_value()) << text;
    EXPECT_EQ(read.error, error) << text;
  }
}

TEST(HighScoresTest, AFileIsNamedInItsFault) {
  test::TempDir dir;
  const std::string path = dir.File("high.csv");
  test::WriteBytes(path, "mission,score\nfifty,1\n");
  EXPECT_EQ(ReadHighScoresFile(path).error, path + " line 2: \"fifty\" is not a mission number (1 to 255)");
  EXPECT_EQ(ReadHighScoresFile(dir.File("none.csv")).scores, std::nullopt);
}

}  // namespace
}  // namespace orlenda

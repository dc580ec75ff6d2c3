// The change line and the lost-missions warning, from the summaries the history keeps.

#include "history/change_line.h"

#include <gtest/gtest.h>

#include "history_test_support.h"

namespace orlenda {
namespace {

StateSummary Summary(const std::string& name, int won, int rank = 0) {
  return SummaryOf(test::HistoryPilot(name, won, rank));
}

TEST(ChangeLineTest, NamesTheDetailsTheMissionsAndTheTotalThatChanged) {
  const StateSummary rookie = Summary("Ace", 3, 1);
  EXPECT_EQ(ChangeLine(nullptr, rookie), "first state");
  EXPECT_EQ(ChangeLine(&rookie, rookie), "no change of career");
  EXPECT_EQ(ChangeLine(&rookie, Summary("Ace", 3, 2)), "Rank Flight Cadet \u2192 Flight Officer");
  EXPECT_EQ(ChangeLine(&rookie, Summary("Ace", 6, 1)), "+ missions 4\u20136, total 375 \u2192 750");
  EXPECT_EQ(ChangeLine(&rookie, Summary("Wedge", 2, 1)),
            "Name \"Ace\" \u2192 \"Wedge\", - mission 3, total 375 \u2192 250");
}

TEST(ChangeLineTest, MissionRunsAndTheLostMissionsWarning) {
  WonMissions missions;
  for (const int slot : {0, 2, 3, 4, 9}) missions.set(static_cast<std::size_t>(slot));
  EXPECT_EQ(MissionRunsText(missions), "1, 3\u20135, 10");

  const StateSummary kept = Summary("Ace", 58);
  const StateSummary now = Summary("Ace", 55);
  EXPECT_TRUE(CareerWentBack(kept, now));
  EXPECT_FALSE(CareerWentBack(now, kept));
  EXPECT_EQ(
      LostMissionsWarning(kept, now, "3 Dec 2026"),
      "Ace has lost missions 56\u201358 since 3 Dec 2026 (campaign total 7,250 \u2192 6,875). History holds "
      "the earlier state.");
}

}  // namespace
}  // namespace orlenda

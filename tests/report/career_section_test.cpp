// The report's campaign battles: shown for a file whose campaign the listing does not show whole, in
// the battles of its layout, closed by whether the sums add up.

#include "report/career_section.h"

#include <gtest/gtest.h>

#include "pilot/file_layout.h"
#include "pilot/mission_record.h"
#include "report_test_support.h"

namespace orlenda {
namespace {

std::string Section(const PilotRecord& record) {
  LineCollector sink;
  AppendCareerSection(record, sink);
  return test::JoinLines(sink.lines());
}

TEST(CareerSectionTest, StockFileWithARecordPastItsListShowsItsBattles) {
  PilotRecord record;
  record.TODScoreA = 300;
  record.TODBonus = 30;
  for (std::size_t i = 0; i < 3; ++i) record.CampaignMissions[i] = tools::PresentMission(100, 10, 61);
  std::vector<std::uint8_t> bytes = tools::EncodePilotFile(record);
  EXPECT_EQ(Section(test::ThroughFile(record)), "") << "the listing shows the whole campaign";

  // Mission 4 flown once and lost: its record has no win, so the load's list ends before it.
  const std::size_t slot = MissionSlotOffset(field::CampaignMissions, 3);
  tools::PatchInt32(bytes, slot + mission_record::kMissionTag, 1);
  tools::PatchInt32(bytes, slot + mission_record::kScore, 120);
  tools::PatchInt32(bytes, slot + mission_record::kTime, 30);
  const LoadResult loaded = LoadPilotBytes(bytes, static_cast<std::int64_t>(bytes.size()), "a.plt");
  ASSERT_EQ(loaded.record.CampaignMissionCount, 3);
  EXPECT_EQ(
      Section(loaded.record),
      "\n"
      "--- Campaign battles: ----------------------------\n"
      "Layout: stock campaign\n"
      "Battle 0 (missions 1 to 9): 3 of 9 won, incomplete; Score= 420 Bonus= 30 Time= 3:33\n"
      "  01 - Aeron's Lesson: Transport Operations: Attempts= 1 Wins= 1 Score= 100 Bonus= 10 Time= 1:1\n"
      "  02 - Emon's Lesson: Weapons: Attempts= 1 Wins= 1 Score= 100 Bonus= 10 Time= 1:1\n"
      "  03 - Aeron's Error: Data Recovery: Attempts= 1 Wins= 1 Score= 100 Bonus= 10 Time= 1:1\n"
      "  04 - Sticking it to the Viraxos: Covert Delivery: Attempts= 1 Wins= 0 Score= 120 Bonus= 0 Time= "
      "0:30\n"
      "Battle 1 (missions 10 to 16): not flown\n"
      "Battle 2 (missions 17 to 22): not flown\n"
      "Battle 3 (missions 23 to 29): not flown\n"
      "Battle 4 (missions 30 to 35): not flown\n"
      "Battle 5 (missions 36 to 42): not flown\n"
      "Battle 6 (missions 43 to 49): not flown\n"
      "Battle 7 (missions 50 to 53): not flown\n"
      "Missions' scores 420 and bonuses 30 do not add up to the stored TOD/Azzameen scores 300 and "
      "bonuses 30.\n");
}

class CareerSectionRealTest : public ::testing::Test, protected test::ReportFixture {};

TEST_F(CareerSectionRealTest, TotalConversionPilotEndsItsReportWithItsWonMissions) {
  if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const LoadResult loaded = LoadPilotFile((test::RealPilotsDir() / "PickledYoda0.plt").string());
  ASSERT_TRUE(loaded.Succeeded());
  const std::string report = Report(loaded.record);
  const std::string section = Section(loaded.record);
  ASSERT_TRUE(report.ends_with(section));
  EXPECT_TRUE(
      section.starts_with("\n--- Campaign battles: ----------------------------\nLayout: total conversion\n"
                          "Battle 1 (missions 4 to 9): 4 of 6 won, incomplete; Score= 10492 Bonus= 0"));
  std::size_t won = 0;
  for (std::size_t at = 0; (at = section.find("Wins= 1 ", at)) != std::string::npos; ++at) ++won;
  EXPECT_EQ(won, 25u);
  EXPECT_TRUE(section.ends_with(
      "Missions' scores 67559 and bonuses 114350 add up to the stored TOD/Azzameen scores 67559 and bonuses "
      "114350.\n"));
}

// A club's battle of one mission, flown by a fresh pilot whose stock missions are all marked skipped.
TEST_F(CareerSectionRealTest, ClubBattleOfOneMissionAfterTheSkippedStockBattles) {
  if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const LoadResult loaded = LoadPilotFile((test::RealPilotsDir() / "steem.plt").string());
  ASSERT_TRUE(loaded.Succeeded());
  const std::string section = Section(loaded.record);
  EXPECT_NE(section.find("Layout: club battle\nBattle 0 (missions 1 to 9): not flown, 9 missions skipped\n"),
            std::string::npos)
      << section;
  EXPECT_NE(section.find("Battle 8 (mission 54): 1 of 1 won, complete; Score= 55 Bonus= 0 Time= 17:25\n"
                         "  54 - battle 8, mission 1: Attempts= 1 Wins= 1 Score= 55 Bonus= 0 Time= 17:25\n"),
            std::string::npos)
      << section;
}

}  // namespace
}  // namespace orlenda

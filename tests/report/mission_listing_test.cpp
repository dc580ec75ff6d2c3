// The campaign listing with its range correction and the combat simulator listing: line forms under
// every flag combination, the listings' own ShowZeroMissions test, and what is listed.

#include <gtest/gtest.h>

#include <limits>

#include "report/sim_listing.h"
#include "report_test_support.h"

namespace orlenda {
namespace {

using tools::PresentMission;

constexpr const char* kCampaignHeader = "--- Mission details: ----------------------------";
constexpr const char* kSimHeader = "-- Combat simulator mission details: --";

// Missions 1..count, mission n scoring n * 100 with bonus n and time 60 * n.
PilotRecord PilotWithMissions(int count) {
  PilotRecord record;
  for (int n = 1; n <= count; ++n)
    record.CampaignMissions[static_cast<std::size_t>(n - 1)] = PresentMission(n * 100, n, 60 * n);
  return test::ThroughFile(record);
}

class MissionListingTest : public ::testing::Test, protected test::ReportFixture {
 protected:
  std::vector<std::string> Campaign(const PilotRecord& record, MissionRange& range) {
    LineCollector sink;
    RipScore(record, store(), range, sink);
    return sink.lines();
  }

  std::vector<std::string> Simulator(const PilotRecord& record) {
    LineCollector sink;
    SimRipScore(record, store(), sink);
    return sink.lines();
  }

  // The numbers before ": " of the listed lines, after the header.
  std::vector<int> ListedNumbers(const PilotRecord& record, MissionRange& range) {
    const std::vector<std::string> lines = Campaign(record, range);
    EXPECT_EQ(lines.front(), kCampaignHeader);
    std::vector<int> numbers;
    for (std::size_t i = 1; i < lines.size(); ++i) numbers.push_back(std::stoi(lines[i]));
    return numbers;
  }
};

TEST_F(MissionListingTest, RangeIsPulledIntoTheLoadedMissions) {
  const struct {
    int missions, from, to;
    int correctedFrom, correctedTo;
    std::vector<int> listed;
  } cases[] = {
      {10, 0, 10, 0, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {10, 0, 0, 0, 0, {}},
      {10, 0, 5, 0, 5, {1, 2, 3, 4, 5}},
      {10, 1, 5, 1, 5, {1, 2, 3, 4, 5}},
      {10, 5, 3, 2, 3, {2, 3}},
      {40, 50, 300, 39, 40, {39, 40}},
      {10, 2, -4, 0, 0, {}},
      {10, -7, 4, 0, 4, {1, 2, 3, 4}},
      {10, 4, 4, 4, 4, {4}},
      {0, 3, 7, 0, 0, {}},
      {0, -2, -9, 0, 0, {}},
      {255, std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), 254, 255, {254, 255}},
      {10, std::numeric_limits<int>::min(), std::numeric_limits<int>::min(), 0, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.missions << " missions, From " << c.from << ", To " << c.to);
    const PilotRecord record = PilotWithMissions(c.missions);
    MissionRange range{c.from, c.to};
    EXPECT_EQ(ListedNumbers(record, range), c.listed);
    EXPECT_EQ(range.From, c.correctedFrom);
    EXPECT_EQ(range.To, c.correctedTo);
  }
}

TEST_F(MissionListingTest, TheBookExamples) {
  PilotRecord record;
  record.CampaignMissions[0] = PresentMission(1, 0, 0);
  record.CampaignMissions[1] = PresentMission(2, 0, 0);
  record.CampaignMissions[2] = PresentMission(12000, 345, 125);
  record = test::ThroughFile(record);
  MissionRange range{3, 3};
  EXPECT_EQ(Campaign(record, range),
            (std::vector<std::string>{kCampaignHeader, "3: Tot. Score= 12345 (12000+345)"}));
  Settings({"ShowMissionTime=1"});
  EXPECT_EQ(Campaign(record, range).back(), "3: Tot. Score= 12345 (12000+345) Time=2:5");
  Settings({"ShowMissionTotal=0"});
  EXPECT_EQ(Campaign(record, range).back(), "3: Score=12000 Bonus=345");

  PilotRecord sim;
  sim.SimMissions[0] = PresentMission(1, 0, 0);
  sim.SimMissions[1] = PresentMission(8000, 150, 200);
  sim = test::ThroughFile(sim);
  Settings({});
  EXPECT_EQ(Simulator(sim), (std::vector<std::string>{kSimHeader, "1: Best Tot. Score= 1 (1+0)",
                                                      "2: Best Tot. Score= 8150 (8000+150)"}));
  Settings({"ShowMissionTime=1"});
  EXPECT_EQ(Simulator(sim).back(), "2: Best Tot. Score= 8150 (8000+150) Best Time=3:20");
}

TEST_F(MissionListingTest, EveryFlagCombination) {
  PilotRecord record;
  record.CampaignMissions[0] = PresentMission(-7, 3, 61);
  record.SimMissions[0] = PresentMission(-7, 3, 61);
  record = test::ThroughFile(record);
  const struct {
    const char *total, *score, *bonus, *campaign, *simulator;
  } cases[] = {
      {"1", "1", "1", "1: Tot. Score= -4 (-7+3)", "1: Best Tot. Score= -4 (-7+3)"},
      {"1", "1", "0", "1: Tot. Score= -4 (-7)", "1: Best Tot. Score= -4 (-7)"},
      {"1", "0", "1", "1: Tot. Score= -4 (Bonus=3)", "1: Best Tot. Score= -4 (Best Bonus=3)"},
      {"1", "0", "0", "1: Tot. Score= -4", "1: Best Tot. Score= -4"},
      {"0", "1", "1", "1: Score=-7 Bonus=3", "1: Best Score=-7 Best Bonus=3"},
      {"0", "1", "0", "1: Score=-7", "1: Best Score=-7"},
      {"0", "0", "1", "1:  (Bonus=3)", "1:  (Best Bonus=3)"},
      {"0", "0", "0", "1: ", "1: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.campaign);
    Settings({std::string("ShowMissionTotal=") + c.total, std::string("ShowMissionScore=") + c.score,
              std::string("ShowMissionBonus=") + c.bonus});
    MissionRange range{0, 1};
    EXPECT_EQ(Campaign(record, range).back(), c.campaign);
    EXPECT_EQ(Simulator(record).at(1), c.simulator);
    Settings({std::string("ShowMissionTotal=") + c.total, std::string("ShowMissionScore=") + c.score,
              std::string("ShowMissionBonus=") + c.bonus, "ShowMissionTime=1"});
    EXPECT_EQ(Campaign(record, range).back(), std::string(c.campaign) + " Time=1:1");
    EXPECT_EQ(Simulator(record).at(1), std::string(c.simulator) + " Best Time=1:1");
  }
}

TEST_F(MissionListingTest, FlagsOtherThanExactlyOneAreOff) {
  PilotRecord record;
  record.CampaignMissions[0] = PresentMission(10, 2, 0);
  record = test::ThroughFile(record);
  MissionRange range{0, 1};
  Settings({"ShowMissionTotal=true", "ShowMissionScore=", "showmissionbonus=1", "ShowMissionTime=2"});
  EXPECT_EQ(Campaign(record, range).back(), "1:  (Bonus=2)");
}

// The listings list a mission without results unless ShowZeroMissions is exactly "0", unlike every
// other flag, which is on only when exactly "1".
TEST_F(MissionListingTest, ZeroMissionsAreListedUnlessTheSettingIsExactlyZero) {
  PilotRecord record;
  for (std::size_t i = 0; i < 7; ++i) record.CampaignMissions[i] = PresentMission(0, 0, 0);
  record.CampaignMissions[7] = PresentMission(0, 0, 1);
  record = test::ThroughFile(record);
  ASSERT_EQ(record.CampaignMissionCount, 8);
  for (const char* hidden : {"", "ShowZeroMissions=0", "ShowZeroMissions= 0 "}) {
    Settings({hidden});
    MissionRange range{0, 8};
    EXPECT_EQ(Campaign(record, range), (std::vector<std::string>{kCampaignHeader, "8: Tot. Score= 0 (0+0)"}))
        << hidden;
    EXPECT_EQ(Simulator(record), (std::vector<std::string>{kSimHeader})) << hidden;
  }
  for (const char* shown : {"ShowZeroMissions=1", "ShowZeroMissions=", "ShowZeroMissions=2",
                            "ShowZeroMissions=true", "ShowZeroMissions=00", "showzeromissions=-1"}) {
    Settings({shown});
    MissionRange range{0, 8};
    const std::vector<std::string> lines = Campaign(record, range);
    ASSERT_EQ(lines.size(), 9u) << shown;
    EXPECT_EQ(lines[7], "7: Tot. Score= 0 (0+0)") << shown;
    const std::vector<std::string> simulator = Simulator(record);
    ASSERT_EQ(simulator.size(), 257u) << shown;
    EXPECT_EQ(simulator[1], "1: Best Tot. Score= 0 (0+0)");
    EXPECT_EQ(simulator[256], "256: Best Tot. Score= 0 (0+0)");
  }
}

TEST_F(MissionListingTest, ListingsAppendToWhatTheSinkHolds) {
  const PilotRecord record = PilotWithMissions(2);
  LineCollector sink;
  MissionRange range{0, 2};
  RipScore(record, store(), range, sink);
  RipScore(record, store(), range, sink);
  EXPECT_EQ(test::JoinLines(sink.lines()),
            std::string(kCampaignHeader) + "\n1: Tot. Score= 101 (100+1)\n2: Tot. Score= 202 (200+2)\n" +
                kCampaignHeader + "\n1: Tot. Score= 101 (100+1)\n2: Tot. Score= 202 (200+2)\n");
}

TEST_F(MissionListingTest, SumsWrapLikeTheFilesIntegers) {
  PilotRecord record;
  record.CampaignMissions[0] = PresentMission(std::numeric_limits<std::int32_t>::max(), 1, 0);
  record.SimMissions[0] = PresentMission(std::numeric_limits<std::int32_t>::min(), -1, 0);
  record = test::ThroughFile(record);
  MissionRange range{0, 1};
  EXPECT_EQ(Campaign(record, range).back(), "1: Tot. Score= -2147483648 (2147483647+1)");
  EXPECT_EQ(Simulator(record).back(), "1: Best Tot. Score= 2147483647 (-2147483648+-1)");
}

}  // namespace
}  // namespace orlenda

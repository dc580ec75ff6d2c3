// The career model of the score charts against the report: each bar holds the very values of the
// campaign listing's line for that mission, the running total ends at the report's campaign total, the
// check's count reaches the note, values wrap as the file's int32 do, and the axes are round.

#include "roster/career.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "pilot/le_int32.h"
#include "pilot/pilot_load.h"
#include "report/campaign_listing.h"
#include "report/consistency_check.h"
#include "report/number_text.h"
#include "report/sim_listing.h"
#include "roster/career_scale.h"
#include "roster/roster_build.h"
#include "roster/roster_columns.h"
#include "settings/settings_snapshot.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

// Every mission listed, with every value: a line for each bar.
const SettingsSnapshot kWholeListing =
    SettingsSnapshot::OfText("[Orlenda]\nShowZeroMissions=1\nShowMissionTime=1\n");

// The line that the listing prints for a mission, written from the mission's values as the listing
// writes them; the report's own lines are what it is compared with.
std::string LineOf(const CareerMission& mission, std::string_view totalLabel, std::string_view timeLabel) {
  const MissionValues& v = mission.values;
  return IntText(mission.number) + ": " + std::string(totalLabel) + IntText(v.total) + " (" +
         IntText(v.score) + "+" + IntText(v.bonus) + ")" + std::string(timeLabel) +
         MissionTimeText(v.time, TimeSeconds::kAsListed);
}

std::vector<std::string> CampaignListing(const PilotRecord& record) {
  LineCollector lines;
  MissionRange range{0, record.CampaignMissionCount};
  AppendCampaignListing(record, kWholeListing, range, lines);
  return {lines.lines().begin() + 1, lines.lines().end()};  // without the header
}

// The listing's total of a line: the number after "Tot. Score= ".
std::int32_t ListedTotal(const std::string& line) {
  const std::size_t start = line.find("= ") + 2;
  return static_cast<std::int32_t>(std::stol(line.substr(start, line.find(' ', start) - start)));
}

TEST(CareerTest, RealPilotsBarsAreTheListingsLinesAndTheRunningTotalEndsAtTheReportsTotal) {
  if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  test::TempDir dir;
  int pilots = 0;
  for (const auto& entry : fs::directory_iterator(test::RealPilotsDir())) {
    if (entry.path().extension() != ".plt") continue;
    const fs::path copy = dir.path() / entry.path().filename();
    fs::copy_file(entry.path(), copy);
    SCOPED_TRACE(copy.filename().string());
    const LoadResult loaded = LoadPilotFile(copy.string());
    ASSERT_TRUE(loaded.Succeeded());
    const PilotCareer career = CareerOf(loaded.record, kWholeListing);

    // The bars that the listing also shows carry its lines; a club's pilot has bars past them.
    const std::vector<std::string> listing = CampaignListing(loaded.record);
    std::int32_t listedSum = 0;
    for (const CareerMission& mission : career.campaign) {
      const auto listed = static_cast<std::size_t>(mission.number - 1);
      if (listed >= listing.size()) continue;
      EXPECT_EQ(LineOf(mission, "Tot. Score= ", " Time="), listing[listed]);
      listedSum = static_cast<std::int32_t>(static_cast<std::uint32_t>(listedSum) +
                                            static_cast<std::uint32_t>(ListedTotal(listing[listed])));
    }
    ++pilots;
    // The Pilots window's campaign total of the same file is the chart's last running total, whatever
    // the layout (a total conversion's campaign lies past the listing's first slot).
    const RosterRow row = RosterRowOf(copy.string(), kWholeListing, {});
    const std::int32_t last = career.campaign.empty() ? 0 : career.campaign.back().runningTotal;
    EXPECT_EQ(IntText(last), CellText(row, RosterColumn::kCampaignTotal));
    if (career.campaign.size() != listing.size()) continue;  // the club's pilots end here
    EXPECT_EQ(last, listedSum);
    EXPECT_EQ(career.checkErrorCount, row.checkErrorCount);
    EXPECT_EQ(career.fileName, row.fileName);
    EXPECT_EQ(career.pilotName, row.pilotName);
  }
  EXPECT_EQ(pilots, 8);
}

TEST(CareerTest, SimulatorMissionsAreTheSimulatorListingsLines) {
  const PilotRecord record = tools::SamplePilotRecord();
  const PilotCareer career = CareerOf(record, kWholeListing);
  LineCollector lines;
  SimRipScore(record, kWholeListing, lines);
  ASSERT_EQ(career.simulator.size(), 4u);
  for (std::size_t i = 0; i < career.simulator.size(); ++i)
    EXPECT_EQ(LineOf(career.simulator[i], "Best Tot. Score= ", " Best Time="), lines.lines()[i + 1]);
  EXPECT_EQ(career.simulator[2].label, "Combat simulator mission 3");
}

TEST(CareerTest, NamesTheMissionsAndTheActiveOneAsTheActiveMissionListDoes) {
  PilotRecord record;
  for (std::size_t i = 0; i < 252; ++i) record.CampaignMissions[i] = tools::PresentMission(100, 10, 60);
  record.CampaignMissionCount = 18;
  PilotCareer career = CareerOf(record, kWholeListing);
  EXPECT_EQ(career.campaign[16].label, "17 - Flight Staff Transfer");
  EXPECT_EQ(career.campaign[17].label, "18 - Ensnare Imperial Prototypes");
  EXPECT_EQ(career.activeMission, 19);
  EXPECT_EQ(career.activeMissionLabel, "19 - Kill K'Armyn Viraxo");  // without the list's trailing blank
  EXPECT_EQ(MissionSummary(career.campaign[16]),
            "17 - Flight Staff Transfer: score 100 + bonus 10 = 110, time 1:00");

  record.CampaignMissionCount = 252;
  career = CareerOf(record, kWholeListing);
  // Past the stock names a mission goes by its battle, as the career model places it.
  EXPECT_EQ(career.campaign[249].label, "250 - battle 8, mission 197");
  record.CampaignMissionCount = 255;
  EXPECT_FALSE(CareerOf(record, kWholeListing).activeMission.has_value());
}

TEST(CareerTest, TheChecksCountReachesTheNoteAndFollowsCheckCheat) {
  PilotRecord record = tools::SamplePilotRecord();
  EXPECT_EQ(CareerOf(record, kWholeListing).checkErrorCount, 0);
  EXPECT_EQ(CheckErrorCountText(0), "");
  record.TODScoreC = WrappingAdd(record.TODScoreC, 5);  // one tampered copy
  EXPECT_EQ(CareerOf(record, kWholeListing).checkErrorCount, 1);
  EXPECT_EQ(CheckErrorCountText(1), "1 error(s) found!");
  record.AzzScoreD = WrappingAdd(record.AzzScoreD, 5);
  EXPECT_EQ(CheckErrorCountText(CareerOf(record, kWholeListing).checkErrorCount), "2 error(s) found!");
  EXPECT_EQ(CareerOf(record, SettingsSnapshot::OfText("[Orlenda]\nCheckCheat=0\n")).checkErrorCount, 0);
}

TEST(CareerTest, TotalsWrapAsTheFilesInt32AndBarsStackWhatTheListingPrints) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  PilotRecord record;
  record.CampaignMissions[0] = tools::PresentMission(kMax, 1, 0);
  record.CampaignMissions[1] = tools::PresentMission(kMax, kMax, 0);
  record.CampaignMissionCount = 2;
  const PilotCareer career = CareerOf(record, kWholeListing);
  EXPECT_EQ(career.campaign[0].values.total, std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(career.campaign[1].runningTotal, kMax - 1);                                     // min + (-2)
  EXPECT_EQ(StackOf(career.campaign[1].values).bonusTop, career.campaign[1].values.total);  // -2
  const ValueScale scale = BarScale(career.campaign, 6);
  EXPECT_GE(scale.high, kMax);
  EXPECT_LE(scale.low, std::numeric_limits<std::int32_t>::min());
  const ValueScale totals = RunningTotalScale({career}, 6);
  EXPECT_LE(totals.low, std::numeric_limits<std::int32_t>::min());
  EXPECT_GE(totals.high, kMax - 1);
}

TEST(CareerTest, AxesHaveRoundGroupedTicksAndReadableMissionNumbers) {
  const ValueScale scores = RoundScale(0, 15490, 6);
  std::vector<std::string> labels;
  for (const ScaleTick& tick : scores.ticks) labels.push_back(tick.label);
  EXPECT_EQ(labels, (std::vector<std::string>{"0", "5,000", "10,000", "15,000", "20,000"}));
  const ValueScale across = RoundScale(-1200, 3000, 6);
  EXPECT_EQ(across.low, -2000);
  EXPECT_EQ(across.high, 3000);
  EXPECT_EQ(RoundScale(-5, 5, 2).ticks.size(), 3u);  // never fewer than one interval on each side
  EXPECT_EQ(RoundScale(0, 0, 5).high, 1);

  EXPECT_EQ(MissionTicks(1, 59, 10), (std::vector<int>{1, 10, 20, 30, 40, 50}));
  EXPECT_EQ(MissionTicks(1, 5, 10), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(MissionTicks(1, 255, 12).size(), 6u);  // 1, 50, 100, 150, 200, 250
  EXPECT_TRUE(MissionTicks(1, 0, 10).empty());
}

TEST(CareerTest, FilesThatFailToLoadAreLeftOutWithTheirMessage) {
  test::TempDir dir;
  const std::string good = dir.File("good.plt");
  const std::string broken = dir.File("broken.plt");
  tools::WriteBytesToFile(good, tools::EncodePilotFile(tools::SamplePilotRecord()));
  tools::WriteBytesToFile(broken, std::vector<std::uint8_t>(100, 'x'));
  const LoadedCareers loaded = LoadCareers({broken, good}, kWholeListing);
  ASSERT_EQ(loaded.careers.size(), 1u);
  EXPECT_EQ(loaded.careers[0].fileName, "good.plt");
  ASSERT_EQ(loaded.leftOut.size(), 1u);
  EXPECT_TRUE(loaded.leftOut[0].starts_with("broken.plt: The file have wrong size. 100 "))
      << loaded.leftOut[0];
}

}  // namespace
}  // namespace orlenda

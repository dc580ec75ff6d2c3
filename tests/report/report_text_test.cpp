// Whole reports of generated pilots, compared line for line: the section order, the summary block,
// the full details with every table, and the zero cases of each section.

#include <gtest/gtest.h>

#include "report_test_support.h"

namespace orlenda {
namespace {

using tools::PresentMission;

// A pilot with a value of its own in every field the reports print, rows that each table must hide,
// and stored scores that agree with each other and with the campaign missions.
PilotRecord Wedge() {
  PilotRecord r;
  tools::SetText(r.PilotName, "Wedge");
  tools::SetText(r.MPJoinGameName, "Join me");
  tools::SetText(r.MPHostGameName, "Host\xE9");
  r.TODScoreA = r.TODScoreB = r.TODScoreC = r.TODScoreD = 1000;
  r.TODBonus = 50;
  r.AzzScoreA = 7;
  r.AzzScoreB = r.AzzScoreC = r.AzzScoreD = 200;
  r.AzzBonus = 5;
  r.SimScoreA = 8000, r.SimScoreB = 8001, r.SimScoreC = 8002, r.SimScoreD = 8003;
  r.SimBonus = 150;
  r.TODMissileHits = 2, r.TODMissilesFired = 3;
  r.TODLaserHit = 4, r.TotalLaserA = 4;
  r.LaserHitA = 9, r.MissileCountAB = 6;
  r.ToNextRating = 42;
  r.CampaignMissions[0] = PresentMission(200, 5, 59);
  r.CampaignMissions[1] = PresentMission(0, 0, 0);
  r.CampaignMissions[2] = PresentMission(1000, 50, 125);
  r.SimMissions[0] = PresentMission(8000, 150, 200);
  r.TODKillCount = 5;
  r.TODKillsA[0] = 3, r.TODAssistsA[0] = 1;
  r.TODAssistsA[5] = 9;  // no kills: hidden
  r.TODKillsA[230] = 2;
  r.TODKillsB[1] = -1, r.TODAssistsB[1] = 8;  // hidden
  r.TODKillsB[2] = 4, r.TODAssistsB[2] = 2;
  r.AzzKillCount = 1;
  r.AzzKills[3] = 1, r.AzzAssistsA[3] = 2, r.AzzAssistsB[3] = 3;
  r.SimKillsB[4] = 5, r.SimAssists[4] = 1;  // shown by list B alone
  r.SimKillsA[6] = -2, r.SimKillsB[6] = 1;  // shown, and list A's -2 counts
  r.SimKillsA[7] = 3;
  r.PlayersKilledByRating[0] = 1, r.PlayersKilledByRating[14] = 3;
  r.KilledByPlayersByRating[24] = 2, r.KilledByPlayersByRating[3] = -5;
  r.CraftLosses = 9, r.LossesToNonPlayerCraft = 3, r.LossesToStarships = 2, r.LossesToMines = 1;
  r.LossesFromCollisions = 1;
  return test::ThroughFile(r, "C:\\XWA\\Wedge_Antilles.plt");
}

constexpr const char* kWedgeReport =
    "Name: Wedge\n"
    "TOD Score: 1000 TOD Bonus: 50\n"
    "Azz Score: 200 Azz Bonus: 5\n"
    "-------------------------------------------------\n"
    "TOD Missile accuracy: 2/3 (66.7%)\n"
    "TOD Laser accuracy: 4/4 (100.0%)\n"
    "-------------------------------------------------\n"
    "Total: 1255\n"
    "File Cheat/Error check:\n"
    "Pilotfile seems OK.\n"
    "--- Mission details: ----------------------------\n"
    "1: Tot. Score= 205 (200+5)\n"
    "3: Tot. Score= 1050 (1000+50)\n";

constexpr const char* kWedgeFullDetails =
    "\n"
    " ------------------------------------- \n"
    "--- All other known details: ---\n"
    " ------------------------------------- \n"
    "Warhead / Laser statistics:\n"
    "TOD Missile Fired/Hit: 3/2 (66.7%)\n"
    "LaserHitA (?): 9  TODLaserHit: 4\n"
    "TotalLaserA: 4\n"
    "Laser accuracy (TODLaserHit / TotalLaserA): 100.0%\n"
    "2 Unknown (Total Missiles?)\n"
    "A/B: 6/6 (100.0%)\n"
    "End experimental data.\n"
    "\n"
    "TOD total score A, B, C and D: = 1000, 1000, 1000 and 1000\n"
    "TOD bonus score: = 50\n"
    "Azzameen total score A, B, C and D: = 7, 200, 200 and 200\n"
    "Azzameen bonus score: = 5\n"
    "Combat Sim. total score A, B, C and D: = 8000, 8001, 8002 and 8003\n"
    "Comabat Sim. bonus score: = 150\n"
    "\n"
    "To next rating: 42%\n"
    "\n"
    "- Kills: -\n"
    "TOD Total number of kills : 5\n"
    "---\n"
    "TOD Kill details A (Kill list A + Assist list A):\n"
    "Shiptype:\t\tKills: \tAssits):\n"
    "Xwing\t\t\t:3\t1\n"
    "231\t\t\t:2\t0\n"
    "Calculated total: 5 kills.\n"
    "---\n"
    "TOD Kill details B (Kill list B + Assist list B):\n"
    "Shiptype:\t\tKills: \tAssits):\n"
    "Awing\t\t\t:4\t2\n"
    "Calculated total: 4 kills.\n"
    "---\n"
    "Azzameen total number of kills : 1\n"
    "---\n"
    "Azzameen Kill details (Kill list + Assist list A + Assist list B):\n"
    "Shiptype:\t\tKills:\tAssitsA:\tAssitsB:\n"
    "Bwing\t\t\t:1\t2\t3\n"
    "Calculated total: 1 kills.\n"
    "---\n"
    "- Combat Sim. data: -\n"
    "-- Combat simulator mission details: --\n"
    "1: Best Tot. Score= 8150 (8000+150)\n"
    "\n"
    "Combat sim. / Multi-Player gaming:\n"
    "MP join game name: Join me\n"
    "MP host game name: Host\u00E9\n"
    "\n"
    "Combat sim. kill details (Kill list A + Kill list B + Assist list :\n"
    "Shiptype:\t\tKillsA:\tKillsB:\tAssits:\n"
    "TIE Fighter\t\t:0\t5\t1\n"
    "TIE Bomber\t\t:-2\t1\t0\n"
    "TIE Advanced\t\t:3\t0\t0\n"
    "Calculated total (Kill list A): 1 kills.\n"
    "\n"
    "Number of players this pilot have killed listed by rating:\n"
    "1 Target Drone\n"
    "3 Ace 2nd\n"
    "Total number of player kills: 4\n"
    "\n"
    "Number times this pilot has been killed by players (listed by rating):\n"
    "2 Jedi Master\n"
    "Total number times killed: 2\n"
    "\n"
    "Total player Craft losses:\n"
    "Total craft losses: 9\n"
    "To players: 2\n"
    "To non-player crafts: 3\n"
    "To Starships: 2\n"
    "To mines: 1\n"
    "From collisions: 1\n";

class ReportTextTest : public ::testing::Test, protected test::ReportFixture {};

TEST_F(ReportTextTest, DefaultSettings) {
  EXPECT_EQ(Report(Wedge()), kWedgeReport);
  EXPECT_EQ(exportLine(), "Wedge - Score: 1255 (1200+55)");
}

TEST_F(ReportTextTest, MegaDetailsAppendsEverythingElse) {
  Settings({"MegaDetails=1"});
  EXPECT_EQ(Report(Wedge()), std::string(kWedgeReport) + kWedgeFullDetails);
  for (const char* off : {"MegaDetails=0", "MegaDetails=true", "MegaDetails=", "MegaDetails=2"}) {
    Settings({off});
    EXPECT_EQ(Report(Wedge()), kWedgeReport) << off;
  }
}

TEST_F(ReportTextTest, EveryBuildStartsAfresh) {
  Settings({"MegaDetails=1"});
  Report(Wedge());
  Settings({"CheckCheat=0"});
  MissionRange range{0, 3};
  LineCollector sink;
  sink.AppendLine("typed by the user");
  RipPilot(Wedge(), store(), context(), range, sink, exportLine());
  std::string expected = kWedgeReport;
  expected.erase(expected.find("File Cheat"),
                 std::string_view("File Cheat/Error check:\nPilotfile seems OK.\n").size());
  EXPECT_EQ(test::JoinLines(sink.lines()), expected);
}

TEST_F(ReportTextTest, ListingUsesAndCorrectsTheCallersRange) {
  MissionRange range{5, 2};
  const std::string report = Report(Wedge(), range);
  EXPECT_EQ(range.From, 1);
  EXPECT_EQ(range.To, 2);
  EXPECT_TRUE(
      report.ends_with("--- Mission details: ----------------------------\n1: Tot. Score= 205 (200+5)\n"))
      << report;
}

// A blank pilot: no shots, no kills, no missions. Every guarded line takes its other form and every
// table prints its headings and a total of 0.
TEST_F(ReportTextTest, BlankPilotWithEverything) {
  Settings({"MegaDetails=1", "ShowMissionTime=1"});
  PilotRecord blank = test::ThroughFile(PilotRecord{}, "/home/ace/pilots/blank.plt");
  EXPECT_EQ(Report(blank),
            "Name: \n"
            "TOD Score: 0 TOD Bonus: 0\n"
            "Azz Score: 0 Azz Bonus: 0\n"
            "-------------------------------------------------\n"
            "TOD Missile accuracy: 0/0\n"
            "TODLaser accuracy: -\n"
            "-------------------------------------------------\n"
            "Total: 0\n"
            "File Cheat/Error check:\n"
            "Pilotfile seems OK.\n"
            "--- Mission details: ----------------------------\n"
            "\n"
            " ------------------------------------- \n"
            "--- All other known details: ---\n"
            " ------------------------------------- \n"
            "Warhead / Laser statistics:\n"
            "TOD Missile Fired/Hit: 0/0\n"
            "LaserHitA (?): 0  TODLaserHit: 0\n"
            "TotalLaserA: 0\n"
            "2 Unknown (Total Missiles?)\n"
            "A/B: 0/0\n"
            "End experimental data.\n"
            "\n"
            "TOD total score A, B, C and D: = 0, 0, 0 and 0\n"
            "TOD bonus score: = 0\n"
            "Azzameen total score A, B, C and D: = 0, 0, 0 and 0\n"
            "Azzameen bonus score: = 0\n"
            "Combat Sim. total score A, B, C and D: = 0, 0, 0 and 0\n"
            "Comabat Sim. bonus score: = 0\n"
            "\n"
            "To next rating: 0%\n"
            "\n"
            "- Kills: -\n"
            "TOD Total number of kills : 0\n"
            "---\n"
            "TOD Kill details A (Kill list A + Assist list A):\n"
            "Shiptype:\t\tKills: \tAssits):\n"
            "Calculated total: 0 kills.\n"
            "---\n"
            "TOD Kill details B (Kill list B + Assist list B):\n"
            "Shiptype:\t\tKills: \tAssits):\n"
            "Calculated total: 0 kills.\n"
            "---\n"
            "Azzameen total number of kills : 0\n"
            "---\n"
            "Azzameen Kill details (Kill list + Assist list A + Assist list B):\n"
            "Shiptype:\t\tKills:\tAssitsA:\tAssitsB:\n"
            "Calculated total: 0 kills.\n"
            "---\n"
            "- Combat Sim. data: -\n"
            "-- Combat simulator mission details: --\n"
            "\n"
            "Combat sim. / Multi-Player gaming:\n"
            "MP join game name: \n"
            "MP host game name: \n"
            "\n"
            "Combat sim. kill details (Kill list A + Kill list B + Assist list :\n"
            "Shiptype:\t\tKillsA:\tKillsB:\tAssits:\n"
            "Calculated total (Kill list A): 0 kills.\n"
            "\n"
            "Number of players this pilot have killed listed by rating:\n"
            "Total number of player kills: 0\n"
            "\n"
            "Number times this pilot has been killed by players (listed by rating):\n"
            "Total number times killed: 0\n"
            "\n"
            "Total player Craft losses:\n"
            "Total craft losses: 0\n"
            "To players: 0\n"
            "To non-player crafts: 0\n"
            "To Starships: 0\n"
            "To mines: 0\n"
            "From collisions: 0\n");
  EXPECT_EQ(exportLine(), "blank - Score: 0 (0+0)");
}

TEST_F(ReportTextTest, SummaryGuardsAndTexts) {
  PilotRecord r = Wedge();
  tools::SetText(r.PilotName, "ABCDEFGHIJKLM");  // 13 bytes, no zero byte
  r.TODMissileHits = 1, r.TODMissilesFired = 16;
  r.TODLaserHit = 5, r.TotalLaserA = -1;
  context().decimalSeparator = ",";
  const std::string report = Report(r);
  EXPECT_TRUE(report.starts_with("Name: ABCDEFGHIJKLM\n")) << report;
  EXPECT_NE(report.find("\nTOD Missile accuracy: 1/16 (6,3%)\nTODLaser accuracy: -\n"), std::string::npos)
      << report;
}

TEST_F(ReportTextTest, TotalsWrapLikeTheFilesIntegers) {
  PilotRecord r;
  r.TODScoreA = r.TODScoreB = r.TODScoreC = r.TODScoreD = 2147483647;
  r.TODBonus = 1;
  r.AzzScoreB = r.AzzScoreD = -2147483647 - 1;
  r.AzzBonus = -1;
  Settings({"NameSource=0", "ScoreFormat=1"});
  const std::string report = Report(r);
  EXPECT_NE(report.find("\nTotal: -1\n"), std::string::npos) << report;
  EXPECT_EQ(exportLine(), " - Score: -1 (-1+0)");
}

}  // namespace
}  // namespace orlenda

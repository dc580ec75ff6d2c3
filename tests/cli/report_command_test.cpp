// orlenda3001-cli report: the whole report of a load, the From/To fields, a setting that stops the
// build, and a settings file that is only read.

#include <gtest/gtest.h>

#include <clocale>

#include "cli_test_support.h"
#include "support/system_wording.h"

namespace orlenda {
namespace {

using test::kNoSuchFile;

using tools::PresentMission;

PilotRecord Wedge() {
  PilotRecord r;
  tools::SetText(r.PilotName, "Wedge \xE9");
  r.TODScoreA = r.TODScoreB = r.TODScoreC = r.TODScoreD = 1000;
  r.TODBonus = 50;
  r.AzzScoreB = r.AzzScoreC = r.AzzScoreD = 200;
  r.AzzBonus = 5;
  r.TODMissileHits = 1, r.TODMissilesFired = 16;
  for (int n = 1; n <= 10; ++n)
    r.CampaignMissions[static_cast<std::size_t>(n - 1)] = PresentMission(n * 100, n, n);
  r.CampaignMissions[9] = PresentMission(245, 0, 125);
  return r;
}

constexpr const char* kSummary =
    "Name: Wedge \u00E9\n"
    "TOD Score: 1000 TOD Bonus: 50\n"
    "Azz Score: 200 Azz Bonus: 5\n"
    "-------------------------------------------------\n"
    "TOD Missile accuracy: 1/16 (6.3%)\n"
    "TODLaser accuracy: -\n"
    "-------------------------------------------------\n"
    "Total: 1255\n";

class ReportCommandTest : public ::testing::Test, protected test::CliFixture {
 protected:
  test::CliRun Report(const std::vector<std::string>& options) {
    std::vector<std::string> arguments{"report", "--ini", ini_};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(PilotFile(Wedge(), "Wedge.plt"));
    return test::RunCli(arguments, environment_);
  }
};

TEST_F(ReportCommandTest, PrintsTheWholeReportOfALoad) {
  Settings({"ShowMissionTime=1", "ShowMissionScore=0"});
  const test::CliRun run = Report({});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, std::string(kSummary) +
                         "File Cheat/Error check:\n"
                         "TODScore+TODBonuns+AzzScore+AzzBonus <> Calculated Total Score. This may not be a "
                         "real error.\n"
                         "Pilotfile seems OK.\n"
                         "--- Mission details: ----------------------------\n"
                         "1: Tot. Score= 101 (Bonus=1) Time=0:1\n"
                         "2: Tot. Score= 202 (Bonus=2) Time=0:2\n"
                         "3: Tot. Score= 303 (Bonus=3) Time=0:3\n"
                         "4: Tot. Score= 404 (Bonus=4) Time=0:4\n"
                         "5: Tot. Score= 505 (Bonus=5) Time=0:5\n"
                         "6: Tot. Score= 606 (Bonus=6) Time=0:6\n"
                         "7: Tot. Score= 707 (Bonus=7) Time=0:7\n"
                         "8: Tot. Score= 808 (Bonus=8) Time=0:8\n"
                         "9: Tot. Score= 909 (Bonus=9) Time=0:9\n"
                         "10: Tot. Score= 245 (Bonus=0) Time=2:5\n");
}

TEST_F(ReportCommandTest, FromAndToChooseTheListedMissions) {
  Settings({"CheckCheat=0"});
  const std::string header = std::string(kSummary) + "--- Mission details: ----------------------------\n";
  EXPECT_EQ(Report({"--from", "9"}).out,
            header + "9: Tot. Score= 909 (900+9)\n10: Tot. Score= 245 (245+0)\n");
  EXPECT_EQ(Report({"--from", "5", "--to", "3"}).out,
            header + "2: Tot. Score= 202 (200+2)\n3: Tot. Score= 303 (300+3)\n");
  EXPECT_EQ(Report({"--to", "-4", "--from", "2"}).out, header);
  EXPECT_EQ(Report({"--from", "50", "--to", "300"}).out,
            header + "9: Tot. Score= 909 (900+9)\n10: Tot. Score= 245 (245+0)\n");
  EXPECT_EQ(Report({"--from", "x"}).exitStatus, 2);
  EXPECT_EQ(Report({"--to"}).exitStatus, 2);
}

TEST_F(ReportCommandTest, SettingThatFailsToConvertStopsAfterTheSummary) {
  Settings({"NameSource=abc", "MegaDetails=1"});
  const test::CliRun run = Report({});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, kSummary);
  EXPECT_EQ(run.err, "'abc' is not a valid integer value\n");
}

TEST_F(ReportCommandTest, SettingsAreReadNeverWritten) {
  Report({});
  EXPECT_FALSE(std::filesystem::exists(ini_));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("config")));
  Settings({"megadetails=1", "LastDir=/nowhere"});
  const std::string before = Bytes(ini_);
  const test::CliRun run = Report({});
  EXPECT_NE(run.out.find("--- All other known details: ---"), std::string::npos);
  EXPECT_EQ(Bytes(ini_), before);
}

TEST_F(ReportCommandTest, LoadFailureExitsWithOne) {
  const test::CliRun run = test::RunCli({"report", "--ini", ini_, dir_.File("missing.plt")}, environment_);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Unable to open " + dir_.File("missing.plt") + ": " + std::string(kNoSuchFile) + ".\n");
}

TEST_F(ReportCommandTest, DecimalSeparatorFollowsTheLocale) {
  const char* german = "de_DE.UTF-8";
  if (std::setlocale(LC_NUMERIC, german) == nullptr) GTEST_SKIP() << german << " is not installed";
  std::setlocale(LC_NUMERIC, "C");
  const test::CliRun run =
      test::RunCli({"report", "--ini", ini_, PilotFile(Wedge(), "Wedge.plt")}, {{"LC_ALL", german}});
  EXPECT_NE(run.out.find("TOD Missile accuracy: 1/16 (6,3%)\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace orlenda

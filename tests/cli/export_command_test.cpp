// orlenda3001-cli export: the export line of each pilot, pilots that fail to load, and the append to
// a main log that keeps what the log held.

#include <gtest/gtest.h>

#include <regex>

#include "cli_test_support.h"

namespace orlenda {
namespace {

PilotRecord Pilot(const std::string& name, std::int32_t todScore, std::int32_t todBonus) {
  PilotRecord r;
  tools::SetText(r.PilotName, name);
  r.TODScoreA = r.TODScoreB = r.TODScoreC = r.TODScoreD = todScore;
  r.TODBonus = todBonus;
  r.CampaignMissions[0] = tools::PresentMission(todScore, todBonus, 60);
  return r;
}

class ExportCommandTest : public ::testing::Test, protected test::CliFixture {
 protected:
  void SetUp() override {
    wedge_ = PilotFile(Pilot("Wedge", 1000, 50), "Wedge_Antilles.plt");
    biggs_ = PilotFile(Pilot("Biggs", 300, 7), "Biggs Darklighter.plt");
    Settings({});
  }

  test::CliRun Export(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"export", "--ini", ini_});
    return test::RunCli(arguments, environment_);
  }

  std::string wedge_;
  std::string biggs_;
  std::string log_ = dir_.File("ORLENDA_MainLog.txt");
};

TEST_F(ExportCommandTest, OneLinePerPilotInTheChosenForm) {
  test::CliRun run = Export({wedge_, biggs_});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "Wedge - Score: 1050 (1000+50)\nBiggs - Score: 307 (300+7)\n");
  EXPECT_EQ(run.err, "");

  Settings({"NameSource=0", "ScoreFormat=2", "IncludeDate=1"});
  run = Export({wedge_});
  // The C locale's date on POSIX systems (12/09/26); the user's short date on Windows (12/9/2026).
  EXPECT_TRUE(std::regex_match(run.out, std::regex(R"(\d\d?/\d\d?/\d\d(\d\d)? Wedge - Score: 1000\+50\n)")))
      << run.out;
}

TEST_F(ExportCommandTest, MarksPilotsWhoseCopiesDisagree) {
  PilotRecord altered = Pilot("Janson", 500, 0);
  altered.TODScoreC = 9999;
  const test::CliRun run = Export({PilotFile(altered, "Janson.plt")});
  EXPECT_EQ(run.out, "! Janson - Score: 500 (500+0) ! Errors in file!\n");
}

TEST_F(ExportCommandTest, PilotThatFailsToLoadIsReportedAndSkipped) {
  const std::string broken = dir_.File("broken.plt");
  std::ofstream(broken, std::ios::binary) << "not a pilot";
  const test::CliRun run = Export({"--log", log_, wedge_, broken, biggs_});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "Wedge - Score: 1050 (1000+50)\nBiggs - Score: 307 (300+7)\n");
  EXPECT_EQ(run.err,
            "The file have wrong size. 11 The plt file must be 152.076 bytes!\n"
            "1 Errors while loading file! This may not be a XWA pilotfile.\n");
  EXPECT_EQ(Bytes(log_), "Wedge - Score: 1050 (1000+50)\r\nBiggs - Score: 307 (300+7)\r\n");
}

TEST_F(ExportCommandTest, LogAppendKeepsTheExistingLines) {
  std::ofstream(log_, std::ios::binary) << "written on Windows: J\xE9r\xF4me\r\n\r\ntyped\nlast without end";
  const test::CliRun run = Export({"--log", log_, biggs_});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "Biggs - Score: 307 (300+7)\n");
  EXPECT_EQ(Bytes(log_),
            "written on Windows: J\xC3\xA9r\xC3\xB4me\r\n\r\ntyped\r\nlast without end\r\n"
            "Biggs - Score: 307 (300+7)\r\n");
  Export({"--log", log_, wedge_});
  EXPECT_TRUE(Bytes(log_).ends_with("Biggs - Score: 307 (300+7)\r\nWedge - Score: 1050 (1000+50)\r\n"));
}

TEST_F(ExportCommandTest, UnwritableLogExitsWithOne) {
  const std::string nowhere = dir_.File("no-such-folder/log.txt");
  const test::CliRun run = Export({"--log", nowhere, wedge_});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "Cannot create file " + nowhere + "\n");
  EXPECT_FALSE(std::filesystem::exists(nowhere));
}

TEST_F(ExportCommandTest, SettingThatFailsToConvertExportsNothing) {
  std::ofstream(log_, std::ios::binary) << "kept\r\n";
  Settings({"ScoreFormat=one"});
  const test::CliRun run = Export({"--log", log_, wedge_, biggs_});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "'one' is not a valid integer value\n");
  EXPECT_EQ(Bytes(log_), "kept\r\n");
}

TEST_F(ExportCommandTest, UsageErrors) {
  EXPECT_EQ(Export({}).exitStatus, 2);
  EXPECT_EQ(Export({"--log"}).exitStatus, 2);
  EXPECT_EQ(Export({"--colour", wedge_}).exitStatus, 2);
}

}  // namespace
}  // namespace orlenda

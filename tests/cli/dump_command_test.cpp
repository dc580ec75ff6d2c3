// orlenda3001-cli dump: one JSON object for a good pilot file, the load's messages for a bad one, and
// the usage errors.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_test_support.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

class DumpCommandTest : public ::testing::Test, protected test::CliFixture {};

TEST_F(DumpCommandTest, PrintsTheLoadedRecordAsJson) {
  PilotRecord record;
  tools::SetText(record.PilotName, "J\xE9r\xF4me");
  record.TODBonus = 55;
  record.Rank = 4;
  record.Rating = 99;
  record.CampaignMissions[0] = tools::PresentMission(100, 7, 61, 3);
  record.CampaignMissions[1] = tools::PresentMission(200, -3, 62, 4);
  const std::string path = PilotFile(record, "ace.plt");

  const test::CliRun run = test::RunCli({"dump", path}, environment_);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const nlohmann::json json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["PilotName"], "J\u00E9r\u00F4me");
  EXPECT_EQ(json["TODBonus"], 55);
  EXPECT_EQ(json["RankName"], "Lieutenant");
  EXPECT_TRUE(json["RatingName"].is_null());
  EXPECT_EQ(json["CampaignMissionCount"], 2);
  EXPECT_EQ(json["CampaignTotal"], 304);
  ASSERT_EQ(json["CampaignMissions"].size(), 2u);
  EXPECT_EQ(json["CampaignMissions"][1]["Bonus"], -3);
  EXPECT_EQ(json["CampaignMissions"][0]["MissionTag"], 3);
  EXPECT_EQ(json["SimMissions"].size(), 0u);
  EXPECT_EQ(json["TODKillsA"].size(), 231u);
  EXPECT_EQ(json["PilotFileName"], path);
}

// The campaign as the career model reads it follows the record's fields: the total conversion's pilot
// holds its won missions past the end of the list that the load reads. The answer keeps the layout of
// dump(2).
TEST_F(DumpCommandTest, AddsTheCampaignLayoutSlotsAndBattles) {
  if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const test::CliRun run =
      test::RunCli({"dump", (test::RealPilotsDir() / "PickledYoda0.plt").string()}, environment_);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const nlohmann::ordered_json json = nlohmann::ordered_json::parse(run.out);
  EXPECT_EQ(json.dump(2) + "\n", run.out);
  EXPECT_EQ(json["CampaignMissions"].size(), 0u);
  EXPECT_EQ(json["CampaignLayout"], "total conversion");
  ASSERT_EQ(json["CampaignSlots"].size(), 25u);
  EXPECT_EQ(json["CampaignSlots"][0],
            nlohmann::ordered_json::parse(R"({"Slot": 3, "Mission": "battle 1, mission 1", "Attempts": 1,
                "Wins": 1, "Score": 2490, "Time": 197, "Bonus": 0})"));
  ASSERT_EQ(json["CampaignBattles"].size(), 9u);
  EXPECT_EQ(json["CampaignBattles"][0]["Status"], "incomplete");
  EXPECT_EQ(json["CampaignBattles"][0]["MissionsWon"], 4);
  EXPECT_EQ(json.begin().key(), "PilotName");
  EXPECT_EQ((--json.end()).key(), "CampaignBattles");
}

// A name that holds C1 controls and DEL (a pilot file traded by a club) is escaped in every JSON answer:
// no byte of the output may drive the terminal.
TEST_F(DumpCommandTest, JsonAnswersCarryNoRawControlCharacter) {
  PilotRecord record = tools::SamplePilotRecord();
  const std::string oldPath = PilotFile(record, "old.plt");
  tools::SetText(record.PilotName,
                 "A\x9D"
                 "0;x\x90"
                 "B\x7F");  // U+009D and U+0090 in Windows-1252
  const std::string newPath = PilotFile(record, "new.plt");
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"dump", newPath}, {"diff", "--json", oldPath, newPath}}) {
    const test::CliRun run = test::RunCli(command, environment_);
    for (std::size_t i = 0; i < run.out.size(); ++i) {
      const auto byte = static_cast<unsigned char>(run.out[i]);
      const bool c1 =
          byte == 0xC2 && i + 1 < run.out.size() && static_cast<unsigned char>(run.out[i + 1]) < 0xA0;
      EXPECT_FALSE((byte < 0x20 && byte != '\n') || byte == 0x7F || c1) << command.front() << " byte " << i;
    }
    EXPECT_NE(run.out.find("A\\u009d0;x\\u0090B\\u007f"), std::string::npos) << run.out.substr(0, 200);
  }
}

TEST_F(DumpCommandTest, WrongSizeFileGivesTheTwoMessages) {
  const std::string path = dir_.File("short.plt");
  std::ofstream(path, std::ios::binary) << std::string(1000, 'x');
  const test::CliRun run = test::RunCli({"dump", path}, environment_);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "The file have wrong size. 1000 The plt file must be 152.076 bytes!\n"
            "1 Errors while loading file! This may not be a XWA pilotfile.\n");
}

TEST_F(DumpCommandTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(test::RunCli({"dump"}, environment_).exitStatus, 2);
  EXPECT_EQ(test::RunCli({"dump", "--no-such-option", "x.plt"}, environment_).exitStatus, 2);
  EXPECT_EQ(test::RunCli({"no-such-command"}, environment_).exitStatus, 2);
  EXPECT_EQ(test::RunCli({}, environment_).exitStatus, 2);
  const test::CliRun help = test::RunCli({"--help"}, environment_);
  EXPECT_EQ(help.exitStatus, 0);
  for (const char* command : {"dump", "report", "export"})
    EXPECT_NE(help.out.find(command), std::string::npos);
}

}  // namespace
}  // namespace orlenda

// orlenda3001-cli update: the given values are written, the others keep what the load read; refused
// values write nothing and exit 2; a failed update exits 1.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_support.h"
#include "pilot/file_layout.h"
#include "pilot/pilot_load.h"
#include "support/system_wording.h"

namespace orlenda {
namespace {

using test::kNoSuchFile;

namespace fs = std::filesystem;

class UpdateCommandTest : public ::testing::Test, protected test::CliFixture {
 protected:
  // A pilot with ten completed campaign missions, rank 4, rating 6, Kalidor Crescent status 2.
  std::string TenMissionPilot() {
    PilotRecord record;
    tools::SetText(record.PilotName, "Keyan");
    record.Rank = 4;
    record.Rating = 6;
    record.KalidorStatus = 2;
    for (std::size_t i = 0; i < 10; ++i) record.CampaignMissions[i] = tools::PresentMission(100, 25, 60);
    return PilotFile(record, "keyan.plt");
  }

  static PilotRecord Reload(const std::string& path) {
    const LoadResult result = LoadPilotFile(path);
    EXPECT_TRUE(result.Succeeded());
    return result.record;
  }
};

TEST_F(UpdateCommandTest, WritesTheGivenValuesByIndexOrItemText) {
  const std::string path = TenMissionPilot();
  const test::CliRun run = test::RunCli({"update", path, "--rank", "captain", "--active-mission",
                                         "13 - Rescue Echo Base Prisoners", "--kalidor", "6"},
                                        environment_);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "Active mission: 11 \u2192 13 (2 missions join the list as completed)\n"
            "Missions 11 and 12 get no score (campaign total 1,250 \u2192 1,250).\n");
  PilotRecord record = Reload(path);
  EXPECT_EQ(FieldText(record.PilotName), "Keyan");
  EXPECT_EQ(record.Rank, 5);
  EXPECT_EQ(record.Rating, 6);
  EXPECT_EQ(record.KalidorStatus, 6);
  EXPECT_EQ(record.CampaignMissionCount, 12);
  EXPECT_EQ(record.CampaignMissions[9].Score, 100);
  EXPECT_TRUE(fs::exists(path + ".bak"));

  ASSERT_EQ(test::RunCli({"update", path, "--name", "Wedge", "--rating", "  jedi MASTER "}, environment_)
                .exitStatus,
            0);
  record = Reload(path);
  EXPECT_EQ(FieldText(record.PilotName), "Wedge");
  EXPECT_EQ(record.Rating, 24);
  EXPECT_EQ(record.Rank, 5);
  EXPECT_EQ(record.CampaignMissionCount, 12);
}

TEST_F(UpdateCommandTest, NothingChangedWritesNothingAndSaysSo) {
  const std::string path = TenMissionPilot();
  const std::string before = Bytes(path);
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{}, {"--name", "Keyan", "--rank", "4", "--active-mission", "10"}}) {
    std::vector<std::string> arguments{"update", path};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const test::CliRun run = test::RunCli(arguments, environment_);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "Nothing to update.\n");
  }
  EXPECT_EQ(Bytes(path), before);
  EXPECT_FALSE(fs::exists(path + ".bak"));
}

TEST_F(UpdateCommandTest, ValuesWithoutAnItemAreLeftAsTheyAre) {
  PilotRecord record;
  record.Rank = 9;
  record.Rating = -1;
  for (std::size_t i = 0; i < kMissionSlotCount; ++i)
    record.CampaignMissions[i] = tools::PresentMission(1, 1, 1);
  const std::string path = PilotFile(record, "odd.plt");
  const std::string before = Bytes(path);

  const test::CliRun run = test::RunCli({"update", path, "--name", "Odd"}, environment_);
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::string after = Bytes(path);
  EXPECT_EQ(after.substr(0, kPilotNameSize), std::string("Odd\0\0\0\0\0\0\0\0\0\0", kPilotNameSize));
  EXPECT_EQ(after.substr(kPilotNameSize), before.substr(kPilotNameSize));
}

TEST_F(UpdateCommandTest, RefusedValuesExitWithTwoAndWriteNothing) {
  const std::string path = TenMissionPilot();
  const std::string before = Bytes(path);
  const std::vector<std::vector<std::string>> refused{
      {"--rank", "9"},
      {"--rating", "admiral"},
      {"--kalidor=-1"},
      {"--active-mission", "255"},
      {"--active-mission", " "},
      {"--name", "ThirteenChars"},
      {"--name", "\xE4\xB8\xAD"},
      {"--name", "Tab\there"},
      {"--name",
       "A\xC2\x9D"
       "0;x\xC2\x90"
       "B"},  // C1 controls: U+009D and U+0090
      {"--name", "Del\x7F"},
      {"--name", ""},  // an unset variable in a script, in each form
      {"--name="},
      {"--rank="},
      {"--active-mission", "0"},  // drops the scores of ten missions
  };
  for (const auto& options : refused) {
    std::vector<std::string> arguments{"update", path};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const test::CliRun run = test::RunCli(arguments, environment_);
    EXPECT_EQ(run.exitStatus, 2) << options.front();
    EXPECT_NE(run.err, "") << options.front();
  }
  EXPECT_EQ(test::RunCli({"update", path, "--rank", "admiral"}, environment_).err,
            "--rank: \"admiral\" is not in the list of ranks (give an index from 0 to 8 or an item's text as "
            "listed).\n");
  EXPECT_EQ(test::RunCli({"update", path, "--name", "ThirteenChars"}, environment_).err,
            "The name \"ThirteenChars\" is longer than 12 characters.\n");
  EXPECT_EQ(test::RunCli({"update", path, "--name", "Line\nBreak"}, environment_).err,
            "The name \"Line\\x0ABreak\" holds a control character, which a pilot name cannot hold.\n");
  EXPECT_EQ(test::RunCli({"update", path, "--name="}, environment_).err, "--name: the value is empty\n");
  EXPECT_EQ(test::RunCli({"update"}, environment_).exitStatus, 2);
  EXPECT_EQ(Bytes(path), before);
  EXPECT_FALSE(fs::exists(path + ".bak"));
}

// A move back drops scores that no later move brings back: it is named, in the desktop program's words,
// and made only with --drop-scores.
TEST_F(UpdateCommandTest, AMoveBackThatDropsScoresNeedsDropScores) {
  const std::string path = TenMissionPilot();
  const std::string before = Bytes(path);
  const std::string cost =
      "Active mission: 11 \u2192 1 (10 completed missions leave the list)\n"
      "Missions 1 to 10 lose their scores; a later move forward does not bring them back (campaign total "
      "1,250 \u2192 0).\n";
  const test::CliRun refused = test::RunCli({"update", path, "--active-mission", "0"}, environment_);
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_EQ(refused.err, cost + "Nothing was written: give --drop-scores to make this move.\n");
  EXPECT_EQ(Bytes(path), before);

  const test::CliRun dropped =
      test::RunCli({"update", path, "--active-mission", "0", "--drop-scores"}, environment_);
  EXPECT_EQ(dropped.exitStatus, 0);
  EXPECT_EQ(dropped.err, cost);
  EXPECT_EQ(Reload(path).CampaignMissionCount, 0);
}

// The total conversion's pilot holds won missions past the end of the list that the load reads: a move
// over them is refused with exit 2, nothing written.
TEST_F(UpdateCommandTest, AMoveOverRecordsPastTheListIsRefused) {
  if (test::RealPilotsDir().empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const std::string path = dir_.File("PickledYoda0.plt");
  fs::copy_file(test::RealPilotsDir() / "PickledYoda0.plt", path);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  const std::string before = Bytes(path);
  const test::CliRun run = test::RunCli({"update", path, "--active-mission", "5"}, environment_);
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.err.substr(0, 37), "The active mission cannot move to 6: ");
  EXPECT_NE(run.err.find("mission 4 (battle 1, mission 1: score 2,490)"), std::string::npos) << run.err;
  EXPECT_EQ(Bytes(path), before);
  EXPECT_FALSE(fs::exists(path + ".bak"));
}

TEST_F(UpdateCommandTest, LoadAndWriteFailuresExitWithOne) {
  const test::CliRun missing = test::RunCli({"update", dir_.File("gone.plt"), "--rank", "1"}, environment_);
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.err, "Unable to open " + dir_.File("gone.plt") + ": " + std::string(kNoSuchFile) + ".\n");
  EXPECT_FALSE(fs::exists(dir_.File("gone.plt")));

  const std::string path = TenMissionPilot();
  const std::string before = Bytes(path);
  fs::create_directory(path + ".bak");  // the copy cannot be kept, so nothing may be written
  const test::CliRun run = test::RunCli({"update", path, "--rank", "1"}, environment_);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "Unable to keep a copy of " + path + " as " + path +
                         ".bak (a folder has that name), so nothing was written to the pilot file.\n");
  EXPECT_EQ(Bytes(path), before);
}

}  // namespace
}  // namespace orlenda

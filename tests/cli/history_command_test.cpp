// orlenda3001-cli history: what the player sees of the kept states: the list with its change lines,
// diff, restore and its refusal, export, the watch beside an update, and a damaged database that never
// stops a save.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "cli_test_support.h"
#include "pilot/pilot_load.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <csignal>
#endif

namespace orlenda {
namespace {

namespace fs = std::filesystem;

class HistoryCommandTest : public ::testing::Test, protected test::CliFixture {
 protected:
  test::CliRun History(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "history");
    arguments.insert(arguments.end(), {"--history", history_});
    return test::RunCli(arguments, environment_);
  }

  std::string Pilot(int missions, const std::string& name = "ace.plt") {
    PilotRecord record;
    tools::SetText(record.PilotName, "Ace");
    for (int i = 0; i < missions; ++i)
      record.CampaignMissions[static_cast<std::size_t>(i)] = tools::PresentMission(100, 25, 60);
    return PilotFile(record, name);
  }

  // Waits until `history list` shows `count` states of the pilot.
  bool WaitForStates(const std::string& pilot, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      const std::string listing = History({"list", pilot, "--csv"}).out;
      if (static_cast<std::size_t>(std::count(listing.begin(), listing.end(), '\n')) == count + 1)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  std::string history_ = dir_.File("history.sqlite3");
};

TEST_F(HistoryCommandTest, ARecordedPilotUpdatedAndRestoredByteForByte) {
  const fs::path real = test::RealPilotsDir();
  if (real.empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  const std::string pilot = dir_.File("xwa.plt");
  fs::copy_file(real / "xwa.plt", test::PathOfUtf8(pilot));
  fs::permissions(test::PathOfUtf8(pilot), fs::perms::owner_write, fs::perm_options::add);
  const std::string original = Bytes(pilot);

  EXPECT_EQ(History({"record", pilot}).out, "state 1 of " + pilot + " (new)\n");
  const test::CliRun update =
      test::RunCli({"update", pilot, "--rank", "3", "--history", history_}, environment_);
  ASSERT_EQ(update.exitStatus, 0) << update.err;
  EXPECT_EQ(update.err, "");

  const test::CliRun list = History({"list", pilot});
  ASSERT_EQ(list.exitStatus, 0) << list.err;
  EXPECT_NE(list.out.find("before save, recorded"), std::string::npos) << list.out;
  EXPECT_NE(
      list.out.find("after save                    5  15,490  Rank Flight Cadet \u2192 Lieutenant JG\n"),
      std::string::npos)
      << list.out;
  const test::CliRun diff = History({"diff", pilot, "1", "2"});
  EXPECT_EQ(diff.exitStatus, 1);
  EXPECT_EQ(diff.out, "Rank: 1 -> 3\n1 field changed\n");

  const test::CliRun restore = History({"restore", pilot, "1"});
  ASSERT_EQ(restore.exitStatus, 0) << restore.err;
  EXPECT_EQ(restore.err, "State 1: Rank Lieutenant JG \u2192 Flight Cadet\n");
  EXPECT_EQ(Bytes(pilot), original);
  EXPECT_TRUE(fs::exists(test::PathOfUtf8(pilot + ".bak")));
  EXPECT_NE(History({"list", pilot}).out.find("1*"), std::string::npos)
      << "the restored state is the current one";
  EXPECT_EQ(History({"check"}).out, "ok\n");
}

TEST_F(HistoryCommandTest, ARestoreThatDropsWonMissionsNeedsDropScores) {
  const std::string pilot = Pilot(10);
  History({"record", pilot});
  Pilot(3);  // an older copy over the file
  EXPECT_EQ(History({"record", pilot}).out, "state 2 of " + pilot + " (new)\n");
  ASSERT_EQ(History({"restore", pilot, "1"}).exitStatus, 0);
  EXPECT_EQ(LoadPilotFile(pilot).record.CampaignMissionCount, 10);

  const std::string ten = Bytes(pilot);
  const test::CliRun refused = History({"restore", pilot, "2"});
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_EQ(
      refused.err,
      "State 2: - missions 4\u201310, total 1,250 \u2192 375\n"
      "It drops the scores of missions 4\u201310. Nothing was written: give --drop-scores to restore it.\n");
  EXPECT_EQ(Bytes(pilot), ten);
  EXPECT_EQ(History({"restore", pilot, "2", "--drop-scores"}).exitStatus, 0);
  EXPECT_EQ(LoadPilotFile(pilot).record.CampaignMissionCount, 3);
}

TEST_F(HistoryCommandTest, ExportWritesTheStateToANewFileOnly) {
  const std::string pilot = Pilot(2);
  History({"record", pilot});
  const std::string copy = dir_.File("copy.plt");
  ASSERT_EQ(History({"export", pilot, "1", copy}).exitStatus, 0);
  EXPECT_EQ(Bytes(copy), Bytes(pilot));
  const test::CliRun again = History({"export", pilot, "1", copy});
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_EQ(again.err, copy + " exists already; nothing was written.\n");
  EXPECT_EQ(History({"show", pilot, "9"}).err, pilot + ": no state 9: the history holds states 1 to 1.\n");
}

TEST_F(HistoryCommandTest, ADamagedDatabaseIsSetAsideAndTheSaveGoesOn) {
  const std::string pilot = Pilot(2);
  History({"record", pilot});
  {
    std::fstream file(test::PathOfUtf8(history_), std::ios::in | std::ios::out | std::ios::binary);
    file.write("not a database at all, only bytes over its header", 48);
  }
  const test::CliRun update =
      test::RunCli({"update", pilot, "--rank", "2", "--history", history_}, environment_);
  EXPECT_EQ(update.exitStatus, 0);
  EXPECT_EQ(update.err, "Warning: The history " + history_ +
                            " is damaged (file is not a database); it was kept as " + history_ +
                            ".bad and a new history was started.\n");
  EXPECT_EQ(LoadPilotFile(pilot).record.Rank, 2);
  EXPECT_TRUE(fs::exists(test::PathOfUtf8(history_ + ".bad")));
  EXPECT_TRUE(WaitForStates(pilot, 2)) << "the states before and after the save are in the new history";
}

#ifndef _WIN32  // the watch is stopped with SIGTERM; Windows's console requests have no test here
TEST_F(HistoryCommandTest, TheWatchKeepsEachNewStateBesideAnUpdateUntilStopped) {
  const std::string pilot = Pilot(2);
  auto watch = test::StartCli({"history", "watch", dir_.File(""), "--interval", "1", "--history", history_},
                              environment_);
  ASSERT_TRUE(WaitForStates(pilot, 1));
  Pilot(3);  // the game writes the file
  ASSERT_TRUE(WaitForStates(pilot, 2));
  const test::CliRun update =
      test::RunCli({"update", pilot, "--rank", "4", "--history", history_}, environment_);
  EXPECT_EQ(update.exitStatus, 0);
  EXPECT_EQ(update.err, "");
  ASSERT_TRUE(WaitForStates(pilot, 3));
  ::kill(watch->pid(), SIGTERM);
  const test::CliRun watched = watch->Finish();
  EXPECT_EQ(watched.exitStatus, 0) << watched.err;
  EXPECT_EQ(watched.err, "");
  EXPECT_NE(watched.out.find("state 1 of " + pilot + " (new)\nstate 2 of " + pilot + " (new)\n"),
            std::string::npos)
      << watched.out;
  EXPECT_NE(History({"list", pilot}).out.find("game's write"), std::string::npos);
}
#endif

}  // namespace
}  // namespace orlenda

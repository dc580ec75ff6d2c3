// orlenda3001-cli update racing another update and other programs: a run that exits 0 has its changes
// in the file, and a change that another program made is never overwritten.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "base/system_file.h"
#include "cli_test_support.h"
#include "pilot/file_layout.h"
#include "pilot/mission_record.h"
#include "pilot/pilot_backup.h"
#include "pilot/pilot_load.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

class UpdateConcurrencyTest : public ::testing::Test, protected test::CliFixture {
 protected:
  // A pilot with ten completed campaign missions, rank 4, rating 6.
  std::string Pilot(const std::string& name, const std::string& pilotName = "Keyan") {
    PilotRecord record;
    tools::SetText(record.PilotName, pilotName);
    record.Rank = 4;
    record.Rating = 6;
    for (std::size_t i = 0; i < 10; ++i) record.CampaignMissions[i] = tools::PresentMission(100, 25, 60);
    return PilotFile(record, name);
  }

  static PilotRecord Reload(const std::string& path) { return LoadPilotFile(path).record; }

  // The note on standard error after about a second of waiting for the lock of `path`.
  static std::string WaitNote(const std::string& path, const std::string& upTo = "30 seconds") {
    return path + " is locked by another program; waiting up to " + upTo + " for it to be free.\n";
  }

  // Starts an update that has loaded `path` and now waits for the lock that this test holds: it says
  // so after a second.
  std::unique_ptr<test::CliProcess> StartBlockedUpdate(const std::string& path, SystemFile& holder) {
    EXPECT_EQ(holder.TryLockExclusive(), SystemFile::LockAttempt::kLocked);
    auto run = test::StartCli({"update", path, "--rank", "1", "--active-mission", "3", "--drop-scores"},
                              environment_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (run->ErrSoFar().find(WaitNote(path)) == std::string::npos &&
           std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return run;
  }
};

TEST_F(UpdateConcurrencyTest, TwoRunsAtOnceNeverReportAChangeThatIsMissing) {
  for (int trial = 0; trial < 20; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const std::string path = Pilot("race.plt");
    auto first = test::StartCli({"update", path, "--name", "AAAA", "--rank", "1"}, environment_);
    auto second = test::StartCli({"update", path, "--rating", "7", "--active-mission", "12"}, environment_);
    const test::CliRun firstRun = first->Finish();
    const test::CliRun secondRun = second->Finish();

    const PilotRecord record = Reload(path);
    const bool firstIn = FieldText(record.PilotName) == "AAAA" && record.Rank == 1;
    const bool secondIn = record.Rating == 7 && record.CampaignMissionCount == 12;
    EXPECT_TRUE(firstIn || FieldText(record.PilotName) == "Keyan") << "never half of a run's changes";
    EXPECT_TRUE(secondIn || record.Rating == 6);
    for (const auto& [run, in] : {std::pair{firstRun, firstIn}, std::pair{secondRun, secondIn}}) {
      if (run.exitStatus == 0)
        EXPECT_TRUE(in) << "a run that exits 0 has its changes in the file";
      else
        EXPECT_TRUE(run.exitStatus == 1 && !in) << run.exitStatus << " " << run.err;
    }
  }
}

TEST_F(UpdateConcurrencyTest, ChangeByAnotherProgramBetweenLoadAndWriteIsKept) {
  const std::string path = Pilot("keyan.plt");
  SystemFile holder(path, SystemFile::Mode::kReadWrite);
  auto run = StartBlockedUpdate(path, holder);

  // The game saves after another mission: a mission score and the rank, both fields the update writes.
  auto bytes = tools::EncodePilotFile(Reload(path));
  tools::PatchInt32(bytes, MissionSlotOffset(field::CampaignMissions, 2) + mission_record::kScore, 4242);
  tools::PatchInt32(bytes, field::Rank.offset, 7);
  ASSERT_TRUE(holder.WriteAt(0, bytes));
  ASSERT_TRUE(holder.Close());

  const test::CliRun result = run->Finish();
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(result.err.ends_with(WaitNote(path) + path +
                                   " has been changed by another program since it was loaded or last saved. "
                                   "Open it again before saving. Nothing was written.\n"))
      << result.err;
  EXPECT_EQ(Bytes(path), std::string(bytes.begin(), bytes.end()));
}

#ifndef _WIN32  // Windows refuses to rename a file over one that is open
TEST_F(UpdateConcurrencyTest, FileReplacedByRenameDuringTheUpdateIsNotReportedAsSaved) {
  const std::string path = Pilot("keyan.plt");
  const std::string replacement = Pilot("replacement.plt", "Other");
  SystemFile holder(path, SystemFile::Mode::kReadWrite);
  auto run = StartBlockedUpdate(path, holder);

  const std::string replaced = Bytes(replacement);
  fs::rename(replacement, path);  // another program saves by writing a new file and renaming it
  ASSERT_TRUE(holder.Close());

  const test::CliRun result = run->Finish();
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(result.err.ends_with(WaitNote(path) + "Unable to save " + path +
                                   ": the file was replaced or removed by another program. Nothing was "
                                   "written.\n"))
      << result.err;
  EXPECT_EQ(Bytes(path), replaced) << "the file that now has the name keeps its bytes";
  EXPECT_EQ(FieldText(Reload(path).PilotName), "Other");
}
#endif

// Another program holds the pilot's lock: the command line says which file it waits for; with --wait 1
// it gives up while the lock is still held, with exit status 1, and writes nothing; a wait whose holder
// lets go ends in the save.
TEST_F(UpdateConcurrencyTest, HeldLockIsExplainedAndTheWaitIsBounded) {
  const std::string path = Pilot("keyan.plt");
  const std::string before = Bytes(path);
  SystemFile holder(path, SystemFile::Mode::kReadWrite);
  ASSERT_EQ(holder.TryLockExclusive(), SystemFile::LockAttempt::kLocked);
  const std::string note = WaitNote(path, "1 second");
  const test::CliRun gaveUp =
      test::StartCli({"update", path, "--rank", "1", "--wait", "1"}, environment_)->Finish();
  EXPECT_EQ(gaveUp.exitStatus, 1) << "it ended while the lock was still held";
  EXPECT_EQ(gaveUp.err,
            note + "Unable to lock " + path + ": another program holds its lock. Nothing was written.\n");
  EXPECT_EQ(Bytes(path), before);
  EXPECT_FALSE(fs::exists(PilotBackups::BackupPath(path)));

  ASSERT_TRUE(holder.Close());
  SystemFile nextHolder(path, SystemFile::Mode::kReadWrite);
  auto waiting = StartBlockedUpdate(path, nextHolder);
  ASSERT_TRUE(waiting->ErrSoFar().ends_with(WaitNote(path))) << waiting->ErrSoFar();
  ASSERT_TRUE(nextHolder.Close());  // lets go
  const test::CliRun saved = waiting->Finish();
  EXPECT_EQ(saved.exitStatus, 0) << saved.err;
  EXPECT_TRUE(saved.err.ends_with(WaitNote(path))) << saved.err;
  EXPECT_EQ(Reload(path).Rank, 1);
}

}  // namespace
}  // namespace orlenda

// The pilot details update on a disk that is full or read-only for everyone (root included), from the
// library and from the command line: the update is refused with a message naming the file, and the
// pilot file keeps every byte.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "cli_runner.h"
#include "fault_injection.h"
#include "pilot/pilot_load.h"
#include "pilot/pilot_update.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

using test::ReadBytes;

constexpr std::size_t kPilotPages = (kPilotFileSize + 4095) / 4096;

class PilotUpdateFaultTest : public ::testing::Test {
 protected:
  // A tmpfs with room for the pilot file and its backup, until it is filled up.
  bool MountDisk() {
    disk_ = std::make_unique<test::ScratchMount>(dir_.path(), (2 * kPilotPages + 8) * 4096);
    if (!disk_->mounted()) return false;
    path_ = disk_->File("Red_Kestrel.plt");
    tools::WriteBytesToFile(path_, tools::EncodePilotFile(tools::SamplePilotRecord()));
    original_ = ReadBytes(path_);
    return true;
  }

  PilotDetails NewDetails() const { return {"Keyan Farlan", 5, 6, 2, 3}; }

  // The library refuses the update, names the file and writes nothing; the folder gains nothing.
  void ExpectUpdateRefused() {
    const std::string listing = test::FolderListing(disk_->path());
    LoadResult loaded = LoadPilotFile(path_);
    ASSERT_TRUE(loaded.Succeeded());
    PilotBackups backups;
    const UpdateResult result = UpdatePilotFile(path_, NewDetails(), loaded.record, backups);
    EXPECT_FALSE(result.succeeded);
    EXPECT_NE(result.message.find(path_), std::string::npos) << result.message;
    EXPECT_EQ(FieldText(loaded.record.PilotName), "Red Kestrel");
    EXPECT_EQ(ReadBytes(path_), original_);
    EXPECT_EQ(test::FolderListing(disk_->path()), listing);
  }

  // The command line prints the same refusal on standard error and exits with 1.
  void ExpectCommandRefused() {
    const test::CliRun run = test::RunCli({"update", path_, "--name", "Keyan", "--rank", "2"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.err.find(path_), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(path_), original_);
  }

  test::TempDir dir_;
  std::unique_ptr<test::ScratchMount> disk_;
  std::string path_;
  std::string original_;
};

TEST_F(PilotUpdateFaultTest, FullDiskLeavesNoRoomForTheBackupSoNothingIsWritten) {
  if (!MountDisk()) GTEST_SKIP() << disk_->whyNot();
  disk_->FillUp();
  ExpectUpdateRefused();
  ExpectCommandRefused();
}

TEST_F(PilotUpdateFaultTest, ReadOnlyFileSystemIsRefused) {
  if (!MountDisk()) GTEST_SKIP() << disk_->whyNot();
  ASSERT_TRUE(disk_->MakeReadOnly());
  ExpectUpdateRefused();
  ExpectCommandRefused();
}

// With room for the backup the same update succeeds: the refusals above come from the disk alone.
TEST_F(PilotUpdateFaultTest, WithRoomTheUpdateSucceedsAndKeepsTheBackup) {
  if (!MountDisk()) GTEST_SKIP() << disk_->whyNot();
  LoadResult loaded = LoadPilotFile(path_);
  PilotBackups backups;
  ASSERT_TRUE(UpdatePilotFile(path_, NewDetails(), loaded.record, backups).succeeded);
  EXPECT_EQ(ReadBytes(PilotBackups::BackupPath(path_)), original_);
  EXPECT_EQ(FieldText(LoadPilotFile(path_).record.PilotName), "Keyan Farlan");
}

// Under a file size limit below a pilot file's size (ulimit -f), the command line, started with
// SIGXFSZ at its default, fails the backup's write instead of dying in it: exit status 1, the reason
// given, no temporary file left, and the pilot as it was.
TEST_F(PilotUpdateFaultTest, FileSizeLimitFailsTheUpdateWithoutLeftovers) {
  path_ = dir_.File("Red_Kestrel.plt");
  tools::WriteBytesToFile(path_, tools::EncodePilotFile(tools::SamplePilotRecord()));
  original_ = ReadBytes(path_);
  const std::string listing = test::FolderListing(dir_.path());
  test::CliRun run;
  {
    const test::FileSizeLimit limit(100000);
    run = test::RunCli({"update", path_, "--name", "Keyan", "--rank", "2"});
  }
  EXPECT_EQ(run.exitStatus, 1) << run.err;
  EXPECT_NE(run.err.find("(File too large)"), std::string::npos) << run.err;
  EXPECT_EQ(test::FolderListing(dir_.path()), listing);
  EXPECT_EQ(ReadBytes(path_), original_);
}

// The marker of a save that ended but could not be removed: the run says so, and the next run sees
// that the save ended and backs up the file as that run left it, not the older state.
TEST_F(PilotUpdateFaultTest, AMarkerThatCouldNotBeRemovedKeepsNoOldBackup) {
  path_ = dir_.File("Red_Kestrel.plt");
  tools::WriteBytesToFile(path_, tools::EncodePilotFile(tools::SamplePilotRecord()));
  const std::string marker = PilotBackups::KeepMarkerPath(path_);
  LoadResult loaded = LoadPilotFile(path_);
  PilotBackups firstRun;
  UpdateResult result;
  {
    const test::FailingCalls failing({test::SystemCall::kUnlink}, EIO);
    result = UpdatePilotFile(path_, NewDetails(), loaded.record, firstRun);
  }
  ASSERT_TRUE(result.succeeded) << result.message;
  EXPECT_EQ(result.warning,
            "The save of " + path_ + " ended, but " + marker +
                " could not be removed (Input/output error). The next save sees that this save "
                "ended, and backs up the file as it is then.");
  ASSERT_TRUE(std::filesystem::exists(marker));

  const std::string saved = ReadBytes(path_);
  PilotBackups nextRun;
  ASSERT_TRUE(UpdatePilotFile(path_, {"Wedge", 5, 6, 2, 3}, loaded.record, nextRun).succeeded);
  EXPECT_EQ(ReadBytes(PilotBackups::BackupPath(path_)), saved);
  EXPECT_FALSE(std::filesystem::exists(marker));
}

// The note of a save goes while the save still holds the file's lock: another save that waited for the
// lock cannot note itself in between and have its note removed by this one.
TEST_F(PilotUpdateFaultTest, TheNoteIsRemovedWhileTheLockIsHeld) {
  path_ = dir_.File("Red_Kestrel.plt");
  tools::WriteBytesToFile(path_, tools::EncodePilotFile(tools::SamplePilotRecord()));
  LoadResult loaded = LoadPilotFile(path_);
  PilotBackups backups;
  bool lockedMeanwhile = false;
  const test::BeforeCall atTheNotesRemoval(test::SystemCall::kUnlink, 1, [&] {
    const int other = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
    lockedMeanwhile = other >= 0 && ::flock(other, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (other >= 0) ::close(other);
  });
  ASSERT_TRUE(UpdatePilotFile(path_, NewDetails(), loaded.record, backups).succeeded);
  ASSERT_TRUE(atTheNotesRemoval.ran());
  EXPECT_TRUE(lockedMeanwhile);
  EXPECT_FALSE(std::filesystem::exists(PilotBackups::KeepMarkerPath(path_)));
}

}  // namespace
}  // namespace orlenda

// Saving and appending to the main log when the disk is full, the folder is read-only, the write is cut
// short, or the path is not a plain file: each fails with the caller's message, and the log that was
// there is left exactly as it was, with no temporary file beside it.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "base/file_messages.h"
#include "cli_runner.h"
#include "fault_injection.h"
#include "mainlog/main_log_file.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// A log of a few hundred lines, longer than what the command-line front end prints on failure.
std::string OldLog() {
  std::string log;
  for (int i = 0; i < 300; ++i)
    log += "Red - Score: " + std::to_string(i) + " (1200+55)\r\n! Wedge ! Errors in file!\r\n";
  return log;
}
const std::string kOldLog = OldLog();

std::string LongText() { return std::string(200'000, 'x') + "\nnext line"; }

class MainLogFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tools::WriteBytesToFile(pilot_, tools::EncodePilotFile(tools::SamplePilotRecord()));
    WriteBytes(ini_, "[Orlenda]\n");
  }

  // Runs the command-line export of the sample pilot into `log` and returns what it did.
  test::CliRun ExportInto(const std::string& log) {
    return test::RunCli({"export", "--ini", ini_, "--log", log, pilot_});
  }

  // Every way of writing the log fails, the command line gives the system's reason, and the log and
  // its folder are as they were.
  void ExpectEveryWriteRefused(const std::string& log, const std::string& reason,
                               const std::string& oldLog = kOldLog) {
    const std::string listing = test::FolderListing(std::filesystem::path(log).parent_path());
    EXPECT_FALSE(WriteMainLogText(log, LongText()));
    EXPECT_FALSE(AppendMainLogLines(log, {LongText()}));
    const test::CliRun run = ExportInto(log);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, CannotCreateFileMessage(log) + " (" + reason + ")\n");
    EXPECT_TRUE(ReadBytes(log) == oldLog);
    EXPECT_EQ(test::FolderListing(std::filesystem::path(log).parent_path()), listing);
  }

  test::TempDir dir_;
  std::string pilot_ = dir_.File("Red_Kestrel.plt");
  std::string ini_ = dir_.File("orlenda3001.ini");
};

TEST_F(MainLogFaultTest, FullDiskKeepsTheOldLog) {
  test::ScratchMount disk(dir_.path(), 64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << disk.whyNot();
  const std::string log = disk.File("ORLENDA_MainLog.txt");
  // A log that ends on a block boundary: an append finds no room left in its last block.
  constexpr std::size_t kBlock = 4096;
  const std::string oldLog = kOldLog + std::string(kBlock - (kOldLog.size() + 2) % kBlock, 'x') + "\r\n";
  WriteBytes(log, oldLog);
  disk.FillUp();
  ExpectEveryWriteRefused(log, "No space left on device", oldLog);
}

TEST_F(MainLogFaultTest, ReadOnlyFolderKeepsTheOldLog) {
  test::ScratchMount disk(dir_.path(), 1024 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << disk.whyNot();
  const std::string log = disk.File("ORLENDA_MainLog.txt");
  WriteBytes(log, kOldLog);
  ASSERT_TRUE(disk.MakeReadOnly());
  ExpectEveryWriteRefused(log, "Read-only file system");
  EXPECT_EQ(ReadMainLogText(log)->size(), kOldLog.size() - 600 - 1);  // "\n" between lines, none at the end
}

// A write cut short half way (the file size limit binds every account, root included). The command
// line starts with SIGXFSZ at its default, as from a shell, and must not die of it.
TEST_F(MainLogFaultTest, WriteCutShortKeepsTheOldLog) {
  const std::string log = dir_.File("ORLENDA_MainLog.txt");
  WriteBytes(log, kOldLog);
  const test::FileSizeLimit limit(kOldLog.size() + 8);
  ExpectEveryWriteRefused(log, "File too large");
}

// The desktop program holds the log's text while the file is removed: the save writes it anew.
TEST_F(MainLogFaultTest, LogRemovedAfterLoadingIsWrittenAnew) {
  const std::string log = dir_.File("ORLENDA_MainLog.txt");
  WriteBytes(log, kOldLog);
  const std::optional<std::string> text = ReadMainLogText(log);
  ASSERT_TRUE(text);
  std::filesystem::remove(log);
  ASSERT_TRUE(WriteMainLogText(log, *text + "\nnew line"));
  EXPECT_EQ(ReadBytes(log), kOldLog + "new line\r\n");
}

// A log path that names a pipe (or a device, as /dev/stdout may) must neither block the program
// nor be replaced by a plain file.
TEST_F(MainLogFaultTest, PipeAsLogNeitherBlocksNorIsReplaced) {
  const std::string pipe = dir_.File("log.fifo");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const auto read = [](const std::string& path) { return ReadMainLogText(path).has_value() ? 1 : 0; };
  const auto append = [](const std::string& path) { return AppendMainLogLines(path, {"new"}) ? 1 : 0; };
  const auto write = [](const std::string& path) { return WriteMainLogText(path, "new") ? 1 : 0; };
  EXPECT_EQ(test::RunInChild(5, read, pipe), 0) << "the read blocked or gave text";
  EXPECT_EQ(test::RunInChild(5, append, pipe), 0) << "the append blocked or replaced the pipe";
  EXPECT_EQ(test::RunInChild(5, write, pipe), 0) << "the save blocked or replaced the pipe";
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
  EXPECT_EQ(test::FolderListing(dir_.path()), "Red_Kestrel.plt\nlog.fifo\norlenda3001.ini\n");
}

// A log path that links to a device (say /dev/full, /dev/null) is written to the device or refused, but
// the device is never replaced by a plain file, which root could otherwise do. The device here is a
// null device node of the test's own, made where the account may make one.
TEST_F(MainLogFaultTest, DeviceBehindALinkIsNotReplaced) {
  const std::string device = dir_.File("null-device");
  if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
    GTEST_SKIP() << "cannot make a device node here";
  const std::string log = dir_.File("ORLENDA_MainLog.txt");
  std::filesystem::create_symlink(device, log);
  EXPECT_FALSE(WriteMainLogText(log, "new"));
  EXPECT_EQ(AppendMainLogLines(log, {"new"}).message,
            "Cannot open file " + log + " (it is a device or pipe, not a plain file)");
  EXPECT_TRUE(std::filesystem::is_character_file(device));
  EXPECT_TRUE(std::filesystem::is_symlink(log));
  EXPECT_EQ(test::FolderListing(dir_.path()),
            "ORLENDA_MainLog.txt\nRed_Kestrel.plt\nnull-device\norlenda3001.ini\n");
}

TEST_F(MainLogFaultTest, FolderAsLogIsRefused) {
  const std::string folder = dir_.File("ORLENDA_MainLog.txt");
  std::filesystem::create_directory(folder);
  EXPECT_EQ(ReadMainLogText(folder), std::nullopt);
  EXPECT_FALSE(WriteMainLogText(folder, "new"));
  EXPECT_FALSE(AppendMainLogLines(folder, {"new"}));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

// A log that this run created and then could not lock is removed again: no empty log is left behind.
TEST_F(MainLogFaultTest, ANewLogThatCannotBeLockedIsRemoved) {
  const std::string log = dir_.File("new.log");
  LogWriteResult result;
  {
    const test::FailingCalls failing({test::SystemCall::kFlock}, EIO);
    result = AppendMainLogLines(log, {"new"});
  }
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(std::filesystem::exists(log)) << result.message;
}

// An append that can be neither put on disk nor taken out again may be in the log: the message says
// so, so that a retry does not add the lines twice.
TEST_F(MainLogFaultTest, AnAppendThatCannotBeUndoneSaysTheLinesMayBeInTheLog) {
  const std::string log = dir_.File("ORLENDA_MainLog.txt");
  WriteBytes(log, kOldLog);
  LogWriteResult result;
  {
    const test::FailingCalls failing({test::SystemCall::kFsync, test::SystemCall::kFtruncate}, EIO);
    result = AppendMainLogLines(log, {"new"});
  }
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message,
            "The new lines may be in " + log +
                " already: it could not be put on disk (Input/output error), nor the lines taken "
                "out again. Check it before adding them again.");
  EXPECT_EQ(ReadBytes(log), kOldLog + "new\r\n");
}

}  // namespace
}  // namespace orlenda

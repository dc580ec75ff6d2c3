#include "base/system_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/locked_file.h"
#include "support/file_contents.h"
#include "support/lock_holder.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

using test::ReadBytes;
using test::WriteBytes;

TEST(SystemFileTest, OpensExistingFilesOnlyUnlessAskedToCreate) {
  test::TempDir dir;
  SystemFile missing(dir.File("log.txt"), SystemFile::Mode::kReadWrite);
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_FALSE(missing.reason().empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("log.txt")));

  SystemFile created(dir.File("log.txt"), SystemFile::Mode::kReadWriteOrCreate);
  ASSERT_TRUE(created.IsOpen());
  EXPECT_EQ(created.RegularFileSize(), 0);
}

#ifndef _WIN32  // Wine does not always keep a second handle of one process out of a lock
TEST(SystemFileTest, TwoOpensInOneProcessExcludeEachOther) {
  test::TempDir dir;
  const std::string path = dir.File("shared.txt");
  WriteBytes(path, "old");
  SystemFile first(path, SystemFile::Mode::kReadWrite);
  SystemFile second(path, SystemFile::Mode::kRead);
  ASSERT_EQ(first.TryLockExclusive(), SystemFile::LockAttempt::kLocked);
  EXPECT_EQ(second.TryLockExclusive(), SystemFile::LockAttempt::kHeldElsewhere);
  ASSERT_TRUE(first.Close());
  EXPECT_EQ(second.TryLockExclusive(), SystemFile::LockAttempt::kLocked);
}
#endif

TEST(SystemFileTest, KnowsWhenItsPathNoLongerNamesIt) {
  test::TempDir dir;
  const std::string path = dir.File("pilot.plt");
  WriteBytes(path, "one");
  SystemFile file(path, SystemFile::Mode::kReadWrite);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_TRUE(file.IsStillNamedBy(path));

#ifndef _WIN32
  // Windows refuses to rename a file over one that is open, and keeps a removed file's name until it
  // is closed (Wine always does), so neither can happen there while the file is open.
  WriteBytes(dir.File("other.plt"), "two");
  std::filesystem::rename(dir.File("other.plt"), path);
  EXPECT_FALSE(file.IsStillNamedBy(path));

  std::filesystem::remove(path);
  EXPECT_FALSE(file.IsStillNamedBy(path));
#endif
}

TEST(SystemFileTest, TruncateCutsBackToAnEarlierLength) {
  test::TempDir dir;
  const std::string path = dir.File("log.txt");
  WriteBytes(path, "line one\r\nhalf a li");
  SystemFile file(path, SystemFile::Mode::kReadWrite);
  ASSERT_TRUE(file.Truncate(10));
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(ReadBytes(path), "line one\r\n");
}

// A lock that another program holds: the caller is told once which file it is, and its answer (the
// desktop program's Cancel), its pause or the time limit ends the wait with the reason said.
TEST(LockWaitTest, TheCallerIsToldAndMayGiveUp) {
  using std::chrono::milliseconds;
  test::TempDir dir;
  const std::string path = dir.File("pilot.plt");
  WriteBytes(path, "pilot");
  test::LockHolder holder(path);
  ASSERT_TRUE(holder.Holding());
  std::vector<std::string> told;
  LockWait wait{milliseconds(-1),
                [&told](const std::string& locked) {
                  told.push_back(locked);
                  return false;
                },
                {}};
  std::string reason;
  EXPECT_EQ(OpenLocked(path, SystemFile::Mode::kReadWrite, wait, &reason), nullptr);
  EXPECT_EQ(told, std::vector<std::string>{path});
  EXPECT_EQ(reason, kLockHeldReason);

  told.clear();
  wait.limit = milliseconds(0);
  EXPECT_EQ(OpenLocked(path, SystemFile::Mode::kReadWrite, wait, &reason), nullptr) << "0: no wait at all";
  EXPECT_TRUE(told.empty());

  // A short limit is half waited before the caller is told, and the wait then ends at the limit.
  wait.limit = milliseconds(300);
  wait.onLongWait = [&told](const std::string& locked) {
    told.push_back(locked);
    return true;
  };
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(OpenLocked(path, SystemFile::Mode::kReadWrite, wait, &reason), nullptr);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, milliseconds(300));
  EXPECT_LT(waited, milliseconds(2000));
  EXPECT_EQ(told.size(), 1U);
  EXPECT_EQ(reason, kLockHeldReason);

  const LockWait cancelled{milliseconds(-1), {}, [](milliseconds) { return false; }};
  EXPECT_EQ(OpenLocked(path, SystemFile::Mode::kReadWrite, cancelled, &reason), nullptr);
  EXPECT_EQ(reason, kLockHeldReason);
}

TEST(LockWaitTest, TheLockIsTakenOnceTheOtherProgramLetsGo) {
  test::TempDir dir;
  const std::string path = dir.File("log.txt");
  WriteBytes(path, "log");
  test::LockHolder holder(path);
  ASSERT_TRUE(holder.Holding());
  int pauses = 0;
  bool letGo = false;
  // The wait's own limit is the test's deadline: a holder that does not let go fails the test.
  const LockWait wait{std::chrono::seconds(150), {}, [&](std::chrono::milliseconds) {
                        if (++pauses == 1) letGo = holder.LetGo();
                        return true;
                      }};
  EXPECT_NE(OpenLocked(path, SystemFile::Mode::kReadWrite, wait), nullptr);
  EXPECT_TRUE(letGo) << "the other program did not end as told";
  EXPECT_EQ(pauses, 1);
}

}  // namespace
}  // namespace orlenda

#include "base/system_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "base/locked_file.h"
#include "support/file_contents.h"
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

TEST(SystemFileTest, SecondLockWaitsUntilTheFirstHolderCloses) {
  test::TempDir dir;
  const std::string path = dir.File("shared.txt");
  WriteBytes(path, "old");
  SystemFile first(path, SystemFile::Mode::kReadWrite);
  ASSERT_TRUE(first.LockExclusive());

  // A second open of the same file, in this very process, must wait as another process would.
  auto second = std::async(std::launch::async, [&] {
    SystemFile file(path, SystemFile::Mode::kReadWrite);
    const bool locked = file.LockExclusive();
    std::vector<std::uint8_t> bytes;
    file.ReadAll(bytes, static_cast<std::size_t>(file.RegularFileSize()));
    return locked ? std::string(bytes.begin(), bytes.end()) : std::string("no lock");
  });
  const std::string text = "new text";
  ASSERT_TRUE(first.Truncate(0));
  ASSERT_TRUE(first.WriteAt(0, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}));
  ASSERT_TRUE(first.Close());
  EXPECT_EQ(second.get(), "new text");  // the waiting side saw only the finished change
}

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

#ifndef _WIN32  // Windows waits for a lock without a limit
// A lock that another open file holds: the front end is told once which file it is, and its answer
// (the desktop program's Cancel) or the time limit ends the wait with the reason said.
TEST(LockWaitTest, TheFrontEndIsToldAndMayGiveUp) {
  test::TempDir dir;
  const std::string path = dir.File("pilot.plt");
  WriteBytes(path, "pilot");
  SystemFile holder(path, SystemFile::Mode::kReadWrite);
  ASSERT_TRUE(holder.LockExclusive());
  std::vector<std::string> told;
  SetLockWait({std::chrono::milliseconds(-1), [&told](const std::string& locked) {
                 told.push_back(locked);
                 return false;
               }});
  std::string reason;
  EXPECT_EQ(OpenLocked(path, SystemFile::Mode::kReadWrite, &reason), nullptr);
  EXPECT_EQ(told, std::vector<std::string>{path});
  EXPECT_EQ(reason, kLockHeldReason);

  SetLockWait({std::chrono::milliseconds(0), {}});
  EXPECT_EQ(OpenLocked(path, SystemFile::Mode::kReadWrite, &reason), nullptr) << "0: no wait at all";
  SetLockWait({});
  ASSERT_TRUE(holder.Close());
  EXPECT_NE(OpenLocked(path, SystemFile::Mode::kReadWrite), nullptr);
}

#endif

}  // namespace
}  // namespace orlenda

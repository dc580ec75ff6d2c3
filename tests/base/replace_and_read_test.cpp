#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <thread>
#endif

#include "base/file_bytes.h"
#include "base/file_replacement.h"
#include "base/system_file.h"
#include "support/file_contents.h"
#include "support/lock_holder.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

TEST(FileReplacementTest, ReplacesTheWholeContentAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  const std::string path = dir.File("orlenda3001.ini");
  ASSERT_TRUE(ReplaceWholeFile(path, "first, and longer than the second\r\n"));
  ASSERT_TRUE(ReplaceWholeFile(path, "second\r\n"));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(path, text));
  EXPECT_EQ(text, "second\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

  const std::string big(200'000, 'x');  // more than one read's buffer
  ASSERT_TRUE(ReplaceWholeFile(path, big));
  ASSERT_TRUE(ReadWholeFile(path, text));
  EXPECT_EQ(text, big);
}

TEST(FileReplacementTest, RefusesWhatItCannotReplaceAndKeepsTheOldFile) {
  test::TempDir dir;
  fs::create_directory(dir.path() / "folder");
  EXPECT_FALSE(ReplaceWholeFile(dir.File("folder"), "text"));
  EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
  EXPECT_FALSE(ReplaceWholeFile(dir.File("missing/log.txt"), "text"));
  std::string text = "unchanged";
  EXPECT_FALSE(ReadWholeFile(dir.File("folder"), text));
  EXPECT_FALSE(ReadWholeFile(dir.File("missing.txt"), text));
  EXPECT_EQ(text, "unchanged");
}

TEST(FileReplacementTest, AVeryLongNameStillGetsATemporaryFileBesideIt) {
  test::TempDir dir;
  const std::string path = dir.File(std::string(250, 'n') + ".txt");  // no room for a suffix
  ASSERT_TRUE(ReplaceWholeFile(path, "text"));
  EXPECT_EQ(test::ReadBytes(path), "text");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(FileReplacementTest, FollowsALinkAndKeepsPermissions) {
#ifdef _WIN32
  GTEST_SKIP() << "links and POSIX permissions need a POSIX system";
#else
  test::TempDir dir;
  const std::string target = dir.File("real.ini");
  const std::string link = dir.File("link.ini");
  test::WriteBytes(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(target, link);
  ASSERT_TRUE(ReplaceWholeFile(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(test::ReadBytes(target), "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif
}

TEST(FileBytesTest, ReadsTheExpectedSizeOnlyAndNoMissingFile) {
  test::TempDir dir;
  const std::string path = dir.File("pilot.plt");
  test::WriteBytes(path, "12345");
  const FileBytes right = ReadFileOfSize(path, 5);
  EXPECT_TRUE(right.opened);
  EXPECT_EQ(std::string(right.bytes.begin(), right.bytes.end()), "12345");
  const FileBytes wrong = ReadFileOfSize(path, 6);
  EXPECT_EQ(wrong.size, 5);
  EXPECT_TRUE(wrong.bytes.empty());
  EXPECT_FALSE(ReadFileOfSize(dir.File("none.plt"), 5).opened);
}

TEST(FileBytesTest, AFileLockedForAnUpdateCanStillBeRead) {
  // The lock keeps writers out of each other's way only; readers (another copy of the program loading
  // the pilot) are never blocked, on Windows as on Linux.
  test::TempDir dir;
  const std::string path = dir.File("pilot.plt");
  test::WriteBytes(path, "12345");
  test::LockHolder writer(path);
  ASSERT_TRUE(writer.Holding());
  const FileBytes read = ReadFileOfSize(path, 5);
  EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), "12345");
  std::string whole;
  EXPECT_TRUE(ReadWholeFile(path, whole));
  EXPECT_EQ(whole, "12345");
}

#ifdef _WIN32
// A program that holds the file open for a moment without sharing it (a virus scanner does) delays a
// replacement instead of failing it.
TEST(FileReplacementTest, WaitsOutAProgramThatHoldsTheFileForAMoment) {
  test::TempDir dir;
  const std::string path = dir.File("orlenda3001.ini");
  ASSERT_TRUE(ReplaceWholeFile(path, "old"));
  HANDLE held = ::CreateFileW(test::PathOfUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread scanner([held] {
    ::Sleep(150);
    ::CloseHandle(held);
  });
  EXPECT_TRUE(ReplaceWholeFile(path, "new"));
  scanner.join();
  EXPECT_EQ(test::ReadBytes(path), "new");
}
#endif

}  // namespace
}  // namespace orlenda

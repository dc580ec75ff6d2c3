// The atomic replacement that the settings file, the main log and the pilot backup are written
// through: the promises they share (a failed write keeps the old file and leaves nothing behind, the
// file keeps its permissions, a link keeps pointing at the replaced file) are tested here, once.

#include "base/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "fault_injection.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(AtomicFileTest, ReplacesTheContentAndKeepsThePermissions) {
  test::TempDir dir;
  const std::string path = dir.File("settings.ini");
  ASSERT_TRUE(WriteFileAtomically(path, std::string("new\0file\r\n", 10)));
  EXPECT_EQ(ReadBytes(path), std::string("new\0file\r\n", 10));
  EXPECT_EQ(ModeOf(path), 0644u) << "a new file";

  ::chmod(path.c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomically(path, "second"));
  EXPECT_EQ(ReadBytes(path), "second");
  EXPECT_EQ(ModeOf(path), 0600u);
  EXPECT_EQ(test::FolderListing(dir.path()), "settings.ini\n") << "no temporary file is left";
}

TEST(AtomicFileTest, WriteCutShortKeepsTheOldFileAndLeavesNothingBehind) {
  test::TempDir dir;
  const std::string path = dir.File("log.txt");
  WriteBytes(path, "old\r\n");
  {
    const test::FileSizeLimit limit(100);
    EXPECT_FALSE(WriteFileAtomically(path, std::string(1000, 'x')));
  }
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_EQ(test::FolderListing(dir.path()), "log.txt\n");
}

TEST(AtomicFileTest, ReplacesTheFileALinkNamesAndKeepsTheLink) {
  test::TempDir dir;
  const std::string target = dir.File("real.txt");
  const std::string link = dir.File("link.txt");
  WriteBytes(target, "old");
  fs::create_symlink(target, link);
  ASSERT_TRUE(WriteFileAtomically(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), "new");
}

TEST(AtomicFileTest, RefusesWhatIsNotAPlainFileOrHasNoFolder) {
  test::TempDir dir;
  fs::create_directory(dir.path() / "folder");
  EXPECT_FALSE(WriteFileAtomically(dir.File("folder"), "x"));
  EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
  EXPECT_FALSE(WriteFileAtomically("/dev/null", "x"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_FALSE(WriteFileAtomically(dir.File("missing/file.txt"), "x"));
  EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

TEST(AtomicFileTest, ReadWholeFileReadsPlainFilesOnly) {
  test::TempDir dir;
  std::string content = "unchanged";
  WriteBytes(dir.File("a.txt"), std::string("a\0b", 3));
  ASSERT_TRUE(ReadWholeFile(dir.File("a.txt"), content));
  EXPECT_EQ(content, std::string("a\0b", 3));

  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(ReadWholeFile(dir.File("pipe"), content)) << "a pipe must not block the read";
  EXPECT_FALSE(ReadWholeFile(dir.path().string(), content));
  EXPECT_FALSE(ReadWholeFile(dir.File("missing"), content));
}

}  // namespace
}  // namespace orlenda

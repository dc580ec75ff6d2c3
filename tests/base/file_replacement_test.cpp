// The one replacement that the settings file, the main log, the pilot backup and its marker are
// written through: the promises they share (a failed write keeps the old file and leaves nothing
// behind, the file keeps its permissions, a link is followed or replaced as asked, stale temporary
// files of ours are swept) are tested here, once.

#include "base/file_replacement.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#ifndef _WIN32
#include <unistd.h>

#include "fault_injection.h"
#endif

#include <chrono>
#include <filesystem>
#include <string>

#include "base/file_bytes.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// Mode bits, file size limits and links that any user may make are POSIX's.
#ifndef _WIN32
mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(FileReplacementTest, ReplacesTheContentAndKeepsThePermissions) {
  test::TempDir dir;
  const std::string path = dir.File("settings.ini");
  ASSERT_TRUE(ReplaceWholeFile(path, std::string("new\0file\r\n", 10)));
  EXPECT_EQ(ReadBytes(path), std::string("new\0file\r\n", 10));
  EXPECT_EQ(ModeOf(path), 0644u) << "a new file";

  ::chmod(path.c_str(), 0600);
  ASSERT_TRUE(ReplaceWholeFile(path, "second"));
  EXPECT_EQ(ReadBytes(path), "second");
  EXPECT_EQ(ModeOf(path), 0600u);
  EXPECT_EQ(test::FolderListing(dir.path()), "settings.ini\n") << "no temporary file is left";
}

TEST(FileReplacementTest, WriteCutShortKeepsTheOldFileAndLeavesNothingBehind) {
  test::TempDir dir;
  const std::string path = dir.File("log.txt");
  WriteBytes(path, "old\r\n");
  {
    const test::FileSizeLimit limit(100);
    EXPECT_FALSE(ReplaceWholeFile(path, std::string(1000, 'x')));
  }
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_EQ(test::FolderListing(dir.path()), "log.txt\n");
}

TEST(FileReplacementTest, ReplacesTheFileALinkNamesAndKeepsTheLink) {
  test::TempDir dir;
  const std::string target = dir.File("real.txt");
  const std::string link = dir.File("link.txt");
  WriteBytes(target, "old");
  fs::create_symlink(target, link);
  ASSERT_TRUE(ReplaceWholeFile(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), "new");
}

#endif

TEST(FileReplacementTest, RefusesWhatIsNotAPlainFileOrHasNoFolder) {
  test::TempDir dir;
  fs::create_directory(dir.path() / "folder");
  EXPECT_FALSE(ReplaceWholeFile(dir.File("folder"), "x"));
  EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
#ifndef _WIN32  // a device file
  EXPECT_FALSE(ReplaceWholeFile("/dev/null", "x"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
#endif
  EXPECT_FALSE(ReplaceWholeFile(dir.File("missing/file.txt"), "x"));
  EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

#ifndef _WIN32  // mode bits and links
TEST(FileReplacementTest, ACopyReplacesALinkItselfAndTakesTheModeOfItsOriginal) {
  test::TempDir dir;
  const std::string pilot = dir.File("pilot.plt");
  const std::string elsewhere = dir.File("elsewhere");
  WriteBytes(pilot, "pilot");
  WriteBytes(elsewhere, "untouched");
  ::chmod(pilot.c_str(), 0600);
  fs::create_symlink(elsewhere, dir.File("pilot.plt.bak"));
  std::string reason;
  ASSERT_TRUE(ReplaceWholeFile(dir.File("pilot.plt.bak"), "copy", {LinkAtName::kReplace, pilot}, reason))
      << reason;
  EXPECT_FALSE(fs::is_symlink(dir.File("pilot.plt.bak")));
  EXPECT_EQ(ReadBytes(dir.File("pilot.plt.bak")), "copy");
  EXPECT_EQ(ReadBytes(elsewhere), "untouched");
  EXPECT_EQ(ModeOf(dir.File("pilot.plt.bak")), 0600u);

  fs::create_directory(dir.path() / "folder.bak");
  EXPECT_FALSE(ReplaceWholeFile(dir.File("folder.bak"), "copy", {LinkAtName::kReplace, pilot}, reason));
  EXPECT_EQ(reason, "a folder has that name");
}
#endif

TEST(FileReplacementTest, SweepsOnlyStaleTemporaryFilesOfOurs) {
  test::TempDir dir;
  const auto makeOld = [&](const std::string& name) {
    WriteBytes(dir.File(name), "left behind");
    fs::last_write_time(dir.File(name), fs::file_time_type::clock::now() - std::chrono::minutes(2));
  };
  makeOld(".orlenda-tmp.ab12cd");
  makeOld(".orlenda-copy.Zz9yX1");             // an earlier version's backup temporary
  makeOld("settings.ini.orlenda-tmp.Ab12Cd");  // an earlier version's save temporary
  makeOld(".orlenda-tmp.toolong1");            // not of our form
  makeOld("notes.orlenda-copy.ab12cd");
  WriteBytes(dir.File(".orlenda-tmp.fresh1"), "a save in progress");
  ASSERT_TRUE(ReplaceWholeFile(dir.File("settings.ini"), "new"));
  EXPECT_EQ(test::FolderListing(dir.path()),
            ".orlenda-tmp.fresh1\n.orlenda-tmp.toolong1\nnotes.orlenda-copy.ab12cd\nsettings.ini\n");
}

TEST(FileReplacementTest, ReadWholeFileReadsPlainFilesOnly) {
  test::TempDir dir;
  std::string content = "unchanged";
  WriteBytes(dir.File("a.txt"), std::string("a\0b", 3));
  ASSERT_TRUE(ReadWholeFile(dir.File("a.txt"), content));
  EXPECT_EQ(content, std::string("a\0b", 3));

#ifndef _WIN32  // a named pipe in a folder
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(ReadWholeFile(dir.File("pipe"), content)) << "a pipe must not block the read";
#endif
  EXPECT_FALSE(ReadWholeFile(dir.path().string(), content));
  EXPECT_FALSE(ReadWholeFile(dir.File("missing"), content));
}

}  // namespace
}  // namespace orlenda

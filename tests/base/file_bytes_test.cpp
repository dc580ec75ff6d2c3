// Reading a file of one expected size: the pilot load's only way into a file.

#include "base/file_bytes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

TEST(FileBytesTest, ReadsOnlyAFileOfTheExpectedSize) {
  test::TempDir dir;
  const std::string path = dir.File("pilot.plt");
  test::WriteBytes(path, "12345678");

  const FileBytes right = ReadFileOfSize(path, 8);
  EXPECT_TRUE(right.opened);
  EXPECT_EQ(right.size, 8);
  EXPECT_EQ(std::string(right.bytes.begin(), right.bytes.end()), "12345678");

  const FileBytes wrong = ReadFileOfSize(path, 9);
  EXPECT_TRUE(wrong.opened);
  EXPECT_EQ(wrong.size, 8) << "the size the file really has, for the message";
  EXPECT_TRUE(wrong.bytes.empty());
}

TEST(FileBytesTest, MissingFileFolderAndPipeGiveNoBytes) {
  test::TempDir dir;
  const FileBytes missing = ReadFileOfSize(dir.File("missing.plt"), 8);
  EXPECT_FALSE(missing.opened);
  EXPECT_EQ(missing.size, -1);

  const FileBytes folder = ReadFileOfSize(dir.path().string(), 8);
  EXPECT_EQ(folder.size, 0);
  EXPECT_TRUE(folder.bytes.empty());

#ifndef _WIN32  // a named pipe in a folder
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  const FileBytes pipe = ReadFileOfSize(dir.File("pipe"), 8);  // must return at once, not wait for a writer
  EXPECT_EQ(pipe.size, 0);
  EXPECT_TRUE(pipe.bytes.empty());
#endif
}

}  // namespace
}  // namespace orlenda

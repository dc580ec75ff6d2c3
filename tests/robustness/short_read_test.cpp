// A pilot file that shrinks after its size was taken and before it is read (another program cutting
// it in that instant): the load must be an error, even when the bytes that came hold every field.
// The test stands in that instant itself: this program is linked with its reads at an offset wrapped
// (-Wl,--wrap=pread), and the wrapper cuts the file once, just before the load's read.

#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

#include <string>

#include "pilot/file_layout.h"
#include "pilot/pilot_load.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace {

std::string fileToCut;
off_t cutTo = -1;  // none

}  // namespace

extern "C" ssize_t __real_pread(int fd, void* data, size_t size, off_t offset);

extern "C" ssize_t __wrap_pread(int fd, void* data, size_t size, off_t offset) {
  if (cutTo >= 0 && ::truncate(fileToCut.c_str(), cutTo) != 0) return -1;
  cutTo = -1;
  return __real_pread(fd, data, size, offset);
}

namespace orlenda {
namespace {

LoadResult LoadCutBeforeTheRead(const std::string& path, off_t size) {
  EXPECT_TRUE(tools::WriteBytesToFile(path, tools::EncodePilotFile(tools::SamplePilotRecord())));
  fileToCut = path;
  cutTo = size;
  LoadResult result = LoadPilotFile(path);
  EXPECT_EQ(cutTo, -1) << "the load read nothing";
  return result;
}

TEST(ShortReadTest, FileThatShrinksBeforeItsReadIsALoadError) {
  test::TempDir dir;
  const std::string path = dir.File("Red_Kestrel.plt");
  // One byte short, past the last field: the short read is the one error.
  const LoadResult oneByteShort = LoadCutBeforeTheRead(path, static_cast<off_t>(kPilotFileSize) - 1);
  EXPECT_EQ(oneByteShort.messages,
            std::vector<std::string>{"1 Errors while loading file! This may not be a XWA pilotfile."});
  EXPECT_TRUE(oneByteShort.record.BytesOnDisk.empty());
  // Emptied: the short read counted with every field that did not come.
  const LoadResult emptied = LoadCutBeforeTheRead(path, 0);
  EXPECT_GT(emptied.errorCount, 1);
  EXPECT_EQ(emptied.messages, std::vector<std::string>{LoadErrorCountMessage(emptied.errorCount)});
  // Left whole, the same load succeeds.
  ASSERT_TRUE(tools::WriteBytesToFile(path, tools::EncodePilotFile(tools::SamplePilotRecord())));
  EXPECT_TRUE(LoadPilotFile(path).Succeeded());
}

}  // namespace
}  // namespace orlenda

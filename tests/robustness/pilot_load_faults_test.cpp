// Loading a pilot file that another program is writing at the same moment (the game saving, a copy in
// progress) or that is not a file at all: every load ends, with the whole record or with its messages,
// and never reads beyond what the file gave.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "fault_injection.h"
#include "pilot/pilot_load.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

// A load either read a whole pilot file or says why not, ending with the error count.
void ExpectWholeOrRefused(const LoadResult& result) {
  if (result.Succeeded()) {
    EXPECT_TRUE(result.messages.empty());
    return;
  }
  ASSERT_FALSE(result.messages.empty());
  EXPECT_EQ(result.messages.back(), LoadErrorCountMessage(result.errorCount));
}

TEST(PilotLoadFaultTest, FileChangingSizeDuringTheLoad) {
  test::TempDir dir;
  const std::string path = dir.File("Red_Kestrel.plt");
  const std::vector<std::uint8_t> pilot = tools::EncodePilotFile(tools::SamplePilotRecord());
  ASSERT_TRUE(tools::WriteBytesToFile(path, pilot));

  // The other program cuts the file, grows it past a pilot file's size and writes it back whole, over
  // and over, in place (the loader's open file sees every change).
  std::atomic<bool> stop = false;
  int failedChanges = 0;  // the writer's own calls that failed: then the loads saw less than meant
  std::thread writer([&] {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    const auto count = [&](bool succeeded) { failedChanges += succeeded ? 0 : 1; };
    while (!stop) {
      for (off_t size : {off_t{0}, off_t{70'000}, off_t{200'000}}) count(::ftruncate(fd, size) == 0);
      count(::ftruncate(fd, static_cast<off_t>(pilot.size())) == 0);
      count(::pwrite(fd, pilot.data(), pilot.size(), 0) == static_cast<ssize_t>(pilot.size()));
    }
    ::close(fd);
  });
  int whole = 0;
  int refused = 0;
  for (int i = 0; i < 2000; ++i) {
    const LoadResult result = LoadPilotFile(path);
    ExpectWholeOrRefused(result);
    ++(result.Succeeded() ? whole : refused);
  }
  stop = true;
  writer.join();
  EXPECT_EQ(failedChanges, 0);
  RecordProperty("whole", whole);
  RecordProperty("refused", refused);
}

TEST(PilotLoadFaultTest, FileRemovedBetweenTheCheckAndTheOpen) {
  test::TempDir dir;
  const std::string path = dir.File("Red_Kestrel.plt");
  ASSERT_TRUE(tools::WriteBytesToFile(path, tools::EncodePilotFile(tools::SamplePilotRecord())));
  ASSERT_TRUE(std::filesystem::exists(path));  // the main window's test that the chosen file exists
  std::filesystem::remove(path);
  const LoadResult result = LoadPilotFile(path);
  EXPECT_EQ(result.messages,
            (std::vector<std::string>{CannotOpenPilotMessage(path, "No such file or directory")}));
}

// A pipe with no writer, or a device that never ends, named as a pilot file.
TEST(PilotLoadFaultTest, PipeOrEndlessDeviceIsRefusedWithoutWaiting) {
  test::TempDir dir;
  const std::string pipe = dir.File("pilot.plt");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const auto load = [](const std::string& path) { return LoadPilotFile(path).Succeeded() ? 1 : 0; };
  EXPECT_EQ(test::RunInChild(5, load, pipe), 0) << "the load blocked or succeeded";
  EXPECT_EQ(test::RunInChild(5, load, "/dev/zero"), 0) << "the load blocked or succeeded";
  EXPECT_EQ(LoadPilotFile("/dev/zero").messages.front(),
            CannotOpenPilotMessage("/dev/zero", "it is a device or pipe, not a file"));
}

}  // namespace
}  // namespace orlenda

// A pilot file whose name another program turns into a link to another pilot while a save of it runs:
// at each step of the save (before its lock, before its note, before its first write into the pilot)
// the save writes and removes nothing but the file it opened, its copy and its note, and its message
// names those.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "fault_injection.h"
#include "pilot/pilot_load.h"
#include "pilot/pilot_update.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::SystemCall;

// Every name of a folder with what it holds (a link by where it leads).
std::map<std::string, std::string> Contents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::directory_iterator(folder))
    contents[entry.path().filename().string()] = entry.is_symlink()
                                                     ? "-> " + fs::read_symlink(entry.path()).string()
                                                     : ReadBytes(entry.path().string());
  return contents;
}

class PilotSwapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_.path() / "p");
    fs::create_directories(dir_.path() / "v");
    PilotRecord victim = tools::SamplePilotRecord();
    victim.Rank = 7;
    tools::WriteBytesToFile(pilot_, tools::EncodePilotFile(tools::SamplePilotRecord()));
    tools::WriteBytesToFile(dir_.File("v/victim.plt"), tools::EncodePilotFile(victim));
    test::WriteBytes(dir_.File("v/victim.plt.bak"), "the victim's own copy");
    test::WriteBytes(dir_.File("v/victim.plt.bak.keep"), "the victim's own note");
  }

  // Moves the pilot aside and puts a link to the victim at its name.
  void Swap() {
    fs::rename(pilot_, dir_.File("p/X.moved"));
    fs::create_symlink("../v/victim.plt", pilot_);
  }

  test::TempDir dir_;
  std::string pilot_ = dir_.File("p/X.plt");
};

TEST_F(PilotSwapTest, ANameTurnedIntoALinkMidSaveNeverLeadsTheSaveToAnotherFile) {
  const struct {
    const char* step;
    SystemCall call;
    unsigned nth;
  } steps[] = {
      {"before the lock", SystemCall::kFlock, 1},
      {"before the note's write", SystemCall::kPwrite, 2},  // the copy's is the first write
      {"before the pilot's first write", SystemCall::kPwrite, 3},
  };
  const std::string original = ReadBytes(pilot_);
  const auto victimBefore = Contents(dir_.path() / "v");
  for (const auto& step : steps) {
    SCOPED_TRACE(step.step);
    fs::remove_all(dir_.path() / "p");
    fs::create_directories(dir_.path() / "p");
    test::WriteBytes(pilot_, original);
    LoadResult loaded = LoadPilotFile(pilot_);
    ASSERT_TRUE(loaded.Succeeded());
    PilotBackups backups;
    UpdateResult result;
    {
      const test::BeforeCall swap(step.call, step.nth, [this] { Swap(); });
      result = UpdatePilotFile(pilot_, {"Swap", 5, 6, 2, 3}, loaded.record, backups);
      ASSERT_TRUE(swap.ran());
    }
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(Contents(dir_.path() / "v"), victimBefore);
    EXPECT_EQ(result.message.find("victim"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(pilot_), std::string::npos) << result.message;
    for (const auto& [name, content] : Contents(dir_.path() / "p")) {
      EXPECT_TRUE(name == "X.plt" || name == "X.moved" || name == "X.plt.bak" || name == "X.plt.bak.keep")
          << name;
      if (name == "X.plt.bak") {
        EXPECT_EQ(content, original);
      }
    }
    if (step.nth == 3) {
      EXPECT_NE(result.message.find(pilot_ + ".bak holds it as it was before this run first saved it."),
                std::string::npos)
          << result.message;
    }
  }
}

}  // namespace
}  // namespace orlenda

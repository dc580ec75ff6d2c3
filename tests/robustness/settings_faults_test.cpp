// The settings write on a disk that is full or read-only for everyone (root included), and a settings
// file that another program removes or rewrites while the program runs: a failed write raises
// "Unable to write to <file>" and leaves the file exactly as it was; reads always see the file as it is.

#include <gtest/gtest.h>

#include "fault_injection.h"
#include "settings/settings_ini.h"
#include "settings/typed_settings.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

using test::ReadBytes;
using test::WriteBytes;

const std::string kOldIni =
    "; kept by hand\r\n[Orlenda]\r\nLastDir=/home/ace/XWA\r\nLogFile=/home/ace/log.txt\r\nMegaDetails=1\r\n"
    "[Other]\r\nkey=value\r\n";

// Every write fails with the message that names the file; the file and its folder are as they were.
void ExpectWritesRefused(SettingsIni& store) {
  const std::filesystem::path folder = std::filesystem::path(store.path()).parent_path();
  const std::string listing = test::FolderListing(folder);
  for (const auto& [key, value] :
       {std::pair{"LastDir", std::string(5000, 'd')}, {"NameSource", std::string("0")}}) {
    try {
      store.WriteSetting(kSettingsSection, key, value);
      ADD_FAILURE() << "writing " << key << " did not fail";
    } catch (const SettingsError& error) {
      EXPECT_EQ(error.what(), "Unable to write to " + store.path());
    }
  }
  EXPECT_EQ(ReadBytes(store.path()), kOldIni);
  EXPECT_EQ(test::FolderListing(folder), listing);
  EXPECT_EQ(store.ReadSetting(kSettingsSection, "LastDir", "<default>"), "/home/ace/XWA");
  EXPECT_TRUE(ReadFlag(store, SettingNamed("MegaDetails")));
}

TEST(SettingsFaultTest, FullDiskKeepsTheOldFile) {
  test::TempDir dir;
  test::ScratchMount disk(dir.path(), 64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << disk.whyNot();
  WriteBytes(disk.File("orlenda3001.ini"), kOldIni);
  disk.FillUp();
  SettingsIni store(disk.File("orlenda3001.ini"));
  ExpectWritesRefused(store);
}

TEST(SettingsFaultTest, ReadOnlyFileSystemKeepsTheOldFile) {
  test::TempDir dir;
  test::ScratchMount disk(dir.path(), 1024 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << disk.whyNot();
  WriteBytes(disk.File("orlenda3001.ini"), kOldIni);
  ASSERT_TRUE(disk.MakeReadOnly());
  SettingsIni store(disk.File("orlenda3001.ini"));
  ExpectWritesRefused(store);
  // The start-up's LastDir rule writes nothing when the key is there, so a read-only file is no failure.
  EXPECT_EQ(ApplyLastDirPresenceRule(store, "/current"), "/home/ace/XWA");
}

TEST(SettingsFaultTest, WriteCutShortKeepsTheOldFile) {
  test::TempDir dir;
  WriteBytes(dir.File("orlenda3001.ini"), kOldIni);
  SettingsIni store(dir.File("orlenda3001.ini"));
  const test::FileSizeLimit limit(kOldIni.size() + 2);
  ExpectWritesRefused(store);
}

// Another program (an editor, a second copy of the program) removes or rewrites the file between the
// program's reads and writes: nothing is cached, so each read and write sees the file as it is then.
TEST(SettingsFaultTest, FileRemovedOrRewrittenByAnotherProgram) {
  test::TempDir dir;
  const std::string path = dir.File("config/orlenda3001.ini");
  SettingsIni store(path);
  std::filesystem::create_directories(dir.File("config"));
  WriteBytes(path, kOldIni);
  EXPECT_EQ(store.ReadSetting(kSettingsSection, "LastDir", "<default>"), "/home/ace/XWA");

  std::filesystem::remove_all(dir.File("config"));
  EXPECT_EQ(store.ReadSetting(kSettingsSection, "LastDir", "<default>"), "<default>");
  store.WriteSetting(kSettingsSection, "LastDir", "/new");
  EXPECT_EQ(ReadBytes(path), "[Orlenda]\nLastDir=/new\n");

  WriteBytes(path, "[Orlenda]\nLastDir=/grown\nScoreFormat=2\n" + std::string(100'000, ';') + "\n");
  EXPECT_EQ(ReadChoice(store, SettingNamed("ScoreFormat")), 2);
  store.WriteSetting(kSettingsSection, "NameSource", "0");
  EXPECT_EQ(store.ReadSetting(kSettingsSection, "LastDir", "<default>"), "/grown");
  EXPECT_EQ(ReadChoice(store, SettingNamed("NameSource")), 0);

  WriteBytes(path, "");
  EXPECT_EQ(ReadChoice(store, SettingNamed("ScoreFormat")), 1);
}

}  // namespace
}  // namespace orlenda

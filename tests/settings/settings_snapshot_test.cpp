#include "settings/settings_snapshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/settings_ini.h"
#include "settings/typed_settings.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

using test::TempDir;
using test::WriteBytes;

template <typename Settings>
concept Writable = requires(Settings& settings) {
  settings.WriteSetting(kSettingsSection, "LastDir", "x");
};
static_assert(Writable<SettingsIni>);
static_assert(!Writable<SettingsSnapshot>, "a snapshot can only be read");

class SettingsSnapshotTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::string path_ = dir_.File("orlenda3001.ini");
  SettingsIni store_{path_};
};

TEST_F(SettingsSnapshotTest, AnswersEveryReadAsTheStoreDoes) {
  const std::string longValue(3000, 'x');
  WriteBytes(path_, "[orlenda]\r\nlastdir=C:\\Jeux\\\xC9lodie \x80\r\nShowZeroMissions=\r\nLogFile=  " +
                        longValue + " \t\r\nCheckCheat=0\r\nCheckCheat=1\r\n[Other]\r\nMegaDetails=1\r\n");
  const SettingsSnapshot snapshot = store_.Snapshot();
  const std::string_view keys[] = {"LastDir",     "ShowZeroMissions", "LogFile", "CheckCheat",
                                   "MegaDetails", "LASTDIR",          "missing"};
  for (std::string_view name : keys) {
    EXPECT_EQ(snapshot.ReadSetting(kSettingsSection, name, "<default>"),
              store_.ReadSetting(kSettingsSection, name, "<default>"))
        << name;
    EXPECT_EQ(snapshot.FindSetting("OTHER", name), store_.FindSetting("OTHER", name)) << name;
  }
  EXPECT_EQ(snapshot.ReadSetting(kSettingsSection, "LastDir", ""), "C:\\Jeux\\\u00C9lodie \u20AC");
  EXPECT_EQ(snapshot.ReadSetting(kSettingsSection, "LogFile", ""), std::string(2047, 'x'));
  EXPECT_TRUE(ReadFlag(snapshot, SettingNamed("CheckCheat"))) << "the later of two lines counts";
  EXPECT_EQ(snapshot.FindSetting(kSettingsSection, "ShowZeroMissions"), "") << "an empty value is a value";
}

TEST_F(SettingsSnapshotTest, KeepsTheFileAsItWasWhenTaken) {
  store_.WriteSetting(kSettingsSection, "NameSource", "0");
  const SettingsSnapshot before = store_.Snapshot();
  store_.WriteSetting(kSettingsSection, "NameSource", "1");
  std::filesystem::remove(path_);

  EXPECT_EQ(ReadChoice(before, SettingNamed("NameSource")), 0);
  EXPECT_EQ(ReadChoice(store_.Snapshot(), SettingNamed("NameSource")), 2)
      << "a new snapshot reads the file anew";
}

TEST_F(SettingsSnapshotTest, MissingFileOrFolderInItsPlaceGivesTheDefaultsAndCreatesNothing) {
  EXPECT_EQ(store_.Snapshot().ReadSetting(kSettingsSection, "LogFile", "<default>"), "<default>");
  EXPECT_FALSE(std::filesystem::exists(path_));

  std::filesystem::create_directory(path_);
  EXPECT_EQ(store_.Snapshot().ReadSetting(kSettingsSection, "LogFile", "<default>"), "<default>");
}

}  // namespace
}  // namespace orlenda

// What the program finds wrong with a settings file, and moving a bad file aside without ever
// replacing a file kept earlier.

#include "settings/settings_recovery.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

using test::ReadBytes;
using test::WriteBytes;

TEST(SettingsRecovery, ChecksWhatIsWrongWithTheFile) {
  test::TempDir dir;
  const std::string ini = dir.File("orlenda3001.ini");
  EXPECT_EQ(CheckSettingsFile(ini), SettingsFileProblem::None);  // missing: a first run
  WriteBytes(ini, "[Orlenda]\r\nLastDir=C:\\Spiele\\X-Wing Alliance\xe4\r\n\tLogFile=x\n");
  EXPECT_EQ(CheckSettingsFile(ini), SettingsFileProblem::None);
  WriteBytes(ini, std::string("[Orlenda]\nLastDir=a\0b\n", 21));
  EXPECT_EQ(CheckSettingsFile(ini), SettingsFileProblem::NotText);
  WriteBytes(ini, "[Orlenda]\n\x01\x02\x1b");
  EXPECT_EQ(CheckSettingsFile(ini), SettingsFileProblem::NotText);
#ifndef _WIN32  // POSIX permissions
  fs::permissions(ini, fs::perms::none);
  if (::access(ini.c_str(), R_OK) != 0) {  // root reads any file
    EXPECT_EQ(CheckSettingsFile(ini), SettingsFileProblem::Unreadable);
  }
#endif
  fs::remove(ini);
  fs::create_directory(ini);
  EXPECT_EQ(CheckSettingsFile(ini), SettingsFileProblem::NotAPlainFile);
}

TEST(SettingsRecovery, MovingAsideKeepsEveryEarlierFile) {
  test::TempDir dir;
  const std::string ini = dir.File("orlenda3001.ini");
  WriteBytes(ini, "first");
  EXPECT_EQ(MoveSettingsFileAside(ini), ini + ".bad");
  WriteBytes(ini, "second");
  EXPECT_EQ(MoveSettingsFileAside(ini), ini + ".bad2");
  EXPECT_FALSE(fs::exists(ini));
  EXPECT_EQ(ReadBytes(ini + ".bad"), "first");
  EXPECT_EQ(ReadBytes(ini + ".bad2"), "second");
  EXPECT_EQ(MoveSettingsFileAside(ini), std::nullopt);  // nothing there to move
}

}  // namespace
}  // namespace orlenda

#include "settings/typed_settings.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <optional>
#include <string>

#include "settings/default_paths.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class SettingReadsTest : public ::testing::Test {
 protected:
  void SetValue(std::string_view key, std::string_view value) const {
    WriteBytes(path_, "[Orlenda]\n" + std::string(key) + "=" + std::string(value) + "\n");
  }

  TempDir dir_;
  std::string path_ = dir_.File("orlenda3001.ini");
  SettingsIni store_{path_};
};

TEST(ParseDecimalSettingTest, AcceptsAnOptionalSignAndDecimalDigits) {
  EXPECT_EQ(ParseDecimalSetting("0"), 0);
  EXPECT_EQ(ParseDecimalSetting("2"), 2);
  EXPECT_EQ(ParseDecimalSetting("7"), 7);
  EXPECT_EQ(ParseDecimalSetting("-1"), -1);
  EXPECT_EQ(ParseDecimalSetting("+3"), 3);
  EXPECT_EQ(ParseDecimalSetting("007"), 7);
  EXPECT_EQ(ParseDecimalSetting("2147483647"), 2147483647);
  EXPECT_EQ(ParseDecimalSetting("-2147483648"), -2147483647 - 1);
}

TEST(ParseDecimalSettingTest, RejectsEverythingElseWithTheTextInTheMessage) {
  for (const char* text : {"", " 1", "1 ", "true", "abc", "99999999999", "2147483648", "-2147483649", "-",
                           "+", "+-1", "--1", "0x1F", "1.5", "1e3", "\u0661"}) {
    try {
      ParseDecimalSetting(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const SettingsError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(ChoiceTextTest, WritesDecimalWithMinusForNegatives) {
  EXPECT_EQ(ChoiceText(2), "2");
  EXPECT_EQ(ChoiceText(-1), "-1");
  EXPECT_EQ(ParseDecimalSetting(ChoiceText(-2147483647 - 1)), -2147483647 - 1);
}

TEST_F(SettingReadsTest, FlagIsOnOnlyForExactlyOne) {
  EXPECT_TRUE(ReadFlag(store_, SettingNamed("CheckCheat"))) << "missing file gives the default";
  EXPECT_FALSE(ReadFlag(store_, SettingNamed("ShowMissionTime")));
  for (const char* off : {"0", "", "true", "2", "01", "1x", "yes"}) {
    SetValue("CheckCheat", off);
    EXPECT_FALSE(ReadFlag(store_, SettingNamed("CheckCheat"))) << off;
  }
  SetValue("checkcheat", "1");
  EXPECT_TRUE(ReadFlag(store_, SettingNamed("CheckCheat")));
}

TEST_F(SettingReadsTest, ListingsShowZeroMissionsUnlessTheValueIsExactlyZero) {
  EXPECT_FALSE(ReadShowZeroMissionsForListing(store_)) << "default is \"0\"";
  for (const char* on : {"", "1", "2", "true"}) {
    SetValue("ShowZeroMissions", on);
    EXPECT_TRUE(ReadShowZeroMissionsForListing(store_)) << on;
    EXPECT_EQ(ReadFlag(store_, SettingNamed("ShowZeroMissions")), std::string(on) == "1") << on;
  }
  SetValue("ShowZeroMissions", "0");
  EXPECT_FALSE(ReadShowZeroMissionsForListing(store_));
}

TEST_F(SettingReadsTest, ChoiceConvertsTheStoredTextOrTheDefault) {
  EXPECT_EQ(ReadChoice(store_, SettingNamed("NameSource")), 2);
  SetValue("NameSource", "7");
  EXPECT_EQ(ReadChoice(store_, SettingNamed("NameSource")), 7);
  SetValue("NameSource", "abc");
  try {
    ReadChoice(store_, SettingNamed("NameSource"));
    FAIL() << "no error";
  } catch (const SettingsError& error) {
    EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(ReadBytes(path_), "[Orlenda]\nNameSource=abc\n") << "the value is not repaired";
  SetValue("NameSource", "");
  EXPECT_THROW(ReadChoice(store_, SettingNamed("NameSource")), SettingsError);
}

TEST_F(SettingReadsTest, LastDirPresenceRuleWritesOnlyAMissingKey) {
  SetValue("LogFile", "c:\\log.txt");
  EXPECT_EQ(ApplyLastDirPresenceRule(store_, "/games/pilots"), "/games/pilots");
  EXPECT_EQ(ReadBytes(path_), "[Orlenda]\nLogFile=c:\\log.txt\nLastDir=/games/pilots\n");

  // A stored value, however it is written, stays byte for byte.
  const std::string stored = "[Orlenda]\r\nlastdir= C:\\Jeux\\\xC9lodie.plt \r\nLogFile=x\r\n";
  WriteBytes(path_, stored);
  EXPECT_EQ(ApplyLastDirPresenceRule(store_, "/games/pilots"), "C:\\Jeux\\\u00C9lodie.plt");
  EXPECT_EQ(ReadBytes(path_), stored);

  SetValue("LastDir", "");
  EXPECT_EQ(ApplyLastDirPresenceRule(store_, "/games/pilots"), "");
}

#ifndef _WIN32  // the POSIX home and XDG folders; base/ has the Windows folders
// Sets or removes an environment variable for one test and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DefaultPathsTest, SettingsFileFollowsXdgConfigHome) {
  const ScopedEnvironment home("HOME", "/home/pilot");
  {
    const ScopedEnvironment xdg("XDG_CONFIG_HOME", "/srv/conf");
    EXPECT_EQ(DefaultSettingsPath(), "/srv/conf/orlenda3001.ini");
  }
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/conf"}) {
    const ScopedEnvironment xdg("XDG_CONFIG_HOME", unusable);
    EXPECT_EQ(DefaultSettingsPath(), "/home/pilot/.config/orlenda3001.ini")
        << (unusable ? unusable : "unset");
  }
}

TEST(DefaultPathsTest, MainLogLivesInTheHomeFolder) {
  {
    const ScopedEnvironment home("HOME", "/home/pilot/");
    EXPECT_EQ(DefaultLogFilePath(), "/home/pilot/ORLENDA_MainLog.txt");
  }
  const passwd* account = ::getpwuid(::getuid());
  if (account == nullptr) GTEST_SKIP() << "this account has no password entry";
  const ScopedEnvironment home("HOME", nullptr);
  EXPECT_EQ(DefaultLogFilePath(), (std::filesystem::path(account->pw_dir) / "ORLENDA_MainLog.txt").string());
}

#endif

}  // namespace
}  // namespace orlenda

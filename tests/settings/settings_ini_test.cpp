#include "settings/settings_ini.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <thread>

#include "settings/typed_settings.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class SettingsIniTest : public ::testing::Test {
 protected:
  std::string Read(std::string_view key, std::string_view defaultValue = "<default>") const {
    return store_.ReadSetting(kSettingsSection, key, defaultValue);
  }
  void Write(std::string_view key, std::string_view value) {
    store_.WriteSetting(kSettingsSection, key, value);
  }
  std::string FileBytes() const { return ReadBytes(path_); }
  void SetFile(std::string_view bytes) const { WriteBytes(path_, bytes); }

  TempDir dir_;
  std::string path_ = dir_.File("orlenda3001.ini");
  SettingsIni store_{path_};
};

TEST_F(SettingsIniTest, FileBuiltFromNothingHoldsLastDirThenTheDialogKeysInWritingOrder) {
  EXPECT_EQ(Read("LogFile", "c:\\ORLENDA_MainLog.txt"), "c:\\ORLENDA_MainLog.txt");
  EXPECT_FALSE(std::filesystem::exists(path_)) << "reading must not create the file";

  EXPECT_EQ(ApplyLastDirPresenceRule(store_, "C:\\Games\\Pilots"), "C:\\Games\\Pilots");
  EXPECT_EQ(FileBytes(), "[Orlenda]\nLastDir=C:\\Games\\Pilots\n");

  const std::pair<std::string_view, std::string> okWrites[] = {
      {"LastDir", "C:\\Games\\Pilots"},
      {"LogFile", "c:\\ORLENDA_MainLog.txt"},
      {"SaveFilename", "1"},
      {"SaveLogFile", "1"},
      {"ShowMissionScore", "1"},
      {"ShowMissionBonus", "1"},
      {"ShowMissionTotal", "1"},
      {"ShowMissionTime", "0"},
      {"CheckCheat", "1"},
      {"ShowErrorDetailes", "0"},
      {"ShowZeroMissions", "0"},
      {"IncludeDate", "0"},
      {"MegaDetails", "0"},
      {"NameSource", ChoiceText(2)},
      {"ScoreFormat", ChoiceText(1)},
  };
  for (const auto& [key, value] : okWrites) Write(key, value);

  EXPECT_EQ(FileBytes(),
            "[Orlenda]\n"
            "LastDir=C:\\Games\\Pilots\n"
            "LogFile=c:\\ORLENDA_MainLog.txt\n"
            "SaveFilename=1\n"
            "SaveLogFile=1\n"
            "ShowMissionScore=1\n"
            "ShowMissionBonus=1\n"
            "ShowMissionTotal=1\n"
            "ShowMissionTime=0\n"
            "CheckCheat=1\n"
            "ShowErrorDetailes=0\n"
            "ShowZeroMissions=0\n"
            "IncludeDate=0\n"
            "MegaDetails=0\n"
            "NameSource=2\n"
            "ScoreFormat=1\n");
  for (const auto& [key, value] : okWrites) EXPECT_EQ(Read(key), value) << key;
}

TEST_F(SettingsIniTest, MissingSectionOrKeyGivesTheDefaultAndLeavesTheFileAlone) {
  const std::string text = "[Other]\nLastDir=elsewhere\n";
  SetFile(text);
  EXPECT_EQ(Read("LastDir"), "<default>");
  SetFile("[Orlenda]\nLogFile=x\n");
  EXPECT_EQ(Read("LastDir"), "<default>");
  EXPECT_EQ(FileBytes(), "[Orlenda]\nLogFile=x\n");
}

TEST_F(SettingsIniTest, SectionAndKeyNamesMatchWithoutRegardToCase) {
  SetFile("[orlenda]\nshowmissiontime=1\n");
  EXPECT_EQ(Read("ShowMissionTime"), "1");
  EXPECT_EQ(store_.ReadSetting("ORLENDA", "SHOWMISSIONTIME", "0"), "1");

  Write("ShowMissionTime", "0");
  EXPECT_EQ(FileBytes(), "[orlenda]\nshowmissiontime=0\n") << "the name keeps its case in the file";
  EXPECT_EQ(Read("ShowMissionTime"), "0");
}

TEST_F(SettingsIniTest, WritesKeepEveryOtherLineInPlace) {
  SetFile(
      "; written by hand\n"
      "Stray=before any section\n"
      "\n"
      "[Other]\n"
      "LogFile = not ours\n"
      "\n"
      "# about the settings\n"
      "  [ Orlenda ] ; ours\n"
      "LastDir=C:\\x\n"
      "a line without equals\n"
      "; keep me\n"
      "  CheckCheat = 1  \n"
      "LogFile=c:\\log.txt\n"
      "\n"
      "[Third]\n"
      "k=v\n"
      "; trailing comment");

  Write("CheckCheat", "0");
  Write("MegaDetails", "1");
  Write("LastDir", "D:\\y");

  EXPECT_EQ(FileBytes(),
            "; written by hand\n"
            "Stray=before any section\n"
            "\n"
            "[Other]\n"
            "LogFile = not ours\n"
            "\n"
            "# about the settings\n"
            "  [ Orlenda ] ; ours\n"
            "LastDir=D:\\y\n"
            "a line without equals\n"
            "; keep me\n"
            "CheckCheat=0\n"
            "LogFile=c:\\log.txt\n"
            "MegaDetails=1\n"
            "\n"
            "[Third]\n"
            "k=v\n"
            "; trailing comment");
  EXPECT_EQ(Read("LogFile"), "c:\\log.txt");
  EXPECT_EQ(store_.ReadSetting("Other", "LogFile", ""), "not ours");
}

TEST_F(SettingsIniTest, NewSectionGoesAtTheEndAfterABlankLine) {
  SetFile("[Other]\nk=v");
  Write("LastDir", "/home/pilot");
  EXPECT_EQ(FileBytes(), "[Other]\nk=v\n\n[Orlenda]\nLastDir=/home/pilot\n");
}

TEST_F(SettingsIniTest, KeyStandingTwiceReadsTheLaterAndAWriteSetsBoth) {
  SetFile("[Orlenda]\nNameSource=1\nScoreFormat=0\nnamesource=2\n");
  EXPECT_EQ(Read("NameSource"), "2");
  Write("NameSource", "0");
  EXPECT_EQ(FileBytes(), "[Orlenda]\nNameSource=0\nScoreFormat=0\nnamesource=0\n");
}

TEST_F(SettingsIniTest, SectionStandingTwiceIsOneSectionAndNewKeysGoToItsLastPart) {
  SetFile("[Orlenda]\nLastDir=a\n[Other]\nk=v\n[Orlenda]\nLogFile=b\n\n; end\n");
  EXPECT_EQ(Read("LastDir"), "a");
  EXPECT_EQ(Read("LogFile"), "b");
  Write("CheckCheat", "1");
  EXPECT_EQ(FileBytes(), "[Orlenda]\nLastDir=a\n[Other]\nk=v\n[Orlenda]\nLogFile=b\nCheckCheat=1\n\n; end\n");
}

TEST_F(SettingsIniTest, EmptyValueIsAValueAndBlanksAroundValuesAreDropped) {
  SetFile("[Orlenda]\nShowZeroMissions=\nLogFile=  c:\\my log.txt \t\n");
  EXPECT_EQ(Read("ShowZeroMissions"), "");
  EXPECT_EQ(Read("LogFile"), "c:\\my log.txt");
}

TEST_F(SettingsIniTest, FileFromWindowsIsReadAsUtf8AndKeepsItsBytesAndLineEnds) {
  const std::string windowsText =
      "[Orlenda]\r\nLastDir=C:\\Jeux\\\xC9lodie \x80.plt\r\nLogFile=c:\\log.txt\r\n";
  SetFile(windowsText);
  EXPECT_EQ(Read("LastDir"), "C:\\Jeux\\\u00C9lodie \u20AC.plt");
  EXPECT_EQ(Read("LogFile"), "c:\\log.txt");

  Write("MegaDetails", "1");
  Write("LogFile", "c:\\journal \u00E9t\u00E9.txt");
  EXPECT_EQ(FileBytes(),
            "[Orlenda]\r\nLastDir=C:\\Jeux\\\xC9lodie \x80.plt\r\nLogFile=c:\\journal \u00E9t\u00E9.txt\r\n"
            "MegaDetails=1\r\n");
  EXPECT_EQ(Read("LogFile"), "c:\\journal \u00E9t\u00E9.txt");
  EXPECT_EQ(Read("LastDir"), "C:\\Jeux\\\u00C9lodie \u20AC.plt");
}

TEST_F(SettingsIniTest, Utf8SignatureStaysAtTheStart) {
  SetFile("\xEF\xBB\xBF[Orlenda]\nLastDir=a\n");
  EXPECT_EQ(Read("LastDir"), "a");
  Write("LastDir", "b");
  EXPECT_EQ(FileBytes(), "\xEF\xBB\xBF[Orlenda]\nLastDir=b\n");
}

TEST_F(SettingsIniTest, LongValuesAreCutAt2047CharactersOnRead) {
  SetFile("[Orlenda]\nLogFile=" + std::string(100000, 'x') + "\nLastDir=after\n");
  EXPECT_EQ(Read("LogFile"), std::string(2047, 'x'));
  EXPECT_EQ(Read("LastDir"), "after");

  std::string accented;
  for (int i = 0; i < 3000; ++i) accented += "\u00E9";
  Write("LogFile", accented);
  EXPECT_EQ(Read("LogFile"), accented.substr(0, 2 * 2047)) << "whole characters, still UTF-8";
}

TEST_F(SettingsIniTest, ValueKeepsOnlyItsFirstLineSoItCannotAddLinesToTheFile) {
  Write("LogFile", "c:\\log.txt\r\n[Orlenda]\nCheckCheat=0");
  EXPECT_EQ(FileBytes(), "[Orlenda]\nLogFile=c:\\log.txt\n");
  EXPECT_EQ(Read("CheckCheat"), "<default>");
}

TEST_F(SettingsIniTest, WriteCreatesMissingFolders) {
  SettingsIni store(dir_.File("config/J\xC3\xB6rg/orlenda3001.ini"));  // Jörg
  store.WriteSetting(kSettingsSection, "LastDir", "/x");
  EXPECT_EQ(ReadBytes(store.path()), "[Orlenda]\nLastDir=/x\n");
}

// Two stores on one file, as two copies of the program have: each write reads, edits and replaces the
// file under its lock, so neither loses the other's keys.
TEST_F(SettingsIniTest, WritesOfTwoStoresAtOnceKeepEveryKey) {
  constexpr int kWrites = 40;
  const auto writeKeys = [this](const std::string& prefix) {
    SettingsIni store(path_);
    for (int i = 0; i < kWrites; ++i) store.WriteSetting(kSettingsSection, prefix + std::to_string(i), "1");
  };
  std::thread first(writeKeys, "First");
  std::thread second(writeKeys, "Second");
  first.join();
  second.join();
  for (int i = 0; i < kWrites; ++i) {
    EXPECT_EQ(Read("First" + std::to_string(i)), "1") << i;
    EXPECT_EQ(Read("Second" + std::to_string(i)), "1") << i;
  }
}

TEST_F(SettingsIniTest, FailedWriteNamesTheFileAndLeavesNothingBehind) {
  WriteBytes(dir_.File("plain-file"), "not a folder");
  SettingsIni store(dir_.File("plain-file/orlenda3001.ini"));
  try {
    store.WriteSetting(kSettingsSection, "LastDir", "/x");
    FAIL() << "no error";
  } catch (const SettingsError& error) {
    EXPECT_STREQ(error.what(), ("Unable to write to " + store.path()).c_str());
  }
  EXPECT_EQ(ReadBytes(dir_.File("plain-file")), "not a folder");
}

TEST_F(SettingsIniTest, FolderInPlaceOfTheFileIsNotReplaced) {
  std::filesystem::create_directory(path_);
  WriteBytes(dir_.File("orlenda3001.ini/inside"), "kept");
  EXPECT_EQ(Read("LastDir"), "<default>");
  EXPECT_THROW(Write("LastDir", "/x"), SettingsError);
  EXPECT_EQ(ReadBytes(dir_.File("orlenda3001.ini/inside")), "kept");
}

#ifndef _WIN32  // POSIX permissions
TEST_F(SettingsIniTest, WriteIntoAReadOnlyFolderFailsAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  SetFile("[Orlenda]\nLastDir=old\n");
  std::filesystem::permissions(dir_.path(),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_THROW(Write("LastDir", "new"), SettingsError);
  EXPECT_EQ(FileBytes(), "[Orlenda]\nLastDir=old\n");
}

TEST_F(SettingsIniTest, UnreadableFileIsNotOverwritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  SetFile("[Orlenda]\nLastDir=old\n[Other]\nk=v\n");
  ::chmod(path_.c_str(), 0200);
  EXPECT_EQ(Read("LastDir"), "<default>");
  EXPECT_THROW(Write("LastDir", "new"), SettingsError);
  ::chmod(path_.c_str(), 0600);
  EXPECT_EQ(FileBytes(), "[Orlenda]\nLastDir=old\n[Other]\nk=v\n");
}
#endif

TEST_F(SettingsIniTest, NulByteIsTextLikeAnyOtherForReadsAndWrites) {
  const std::string text("[Other]\nk=v\n\0junk\n[Orlenda]\nLogFile=a\0b\n", 40);
  SetFile(text);
  EXPECT_EQ(Read("LogFile"), std::string("a\0b", 3)) << "a key after a NUL byte is found";
  Write("LastDir", "/x");
  EXPECT_EQ(Read("LastDir"), "/x");
  EXPECT_EQ(FileBytes(), text + "LastDir=/x\n") << "the other bytes stay as they were";
}

TEST_F(SettingsIniTest, NewStoreOnTheSameFileSeesEveryWrite) {
  Write("IncludeDate", "1");
  EXPECT_EQ(SettingsIni(path_).ReadSetting("orlenda", "includedate", "0"), "1");
  EXPECT_EQ(Read("IncludeDate"), "1");
}

}  // namespace
}  // namespace orlenda

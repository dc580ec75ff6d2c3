// Inputs far beyond the usual sizes: a main log kept for years, a setting's value of 100,000
// characters, pilot file paths of thousands of characters, names as long as a folder entry may be, and
// names that are not plain ASCII or not even UTF-8.

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "fault_injection.h"
#include "mainlog/main_log_file.h"
#include "pilot/pilot_load.h"
#include "pilot/pilot_update.h"
#include "report/rip_pilot.h"
#include "settings/settings_ini.h"
#include "settings/typed_settings.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class BigInputTest : public ::testing::Test {
 protected:
  std::string PilotAt(const std::string& path) {
    EXPECT_TRUE(tools::WriteBytesToFile(path, tools::EncodePilotFile(tools::SamplePilotRecord())));
    return path;
  }

  // Loads, saves new details and loads again: the whole road of a pilot file through its path.
  void ExpectLoadAndUpdateWork(const std::string& path) {
    LoadResult loaded = LoadPilotFile(path);
    ASSERT_TRUE(loaded.Succeeded()) << loaded.messages.front();
    PilotBackups backups;
    const UpdateResult result = UpdatePilotFile(path, {"Keyan", 5, 6, 2, 3}, loaded.record, backups);
    ASSERT_TRUE(result.succeeded) << result.message;
    EXPECT_EQ(FieldText(LoadPilotFile(path).record.PilotName), "Keyan");
    EXPECT_TRUE(std::filesystem::exists(PilotBackups::BackupPath(path)));
  }

  // The export line of the pilot at `path` with the name taken from the file name.
  std::string ExportLineWithFileName(const std::string& path) {
    WriteBytes(dir_.File("orlenda3001.ini"), "[Orlenda]\nNameSource=1\nScoreFormat=3\nCheckCheat=0\n");
    const SettingsIni store(dir_.File("orlenda3001.ini"));
    LineCollector sink;
    MissionRange range;
    std::string exportLine;
    RipPilot(LoadPilotFile(path).record, store, ReportContext{}, range, sink, exportLine);
    return exportLine;
  }

  test::TempDir dir_;
};

TEST_F(BigInputTest, MainLogOf100000LinesLoadsAppendsAndSaves) {
  std::string file;
  std::string utf8;
  for (int i = 0; i < 100'000; ++i) {
    file += "J\xE4ger " + std::to_string(i) + " - Score: " + std::to_string(i * 7) + "\r\n";
    utf8 += "J\xC3\xA4ger " + std::to_string(i) + " - Score: " + std::to_string(i * 7) + "\r\n";
  }
  const std::string log = dir_.File("ORLENDA_MainLog.txt");
  WriteBytes(log, file);  // kept on Windows for years: Windows-1252

  LogReadResult read = ReadMainLog(log);
  ASSERT_TRUE(read.ok);
  const std::vector<std::string> lines = SplitLogLines(read.text);
  ASSERT_EQ(lines.size(), 100'000u);
  EXPECT_EQ(lines[99'999], "J\xC3\xA4ger 99999 - Score: 699993");
  EXPECT_EQ(SplitLogLines(utf8), lines);

  // The old lines keep their bytes through an append and through a save of the text as read (which
  // also keeps the line appended meanwhile). EXPECT_TRUE: a failure's diff of megabytes takes minutes.
  ASSERT_TRUE(AppendMainLogLines(log, {"Wedge - Score: 1255"}));
  EXPECT_TRUE(ReadBytes(log) == file + "Wedge - Score: 1255\r\n");
  ASSERT_TRUE(SaveMainLog(log, read.text + "\nBiggs", read.baseline));
  EXPECT_TRUE(ReadBytes(log) == file + "Biggs\r\nWedge - Score: 1255\r\n");

  const std::string pilot = PilotAt(dir_.File("Red_Kestrel.plt"));
  const test::CliRun run = test::RunCli({"export", "--ini", dir_.File("none.ini"), "--log", log, pilot});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(ReadBytes(log) ==
              file + "Biggs\r\nWedge - Score: 1255\r\n" + run.out.substr(0, run.out.size() - 1) + "\r\n");
}

TEST_F(BigInputTest, SettingValueOf100000CharactersIsCutAt2047) {
  const std::string path = dir_.File("orlenda3001.ini");
  WriteBytes(path, "[Orlenda]\nLogFile=/log.txt\n");
  SettingsIni store(path);
  store.WriteSetting(kSettingsSection, "LastDir", std::string(100'000, 'd'));
  EXPECT_EQ(store.ReadSetting(kSettingsSection, "LastDir", ""), std::string(2047, 'd'));
  EXPECT_EQ(store.ReadSetting(kSettingsSection, "LogFile", ""), "/log.txt");

  // A choice of 100,000 digits does not convert: the message carries the text as read.
  store.WriteSetting(kSettingsSection, "NameSource", std::string(100'000, '7'));
  try {
    (void)ReadChoice(store, SettingNamed("NameSource"));
    FAIL() << "no conversion error";
  } catch (const SettingsError& error) {
    // Built with append: GCC 12 reports a false overlap (-Wrestrict) in "'" + text at -O3.
    const std::string expected = std::string("'").append(2047, '7').append("' is not a valid integer value");
    EXPECT_EQ(error.what(), expected);
  }
}

// Folders of 200 characters, mixing plain and accented letters, nested to 4,000 characters.
TEST_F(BigInputTest, PilotPathOf4000CharactersWorks) {
  std::filesystem::path folder = dir_.path();
  std::string segment;
  for (int i = 0; i < 40; ++i) segment += "Pil\xC3\xB6t";  // 5 characters, 6 bytes
  while (folder.string().size() < 3'700) folder /= segment;
  std::filesystem::create_directories(folder);
  const std::string path = PilotAt((folder / "Red_Kestrel one.plt").string());
  ASSERT_GE(path.size(), 3'700u);
  ExpectLoadAndUpdateWork(path);
  EXPECT_EQ(ExportLineWithFileName(path), "Red_Kestrel one");

  const test::CliRun run = test::RunCli({"dump", path});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.out.find("\"PilotName\": \"Keyan\""), std::string::npos);
}

// Beyond the longest path the system takes: refused with the load's messages, no crash, nothing made.
TEST_F(BigInputTest, PilotPathBeyondTheSystemLimitIsRefused) {
  std::string path = dir_.path().string();
  while (path.size() < 5'000) path += "/" + std::string(200, 'p');
  path += "/pilot.plt";
  const LoadResult loaded = LoadPilotFile(path);
  EXPECT_EQ(loaded.messages, (std::vector<std::string>{CannotOpenPilotMessage(path, "File name too long")}));

  PilotRecord record = tools::SamplePilotRecord();
  PilotBackups backups;
  const UpdateResult result = UpdatePilotFile(path, {"Keyan", 5, 6, 2, 3}, record, backups);
  EXPECT_FALSE(result.succeeded);
  EXPECT_NE(result.message.find("File name too long"), std::string::npos) << result.message;

  const test::CliRun run = test::RunCli({"dump", path});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, CannotOpenPilotMessage(path, "File name too long") + "\n");
  EXPECT_EQ(test::FolderListing(dir_.path()), "");
}

// A file name as long as a folder entry may be (255 bytes): the pilot loads; its backup's name would
// be too long, so the update is refused before anything is written; the log and the settings, whose
// temporary files get a shorter name, are written.
TEST_F(BigInputTest, NamesOf255Bytes) {
  const std::string pilot = PilotAt(dir_.File(std::string(251, 'R') + ".plt"));
  LoadResult loaded = LoadPilotFile(pilot);
  ASSERT_TRUE(loaded.Succeeded());
  const std::string original = ReadBytes(pilot);
  PilotBackups backups;
  const UpdateResult result = UpdatePilotFile(pilot, {"Keyan", 5, 6, 2, 3}, loaded.record, backups);
  if (!result.succeeded) {
    EXPECT_EQ(result.message, "Unable to keep a copy of " + pilot + " as " + pilot +
                                  ".bak (File name too long), so nothing was written to the pilot file.");
    EXPECT_EQ(ReadBytes(pilot), original);
  }

  const std::string log = dir_.File(std::string(251, 'L') + ".txt");
  EXPECT_TRUE(WriteMainLogText(log, "one"));
  EXPECT_TRUE(AppendMainLogLines(log, {"two"}));
  EXPECT_EQ(ReadBytes(log), "one\r\ntwo\r\n");

  SettingsIni store(dir_.File(std::string(251, 'S') + ".ini"));
  store.WriteSetting(kSettingsSection, "LastDir", "/x");
  store.WriteSetting(kSettingsSection, "LogFile", log);
  EXPECT_EQ(store.ReadSetting(kSettingsSection, "LogFile", ""), log);
}

TEST_F(BigInputTest, NonAsciiPathsWork) {
  std::filesystem::create_directories(dir_.File("Pil\xC3\xB6t \xC3\x86r\xC3\xB8"));
  const std::string utf8 =
      PilotAt(dir_.File("Pil\xC3\xB6t \xC3\x86r\xC3\xB8/\xE6\x97\xA5\xE6\x9C\xAC Red_One.plt"));
  ExpectLoadAndUpdateWork(utf8);
  EXPECT_EQ(ExportLineWithFileName(utf8), "\xE6\x97\xA5\xE6\x9C\xAC Red_One");

  // A name written by an older system in an 8-bit encoding is shown decoded, as UTF-8.
  const std::string latin = PilotAt(dir_.File("J\xE4ger_one.plt"));
  ExpectLoadAndUpdateWork(latin);
  EXPECT_EQ(ExportLineWithFileName(latin), "J\xC3\xA4ger_one");
  const test::CliRun dump = test::RunCli({"dump", latin});
  EXPECT_EQ(dump.exitStatus, 0) << dump.err;
  EXPECT_NE(dump.out.find("J\xC3\xA4ger_one.plt\""), std::string::npos);

  const std::string log = dir_.File("ORLENDA_MainLog.txt");
  WriteBytes(log, "J\xC3\xA9r\xC3\xB4me - Score: 5\r\n");
  const test::CliRun run = test::RunCli({"export", "--ini", dir_.File("none.ini"), "--log", log, latin});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(SplitLogLines(*ReadMainLogText(log)).front(), "J\xC3\xA9r\xC3\xB4me - Score: 5")
      << "an earlier UTF-8 line must not be read as Windows-1252 after the append";
}

}  // namespace
}  // namespace orlenda

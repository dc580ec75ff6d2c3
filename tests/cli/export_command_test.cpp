// orlenda3001-cli export: the export line of each pilot, pilots that fail to load, and the append to
// a main log that keeps what the log held.

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <thread>

#include "cli_test_support.h"
#include "mainlog/main_log_file.h"
#include "support/system_wording.h"

namespace orlenda {
namespace {

using test::kNoSuchFolder;

PilotRecord Pilot(const std::string& name, std::int32_t todScore, std::int32_t todBonus) {
  PilotRecord r;
  tools::SetText(r.PilotName, name);
  r.TODScoreA = r.TODScoreB = r.TODScoreC = r.TODScoreD = todScore;
  r.TODBonus = todBonus;
  r.CampaignMissions[0] = tools::PresentMission(todScore, todBonus, 60);
  return r;
}

class ExportCommandTest : public ::testing::Test, protected test::CliFixture {
 protected:
  void SetUp() override {
    wedge_ = PilotFile(Pilot("Wedge", 1000, 50), "Wedge_Antilles.plt");
    biggs_ = PilotFile(Pilot("Biggs", 300, 7), "Biggs Darklighter.plt");
    Settings({});
  }

  test::CliRun Export(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"export", "--ini", ini_});
    return test::RunCli(arguments, environment_);
  }

  std::string wedge_;
  std::string biggs_;
  std::string log_ = dir_.File("ORLENDA_MainLog.txt");
};

TEST_F(ExportCommandTest, OneLinePerPilotInTheChosenForm) {
  test::CliRun run = Export({wedge_, biggs_});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "Wedge - Score: 1050 (1000+50)\nBiggs - Score: 307 (300+7)\n");
  EXPECT_EQ(run.err, "");

  Settings({"NameSource=0", "ScoreFormat=2", "IncludeDate=1"});
  run = Export({wedge_});
  // The C locale's date on POSIX systems (12/09/26); the user's short date on Windows (12/9/2026).
  EXPECT_TRUE(std::regex_match(run.out, std::regex(R"(\d\d?/\d\d?/\d\d(\d\d)? Wedge - Score: 1000\+50\n)")))
      << run.out;
}

TEST_F(ExportCommandTest, MarksPilotsWhoseCopiesDisagree) {
  PilotRecord altered = Pilot("Janson", 500, 0);
  altered.TODScoreC = 9999;
  const test::CliRun run = Export({PilotFile(altered, "Janson.plt")});
  EXPECT_EQ(run.out, "! Janson - Score: 500 (500+0) ! Errors in file!\n");
}

TEST_F(ExportCommandTest, PilotThatFailsToLoadIsReportedAndSkipped) {
  const std::string broken = dir_.File("broken.plt");
  std::ofstream(broken, std::ios::binary) << "not a pilot";
  const test::CliRun run = Export({"--log", log_, wedge_, broken, biggs_});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "Wedge - Score: 1050 (1000+50)\nBiggs - Score: 307 (300+7)\n");
  EXPECT_EQ(run.err,  // several files: each message names its file
            broken + ": The file have wrong size. 11 The plt file must be 152.076 bytes!\n" + broken +
                ": 1 Errors while loading file! This may not be a XWA pilotfile.\n");
  EXPECT_EQ(Bytes(log_), "Wedge - Score: 1050 (1000+50)\r\nBiggs - Score: 307 (300+7)\r\n");
}

TEST_F(ExportCommandTest, LogAppendKeepsTheExistingLines) {
  std::ofstream(log_, std::ios::binary)
      << "Pil\xC3\xB6t one\r\nwritten on Windows: J\xE9r\xF4me\r\n\r\ntyped\nlast without end";
  const test::CliRun run = Export({"--log", log_, biggs_});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "Biggs - Score: 307 (300+7)\n");
  EXPECT_EQ(Bytes(log_),  // the old bytes as they were, the last line ended
            "Pil\xC3\xB6t one\r\nwritten on Windows: J\xE9r\xF4me\r\n\r\ntyped\nlast without end\r\n"
            "Biggs - Score: 307 (300+7)\r\n");
  Export({"--log", log_, wedge_});
  EXPECT_TRUE(Bytes(log_).ends_with("Biggs - Score: 307 (300+7)\r\nWedge - Score: 1050 (1000+50)\r\n"));
}

// A forgotten log name (`export --log *.plt`) makes the first pilot the log: it is refused untouched.
TEST_F(ExportCommandTest, PilotFileOrBinaryFileNamedAsTheLogIsRefused) {
  const std::string before = Bytes(wedge_);
  test::CliRun run = Export({"--log", wedge_, biggs_});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "Cannot use " + wedge_ + " as the log: it is a pilot file\n");
  EXPECT_TRUE(Bytes(wedge_) == before);

  const std::string copy = dir_.File("pilot-copy.dat");
  std::filesystem::copy_file(wedge_, copy);
  run = Export({"--log", copy, biggs_});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "Cannot use " + copy + " as the log: it is a pilot file\n");
  EXPECT_TRUE(Bytes(copy) == before);

#ifndef _WIN32  // a link that leads nowhere is made without rights on POSIX only
  const std::string link = dir_.File("dl.txt");
  std::filesystem::create_symlink("made.plt", link);
  EXPECT_EQ(Export({"--log", link, biggs_}).exitStatus, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("made.plt")));
#endif
}

// Every writer takes the log's lock, so exports started together keep every line, old and new.
TEST_F(ExportCommandTest, ParallelExportsIntoABigLogLoseNoLine) {
  std::string old;
  for (int i = 0; i < 100'000; ++i)
    old += "Old pilot " + std::to_string(i) + " - Score: " + std::to_string(i) + "\r\n";
  constexpr int kWriters = 8;
  std::vector<std::string> pilots;
  for (int w = 0; w < kWriters; ++w)
    pilots.push_back(PilotFile(Pilot("P" + std::to_string(w), 100 + w, 0), "P" + std::to_string(w) + ".plt"));
  for (int trial = 0; trial < 5; ++trial) {
    std::ofstream(log_, std::ios::binary | std::ios::trunc) << old;
    std::vector<int> statuses(kWriters, -1);
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w)
      writers.emplace_back([&, w] { statuses[w] = Export({"--log", log_, pilots[w]}).exitStatus; });
    for (std::thread& writer : writers) writer.join();
    EXPECT_EQ(statuses, std::vector<int>(kWriters, 0));
    const std::string now = Bytes(log_);
    ASSERT_TRUE(now.starts_with(old)) << "trial " << trial;
    std::vector<std::string> added = SplitLogLines(now.substr(old.size()));
    std::sort(added.begin(), added.end());
    std::vector<std::string> expected;
    for (int w = 0; w < kWriters; ++w)
      expected.push_back("P" + std::to_string(w) + " - Score: " + std::to_string(100 + w) + " (" +
                         std::to_string(100 + w) + "+0)");
    EXPECT_EQ(added, expected) << "trial " << trial;
  }
}

TEST_F(ExportCommandTest, LineEndInAFileNameStaysInOneLogLine) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows file names cannot hold a line end";
#endif
  const std::string odd = PilotFile(Pilot("Odd", 10, 0), "Two\nLines.plt");
  Settings({"NameSource=1", "ScoreFormat=0"});
  EXPECT_EQ(Export({"--log", log_, odd}).exitStatus, 0);
  EXPECT_EQ(Bytes(log_), "Two?Lines - Score: 10\r\n");
}

TEST_F(ExportCommandTest, UnwritableLogExitsWithOne) {
  const std::string nowhere = dir_.File("no-such-folder/log.txt");
  const test::CliRun run = Export({"--log", nowhere, wedge_});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "Cannot create file " + nowhere + " (" + std::string(kNoSuchFolder) + ")\n");
  EXPECT_FALSE(std::filesystem::exists(nowhere));
}

TEST_F(ExportCommandTest, SettingThatFailsToConvertExportsNothing) {
  std::ofstream(log_, std::ios::binary) << "kept\r\n";
  Settings({"ScoreFormat=one"});
  const test::CliRun run = Export({"--log", log_, wedge_, biggs_});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "'one' is not a valid integer value\n");
  EXPECT_EQ(Bytes(log_), "kept\r\n");
}

TEST_F(ExportCommandTest, UsageErrors) {
  EXPECT_EQ(Export({}).exitStatus, 2);
  EXPECT_EQ(Export({"--log"}).exitStatus, 2);
  EXPECT_EQ(Export({"--colour", wedge_}).exitStatus, 2);
  const test::CliRun tooLong = Export({"--wait", "2147483648", wedge_});
  EXPECT_EQ(tooLong.exitStatus, 2);
  EXPECT_EQ(
      tooLong.err.rfind("--wait: \"2147483648\" is too large a number of seconds (at most 2147483647)\n", 0),
      0u)
      << tooLong.err;
}

}  // namespace
}  // namespace orlenda

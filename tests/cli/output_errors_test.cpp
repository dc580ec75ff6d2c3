// orlenda3001-cli tells the truth about its output and its options: a standard output that cannot be
// written ends with exit status 1, an --ini that names no readable file and a number that is not
// decimal are usage errors, and arguments are echoed printable.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "base/windows1252.h"
#include "cli_test_support.h"
#include "mainlog/main_log_file.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

class OutputErrorsTest : public ::testing::Test, protected test::CliFixture {
 protected:
  void SetUp() override {
    pilot_ = PilotFile(tools::SamplePilotRecord(), "Red.plt");
    Settings({});
  }
  std::string pilot_;
};

// A full device, a closed standard output and a pipe that no one reads are set up on POSIX only.
#ifndef _WIN32
TEST_F(OutputErrorsTest, UnwritableStandardOutputExitsWithOne) {
  const std::vector<std::vector<std::string>> commands = {
      {"dump", pilot_}, {"report", "--ini", ini_, pilot_}, {"export", "--ini", ini_, pilot_}, {"--help"}};
  for (const auto& command : commands) {
    for (const std::string target : {"/dev/full", ""}) {
      const test::CliRun run = test::RunCliWithStdout(command, target);
      EXPECT_EQ(run.exitStatus, 1) << command[0] << " to " << (target.empty() ? "a closed stdout" : target);
      EXPECT_EQ(run.err, "Cannot write to standard output\n") << command[0];
    }
  }
}

// With standard output closed, the log still gets its line, and no text meant for the terminal ends
// up in the log file (which would otherwise be opened as the lowest free file number).
TEST_F(OutputErrorsTest, ClosedStandardOutputNeverWritesIntoTheLog) {
  const std::string log = dir_.File("log.txt");
  const test::CliRun run = test::RunCliWithStdout({"export", "--ini", ini_, "--log", log, pilot_}, "");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(SplitLogLines(Bytes(log)).size(), 1u) << Bytes(log);
}
#endif

// An empty variable in a script must not quietly skip the log or take the user's own settings, nor,
// after an "=", take the next argument as the value.
TEST_F(OutputErrorsTest, EmptyLogOrIniNameIsAUsageError) {
  const std::string log = dir_.File("new.log");
  for (const auto& [command, error] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"export", "--ini", ini_, "--log", "", pilot_}, "the file name is empty"},
           {{"export", "--ini", "", pilot_}, "the file name is empty"},
           {{"report", "--ini", "", pilot_}, "the file name is empty"},
           {{"export", "--ini=", pilot_, pilot_}, "--ini: the value is empty"},
           {{"export", "--ini", ini_, "--log=", log, pilot_}, "--log: the value is empty"}}) {
    const test::CliRun run = test::RunCli(command, environment_);
    EXPECT_EQ(run.exitStatus, 2) << run.err;
    EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(log));
}

// A forgotten value never takes the next option in its place: `--log --ini` would create a log named
// --ini, `--name --rank` would store that text as the name.
TEST_F(OutputErrorsTest, AnOptionsValueNeverBeginsWithTwoDashes) {
  const auto before = std::filesystem::directory_entry(dir_.path()).last_write_time();
  const std::string pilotBytes = Bytes(pilot_);
  for (const auto& [command, error] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"export", "--log", "--ini", pilot_}, "--log: the value \"--ini\" begins with \"--\""},
           {{"update", pilot_, "--name", "--rank", "3"},
            "--name: the value \"--rank\" begins with \"--\""}}) {
    const test::CliRun run = test::RunCli(command, environment_);
    EXPECT_EQ(run.exitStatus, 2) << run.err;
    EXPECT_EQ(run.err.rfind(error, 0), 0u) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists("--ini"));
  EXPECT_EQ(std::filesystem::directory_entry(dir_.path()).last_write_time(), before) << "nothing created";
  EXPECT_EQ(Bytes(pilot_), pilotBytes);
  // "--" still ends the options: what follows is a file, even with a name of two dashes.
  EXPECT_EQ(test::RunCli({"export", "--ini", ini_, "--", pilot_}, environment_).exitStatus, 0);
}

// With --log the lines go to the log first, then to standard output: an output that fails afterwards
// (a full device, a reader that went away) is reported, with the log holding the lines, and never
// kills the program before the log got them.
#ifndef _WIN32  // as above
TEST_F(OutputErrorsTest, WithALogAnOutputFailureSaysTheLogHoldsTheLines) {
  const std::string log = dir_.File("log.txt");
  const std::vector<std::string> command = {"export", "--ini", ini_, "--log", log, pilot_};
  for (const bool pipe : {false, true}) {
    std::filesystem::remove(log);
    const test::CliRun run =
        pipe ? test::RunCliIntoClosedPipe(command) : test::RunCliWithStdout(command, "/dev/full");
    EXPECT_EQ(run.exitStatus, 1) << (pipe ? "a closed pipe" : "/dev/full");
    EXPECT_EQ(SplitLogLines(Bytes(log)).size(), 1u);
    EXPECT_EQ(
        run.err.rfind("The export lines are in " + log + ", but standard output could not take them.\n", 0),
        0u)
        << run.err;
  }
}
#endif

TEST_F(OutputErrorsTest, IniMustNameAReadableFileOrNothing) {
  const std::string missing = dir_.File("missing.ini");
  test::CliRun run = test::RunCli({"export", "--ini", missing, pilot_}, environment_);
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err, "Settings file " + missing + " does not exist: the defaults are used\n");

  std::vector<std::string> notFiles{dir_.path().string()};
#ifndef _WIN32  // a named pipe in a folder
  notFiles.push_back(dir_.File("settings.fifo"));
  ASSERT_EQ(::mkfifo(notFiles.back().c_str(), 0600), 0);
#endif
  for (const std::string& notAFile : notFiles) {
    run = test::RunCli({"report", "--ini", notAFile, pilot_}, environment_);
    EXPECT_EQ(run.exitStatus, 2) << notAFile;
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(OutputErrorsTest, MissionNumbersAreDecimal) {
  Settings({"CheckCheat=0"});
  const auto listed = [this](const std::string& from) {
    return test::RunCli({"report", "--ini", ini_, "--from", from, "--to", "+9", pilot_}, environment_);
  };
  const test::CliRun nine = listed("9");
  EXPECT_EQ(nine.exitStatus, 0) << nine.err;
  EXPECT_EQ(listed("09").out, nine.out);  // a leading zero is no octal
  EXPECT_EQ(listed("+09").out, nine.out);
  for (const std::string bad : {"0x10", "", " 5", "5 ", "1e2", "--5", "+", "99999999999"}) {
    const test::CliRun run = listed(bad);
    EXPECT_EQ(run.exitStatus, 2) << '"' << bad << '"';
    EXPECT_EQ(run.out, "") << bad;
  }
}

// A value that is not of its option's kind is refused in one wording, whichever option takes it.
TEST_F(OutputErrorsTest, AValueOfTheWrongKindIsRefusedInOneWording) {
  const std::pair<std::vector<std::string>, std::string> refusals[] = {
      {{"report", "--from", "0x10"},
       "--from: \"0x10\" is not a decimal number (digits with an optional sign)\n"},
      {{"export", "--wait", "x"}, "--wait: \"x\" is not a number of seconds (0 or more)\n"},
      {{"review", "--battle", "9-1"},
       "--battle: \"9-1\" is not a battle (FIRST-LAST, mission numbers from 1 to 255)\n"},
  };
  for (auto [arguments, refusal] : refusals) {
    arguments.push_back(pilot_);
    const test::CliRun run = test::RunCli(arguments, environment_);
    EXPECT_EQ(run.exitStatus, 2) << arguments.front();
    EXPECT_EQ(run.err.rfind(refusal, 0), 0u) << run.err;
  }
}

// Bytes that are not UTF-8, and control characters, come back as \xNN in messages.
#ifndef _WIN32  // Windows passes arguments as UTF-16: bytes that are not UTF-8 cannot be passed
TEST_F(OutputErrorsTest, ArgumentsAreEchoedPrintable) {
  const test::CliRun run = test::RunCli({"report", "--from", "1\xFF\x1B[2J", pilot_}, environment_);
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_NE(run.err.find("\"1\\xFF\\x1B[2J\""), std::string::npos) << run.err;
}
#endif

// A pilot file is data from elsewhere, and so are file names and arguments: ESC, BEL and the C1
// escape (U+009B) never reach the terminal or the log raw, and everything printed is valid UTF-8.
#ifndef _WIN32  // Windows file names are UTF-16: bytes that are not UTF-8 name no file there
TEST_F(OutputErrorsTest, ControlBytesFromArgumentsFileNamesAndPilotNamesNeverReachTheTerminalOrTheLog) {
  const std::string hostile = "\x1B[2J\x07\x9B\xFF";
  PilotRecord record = tools::SamplePilotRecord();
  tools::SetText(record.PilotName, "A\x1B[2J\x07\x81");  // 0x81: a C1 control in Windows-1252 decoding
  const std::string pilot = PilotFile(record, "P" + hostile + ".plt");
  const std::string log = dir_.File("log.txt");
  const auto safe = [](const std::string& text) {
    return text.find_first_of("\x1B\x07") == std::string::npos &&
           text.find("\xC2\x9B") == std::string::npos && text.find("\xC2\x81") == std::string::npos &&
           IsValidUtf8(text);
  };
  const std::vector<std::vector<std::string>> commands = {
      {"report", "--ini", ini_, pilot},
      {"export", "--ini", ini_, "--log", log, pilot},
      {"update", pilot, "--rank", "q" + hostile},
      {"update", pilot, "--name",
       "ab\xFF"
       "c"},
      {"diff", pilot, dir_.File("missing" + hostile + ".plt")},
      {"dump", dir_.File("missing" + hostile + ".plt")},
  };
  for (const std::string nameSource : {"0", "1"}) {
    Settings({"NameSource=" + nameSource});
    for (const auto& command : commands) {
      const test::CliRun run = test::RunCli(command, environment_);
      EXPECT_TRUE(safe(run.out)) << command[0] << ": " << run.out;
      EXPECT_TRUE(safe(run.err)) << command[0] << ": " << run.err;
    }
  }
  EXPECT_EQ(SplitLogLines(Bytes(log)).size(), 2u);
  EXPECT_TRUE(safe(Bytes(log))) << Bytes(log);
}
#endif

}  // namespace
}  // namespace orlenda

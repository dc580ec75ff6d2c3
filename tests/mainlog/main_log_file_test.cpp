// The main log's file: CR LF on write, any line end and Windows-1252 on read, and an append that
// never loses the lines already there.

#include "mainlog/main_log_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

#include "base/file_messages.h"
#include "base/system_file.h"
#include "support/file_contents.h"
#include "support/lock_holder.h"
#include "support/temp_dir.h"

namespace orlenda {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class MainLogFileTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::string log_ = dir_.File("ORLENDA_MainLog.txt");
};

TEST(SplitLogLines, EveryKindOfLineEnd) {
  EXPECT_EQ(SplitLogLines(""), std::vector<std::string>{});
  EXPECT_EQ(SplitLogLines("a"), std::vector<std::string>{"a"});
  EXPECT_EQ(SplitLogLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLogLines("a\r\n"), std::vector<std::string>{"a"});
  EXPECT_EQ(SplitLogLines("a\n\r\n\rb\n"), (std::vector<std::string>{"a", "", "", "b"}));
  EXPECT_EQ(SplitLogLines("\n"), std::vector<std::string>{""});
  EXPECT_EQ(SplitLogLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));  // LF CR is two line ends
}

TEST_F(MainLogFileTest, WritesEveryLineWithCrLf) {
  ASSERT_TRUE(WriteMainLogText(log_, "Wedge - Score: 1255\nBiggs \u00E9\n\nlast"));
  EXPECT_EQ(ReadBytes(log_), "Wedge - Score: 1255\r\nBiggs \xC3\xA9\r\n\r\nlast\r\n");
  ASSERT_TRUE(WriteMainLogText(log_, ""));
  EXPECT_EQ(ReadBytes(log_), "");
}

TEST_F(MainLogFileTest, ReadsAnyLineEndAndWindowsText) {
  WriteBytes(log_, "one\r\ntwo\rthree\nJ\xE9r\xF4me \x80\r\n");
  EXPECT_EQ(ReadMainLogText(log_), "one\ntwo\nthree\nJ\u00E9r\u00F4me \u20AC");
  WriteBytes(log_, "\xEF\xBB\xBFutf-8 \xC3\xA9\r\n");
  EXPECT_EQ(ReadMainLogText(log_), "utf-8 \u00E9");
  EXPECT_EQ(ReadMainLogText(dir_.File("missing.txt")), "");
}

// The text is the file's lines joined with "\n", whatever their line ends, with the empty ones kept.
TEST_F(MainLogFileTest, TextIsTheFileLinesJoined) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"\r\n", ""},
      {"\n\n", "\n"},
      {"a\r", "a"},
      {"a\r\r\n", "a\n"},
      {"a\n\rb\r\n\r\n", "a\n\nb\n"},
      {"\r\rx", "\n\nx"},
      {"\xEF\xBB\xBF\r\nb", "\nb"},
      {"caf\xE9\r\n\r", "caf\u00E9\n"},
  };
  for (const auto& [bytes, text] : cases) {
    WriteBytes(log_, bytes);
    EXPECT_EQ(ReadMainLogText(log_), text) << testing::PrintToString(bytes);
  }
}

TEST_F(MainLogFileTest, AppendKeepsEveryExistingLine) {
  EXPECT_TRUE(AppendMainLogLines(log_, {"first"}));
  EXPECT_EQ(ReadBytes(log_), "first\r\n");
  WriteBytes(log_, "windows \xE9\nutf-8 \xC3\xA9\rno end");  // every byte stays; the last line gets its end
  EXPECT_TRUE(AppendMainLogLines(log_, {"Wedge - Score: 1255", "Biggs"}));
  EXPECT_EQ(ReadBytes(log_), "windows \xE9\nutf-8 \xC3\xA9\rno end\r\nWedge - Score: 1255\r\nBiggs\r\n");
  WriteBytes(log_, "\xEF\xBB\xBF");  // a byte order mark alone holds no line
  EXPECT_TRUE(AppendMainLogLines(log_, {"b"}));
  EXPECT_EQ(ReadBytes(log_),
            "\xEF\xBB\xBF"
            "b\r\n");
  WriteBytes(log_, "a\r\n\r\n");  // a last empty line is a line of its own
  EXPECT_TRUE(AppendMainLogLines(log_, {"b"}));
  EXPECT_EQ(ReadBytes(log_), "a\r\n\r\nb\r\n");
}

// A write that fails half way (here: the file size limit is reached) leaves the old log as it was and
// no temporary file behind. The limit binds every user, root included.
#ifndef _WIN32  // Windows has no file size limit to reach
TEST_F(MainLogFileTest, WriteFailingHalfWayKeepsTheOldLog) {
  WriteBytes(log_, "old\r\n");
  const std::string longLine(4096, 'x');
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool appended = AppendMainLogLines(log_, {"new", longLine}).ok;
  const bool written = WriteMainLogText(log_, longLine);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedSignal);

  EXPECT_FALSE(appended);
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadBytes(log_), "old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
  EXPECT_FALSE(AppendMainLogLines(dir_.File("no-such-folder/log.txt"), {"new"}));
}

// Windows has no mode bits that make a file writable but not readable.
TEST_F(MainLogFileTest, UnreadableLogIsNotOverwritten) {
  WriteBytes(log_, "secret\r\n");
  ::chmod(log_.c_str(), 0200);
  if (std::ifstream(log_)) GTEST_SKIP() << "running with rights that ignore file permissions";
  EXPECT_EQ(ReadMainLogText(log_), std::nullopt);
  EXPECT_FALSE(AppendMainLogLines(log_, {"new"}));
  ::chmod(log_.c_str(), 0600);
  EXPECT_EQ(ReadBytes(log_), "secret\r\n");
}
#endif

// Each line is read as UTF-8 when it is, else as Windows-1252: one older line does not garble the rest,
// and a save of the text as read gives back the very bytes.
TEST_F(MainLogFileTest, MixedEncodingsReadPerLineAndSaveUnchanged) {
  const std::string mixed = "\xEF\xBB\xBFPil\xC3\xB6t one\r\nold J\xE9r\xF4me \x80\r\n\r\nlast \xC3\xA9\r\n";
  WriteBytes(log_, mixed);
  LogReadResult read = ReadMainLog(log_);
  ASSERT_TRUE(read.ok) << read.message;
  EXPECT_EQ(read.text, "Pil\u00F6t one\nold J\u00E9r\u00F4me \u20AC\n\nlast \u00E9");
  ASSERT_TRUE(SaveMainLog(log_, read.text, read.baseline));
  EXPECT_EQ(ReadBytes(log_), mixed);
  // An edited or typed line is written as UTF-8; the lines not edited keep their bytes.
  ASSERT_TRUE(SaveMainLog(log_, read.text + "\nnew \u00E9", read.baseline));
  EXPECT_EQ(ReadBytes(log_), mixed + "new \xC3\xA9\r\n");
  ASSERT_TRUE(SaveMainLog(log_, "Pil\u00F6t two\nold J\u00E9r\u00F4me \u20AC", read.baseline));
  EXPECT_EQ(ReadBytes(log_), "\xEF\xBB\xBFPil\xC3\xB6t two\r\nold J\xE9r\xF4me \x80\r\n");
}

// Lines that another program appended after the desktop program read the log survive its save, after
// its own lines; a save that only adds lines writes in place, so the file keeps its identity.
TEST_F(MainLogFileTest, SaveKeepsLinesAppendedByOthers) {
  WriteBytes(log_, "one\r\ntwo");
  LogReadResult read = ReadMainLog(log_);
  ASSERT_TRUE(read.ok);
  ASSERT_TRUE(AppendMainLogLines(log_, {"from the command line"}));
  const LogWriteResult saved = SaveMainLog(log_, "one\ntwo edited", read.baseline);
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(saved.linesFromOthers, std::vector<std::string>{"from the command line"});
  EXPECT_EQ(ReadBytes(log_), "one\r\ntwo edited\r\nfrom the command line\r\n");

  const std::string link = dir_.File("link.txt");
  std::filesystem::create_hard_link(log_, link);
  ASSERT_TRUE(SaveMainLog(log_, "one\ntwo edited\nfrom the command line\nthree", read.baseline));
  EXPECT_EQ(ReadBytes(link), "one\r\ntwo edited\r\nfrom the command line\r\nthree\r\n");
  // A file that changed otherwise is replaced by the text, as a plain save does.
  WriteBytes(log_, "rewritten elsewhere\r\n");
  ASSERT_TRUE(SaveMainLog(log_, "mine", read.baseline));
  EXPECT_EQ(ReadBytes(log_), "mine\r\n");
}

// Lines that another program appended are taken into the text when the player adds a line of their
// own, so that a later save keeps the order in which the lines came, each line once.
TEST_F(MainLogFileTest, LinesTakenFromOthersKeepTheirPlaceAndAreSavedOnce) {
  WriteBytes(log_, "one\r\n");
  LogReadResult read = ReadMainLog(log_);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(TakeLinesAppendedSince(log_, read.baseline), std::vector<std::string>{});
  ASSERT_TRUE(AppendMainLogLines(log_, {"from the command line"}));
  EXPECT_EQ(TakeLinesAppendedSince(log_, read.baseline), std::vector<std::string>{"from the command line"});
  EXPECT_EQ(TakeLinesAppendedSince(log_, read.baseline), std::vector<std::string>{});
  ASSERT_TRUE(AppendMainLogLines(log_, {"later still"}));
  const LogWriteResult saved = SaveMainLog(log_, "one\nfrom the command line\nmine", read.baseline);
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(ReadBytes(log_), "one\r\nfrom the command line\r\nmine\r\nlater still\r\n");
  // A file changed otherwise, or another file, is left to the save.
  WriteBytes(log_, "rewritten\r\n");
  EXPECT_FALSE(TakeLinesAppendedSince(log_, read.baseline).has_value());
  EXPECT_FALSE(TakeLinesAppendedSince(dir_.File("other.txt"), read.baseline).has_value());
}

// A pilot file or any file with NUL bytes is no log: reading, appending and saving refuse it, name it,
// and change nothing. A ".plt" name is refused before anything is made.
TEST_F(MainLogFileTest, PilotAndBinaryFilesAreRefusedAsLogs) {
  const std::string binary = dir_.File("notes.bin");
  WriteBytes(binary, std::string("text\0more\r\n", 11));
  const std::string pilotName = dir_.File("Red.PLT");
  for (const std::string& path : {binary, pilotName}) {
    LogFileBaseline baseline;
    EXPECT_FALSE(ReadMainLog(path).ok);
    const LogWriteResult appended = AppendMainLogLines(path, {"new"});
    EXPECT_FALSE(appended.ok);
    EXPECT_NE(appended.message.find(path), std::string::npos) << appended.message;
    EXPECT_FALSE(SaveMainLog(path, "new", baseline).ok);
  }
  EXPECT_EQ(AppendMainLogLines(pilotName, {"x"}).message, PilotFileAsLogMessage(pilotName));
  EXPECT_EQ(AppendMainLogLines(binary, {"x"}).message, BinaryFileAsLogMessage(binary));
  EXPECT_EQ(ReadBytes(binary), std::string("text\0more\r\n", 11));
  EXPECT_FALSE(std::filesystem::exists(pilotName));
}

// A link named like a log that leads to a pilot file's name, even one that does not exist yet, is
// refused as the pilot file would be: opening it to write would create or change the pilot.
#ifndef _WIN32  // a link that leads nowhere needs no rights on POSIX; Windows links need them
TEST_F(MainLogFileTest, ALinkToAPilotFileNameIsRefusedAsALog) {
  const std::string made = dir_.File("made.plt");
  const std::string link = dir_.File("dl.txt");
  std::filesystem::create_symlink("made.plt", link);
  LogFileBaseline baseline;
  EXPECT_EQ(AppendMainLogLines(link, {"x"}).message,
            "Cannot use " + link + " as the log: it leads to the pilot file " + made);
  EXPECT_FALSE(SaveMainLog(link, "x", baseline).ok);
  EXPECT_FALSE(ReadMainLog(link).ok);
  EXPECT_FALSE(std::filesystem::exists(made));
}
#endif

// A whole-log save renames a new file over the log while an appender waits for the lock of the old
// one: the appender must notice and append to the new file, or its line would be lost with the old.
#ifndef _WIN32  // Windows refuses to rename a file over one that is open
TEST_F(MainLogFileTest, AppendWaitingDuringAReplacementLandsInTheNewFile) {
  WriteBytes(log_, "old\r\n");
  SystemFile held(log_, SystemFile::Mode::kReadWrite);
  ASSERT_EQ(held.TryLockExclusive(), SystemFile::LockAttempt::kLocked);
  std::promise<void> waiting;
  LockWait wait;
  wait.pauseBetweenTries = [&waiting, told = false](std::chrono::milliseconds pause) mutable {
    if (!std::exchange(told, true)) waiting.set_value();
    std::this_thread::sleep_for(pause);
    return true;
  };
  std::thread appender([this, &wait] { EXPECT_TRUE(AppendMainLogLines(log_, {"appended"}, wait)); });
  waiting.get_future().wait();
  LogFileBaseline none;
  ASSERT_TRUE(SaveMainLog(dir_.File("new.txt"), "replaced", none));
  std::filesystem::rename(dir_.File("new.txt"), log_);
  held.Close();
  appender.join();
  EXPECT_EQ(ReadBytes(log_), "replaced\r\nappended\r\n");
}
#endif

// A temporary file that a killed save left beside the log goes at the next write of the log; files
// of any other name, and one that a save may still be writing, stay.
TEST_F(MainLogFileTest, StaleTemporaryFilesOfTheLogAreRemoved) {
  WriteBytes(log_, "old\r\n");
  const std::string stale = log_ + ".orlenda-tmp.Ab12Cd";
  const std::string fresh = log_ + ".orlenda-tmp.Zz99yy";
  const std::string foreign = log_ + ".Ab12Cd";
  for (const std::string& path : {stale, fresh, foreign}) WriteBytes(path, "partial");
  const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(stale, hourAgo);
  std::filesystem::last_write_time(foreign, hourAgo);
  ASSERT_TRUE(AppendMainLogLines(log_, {"new"}));
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(fresh));
  EXPECT_TRUE(std::filesystem::exists(foreign));
}

// A wait for the lock given up (the desktop's Cancel, the command line's --wait run out) says, as a
// pilot's save does, that nothing was written; the log keeps its bytes.
TEST_F(MainLogFileTest, AWaitGivenUpSaysNothingWasWritten) {
  WriteBytes(log_, "kept\r\n");
  const test::LockHolder holder(log_);
  ASSERT_TRUE(holder.Holding());
  LogFileBaseline baseline;
  const LockWait noWait{std::chrono::milliseconds(0), {}, {}};
  const std::string expected =
      "Unable to lock " + log_ + ": another program holds its lock. Nothing was written.";
  EXPECT_EQ(SaveMainLog(log_, "new", baseline, noWait).message, expected);
  EXPECT_EQ(AppendMainLogLines(log_, {"new"}, noWait).message, expected);
  EXPECT_EQ(ReadBytes(log_), "kept\r\n");
}

TEST(MainLogMessages, ExactTexts) {
  EXPECT_EQ(CannotCreateFileMessage("/tmp/x.txt"), "Cannot create file /tmp/x.txt");
  EXPECT_EQ(CannotOpenFileMessage("/tmp/x.txt"), "Cannot open file /tmp/x.txt");
}

}  // namespace
}  // namespace orlenda

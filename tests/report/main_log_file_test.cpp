// The main log's file: CR LF on write, any line end and Windows-1252 on read, and an append that
// never loses the lines already there.

#include "report/main_log_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/file_contents.h"
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
  WriteBytes(log_, "windows \xE9\r\nno end");
  EXPECT_TRUE(AppendMainLogLines(log_, {"Wedge - Score: 1255", "Biggs"}));
  EXPECT_EQ(ReadBytes(log_), "windows \xC3\xA9\r\nno end\r\nWedge - Score: 1255\r\nBiggs\r\n");
  WriteBytes(log_, "a\r\n\r\n");  // a last empty line is a line of its own
  EXPECT_TRUE(AppendMainLogLines(log_, {"b"}));
  EXPECT_EQ(ReadBytes(log_), "a\r\n\r\nb\r\n");
}

// A write that fails half way (here: the file size limit is reached) leaves the old log as it was and
// no temporary file behind. The limit binds every user, root included.
TEST_F(MainLogFileTest, WriteFailingHalfWayKeepsTheOldLog) {
  WriteBytes(log_, "old\r\n");
  const std::string longLine(4096, 'x');
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool appended = AppendMainLogLines(log_, {"new", longLine});
  const bool written = WriteMainLogText(log_, longLine);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedSignal);

  EXPECT_FALSE(appended);
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadBytes(log_), "old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
  EXPECT_FALSE(AppendMainLogLines(dir_.File("no-such-folder/log.txt"), {"new"}));
}

TEST_F(MainLogFileTest, UnreadableLogIsNotOverwritten) {
  WriteBytes(log_, "secret\r\n");
  ::chmod(log_.c_str(), 0200);
  if (std::ifstream(log_)) GTEST_SKIP() << "running with rights that ignore file permissions";
  EXPECT_EQ(ReadMainLogText(log_), std::nullopt);
  EXPECT_FALSE(AppendMainLogLines(log_, {"new"}));
  ::chmod(log_.c_str(), 0600);
  EXPECT_EQ(ReadBytes(log_), "secret\r\n");
}

TEST(MainLogMessages, ExactTexts) {
  EXPECT_EQ(CannotCreateFileMessage("/tmp/x.txt"), "Cannot create file /tmp/x.txt");
  EXPECT_EQ(CannotOpenFileMessage("/tmp/x.txt"), "Cannot open file /tmp/x.txt");
}

}  // namespace
}  // namespace orlenda

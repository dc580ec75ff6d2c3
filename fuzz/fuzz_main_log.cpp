// The main log over arbitrary file bytes: reading must give text that saves and reads back unchanged,
// and an append must keep every byte that was there. A file holding NUL bytes is no log: it is refused
// and left alone. Every input runs through the log's in-memory steps (decode, encode, append tail);
// a sample of them (fuzz_sampling.h) also through the file: written, read, saved, appended to.
//
// Input: the log file's bytes.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_sampling.h"
#include "mainlog/main_log_file.h"
#include "scratch_dir.h"

namespace {

// Lines end at CR LF, CR or LF; text after the last line end is a line too. A UTF-8 byte order mark
// at the start is no text.
std::size_t CountFileLines(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) bytes = bytes.subspan(3);
  std::size_t count = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    if (bytes[i] == '\r' || bytes[i] == '\n') ++count;
  }
  const bool unfinished = !bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n';
  return count + (unfinished ? 1 : 0);
}

constexpr std::string_view kLogPathName = "/ORLENDA_MainLog.txt";
const std::string kAddedLine = "Red Kestrel\t12345";

// What an append gives: the file's lines, an empty one when the file's text dropped a last empty line
// (it reads as a final line end), and the added line.
std::vector<std::string> LinesAfterAppend(std::span<const std::uint8_t> bytes,
                                          const std::vector<std::string>& lines) {
  std::vector<std::string> expected = lines;
  const std::size_t fileLines = CountFileLines(bytes);
  ORLENDA_FUZZ_CHECK(fileLines == lines.size() || fileLines == lines.size() + 1);
  if (fileLines > lines.size()) expected.emplace_back();
  expected.push_back(kAddedLine);
  return expected;
}

// The decoding, encoding and append tail in memory, as the file functions apply them.
void CheckInMemory(std::span<const std::uint8_t> data, const std::string& bytes) {
  using namespace orlenda;
  const std::string path(kLogPathName.substr(1));
  const LogReadResult read = DecodeMainLog(path, bytes);
  if (bytes.find('\0') != std::string::npos) {
    ORLENDA_FUZZ_CHECK(!read.ok && !read.message.empty());
    return;
  }
  ORLENDA_FUZZ_CHECK(read.ok);
  const std::vector<std::string> lines = SplitLogLines(read.text);
  for (const std::string& line : lines) ORLENDA_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);

  // What the program shows is what it saves.
  const LogReadResult reread = DecodeMainLog(path, EncodeMainLog(read.text, LogFileBaseline{}));
  ORLENDA_FUZZ_CHECK(reread.ok && reread.text == read.text);

  const LogReadResult appended = DecodeMainLog(path, bytes + MainLogAppendTail(bytes, {kAddedLine}));
  ORLENDA_FUZZ_CHECK(appended.ok);
  ORLENDA_FUZZ_CHECK(SplitLogLines(appended.text) == LinesAfterAppend(data, lines));
}

// The same through the files, with their locks, reads and in-place appends.
void CheckThroughFiles(std::span<const std::uint8_t> data, const std::string& bytes) {
  using namespace orlenda;
  using namespace orlenda::fuzz;
  const std::string logPath = ScratchDir() + std::string(kLogPathName);
  const std::string savedPath = ScratchDir() + "/saved.txt";
  WriteScratchFile(logPath, bytes);
  if (bytes.find('\0') != std::string::npos) {
    ORLENDA_FUZZ_CHECK(!ReadMainLogText(logPath).has_value());
    ORLENDA_FUZZ_CHECK(!AppendMainLogLines(logPath, {"x"}).ok);
    ORLENDA_FUZZ_CHECK(ReadScratchFile(logPath) == bytes);
    return;
  }
  const std::optional<std::string> text = ReadMainLogText(logPath);
  ORLENDA_FUZZ_CHECK(text.has_value());
  ORLENDA_FUZZ_CHECK(WriteMainLogText(savedPath, *text));
  const std::optional<std::string> reread = ReadMainLogText(savedPath);
  ORLENDA_FUZZ_CHECK(reread.has_value() && *reread == *text);

  ORLENDA_FUZZ_CHECK(AppendMainLogLines(logPath, {kAddedLine}).ok);
  ORLENDA_FUZZ_CHECK(ReadScratchFile(logPath).starts_with(bytes));
  const std::optional<std::string> appended = ReadMainLogText(logPath);
  ORLENDA_FUZZ_CHECK(appended.has_value());
  ORLENDA_FUZZ_CHECK(SplitLogLines(*appended) == LinesAfterAppend(data, SplitLogLines(*text)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckInMemory(input, bytes);
  if (orlenda::fuzz::RunsFullCheck(input)) CheckThroughFiles(input, bytes);
  return 0;
}

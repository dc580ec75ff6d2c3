// The main log over arbitrary file bytes: reading must give text that saves and reads back unchanged,
// and an append must keep every byte that was there. A file holding NUL bytes is no log: it is refused
// and left alone.
//
// Input: the log file's bytes.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "report/main_log_file.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orlenda;
  using namespace orlenda::fuzz;
  const std::string logPath = ScratchDir() + "/ORLENDA_MainLog.txt";
  const std::string savedPath = ScratchDir() + "/saved.txt";
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  WriteScratchFile(logPath, bytes);

  if (bytes.find('\0') != std::string::npos) {
    ORLENDA_FUZZ_CHECK(!ReadMainLogText(logPath).has_value());
    ORLENDA_FUZZ_CHECK(!AppendMainLogLines(logPath, {"x"}).ok);
    ORLENDA_FUZZ_CHECK(ReadScratchFile(logPath) == bytes);
    return 0;
  }
  const std::optional<std::string> text = ReadMainLogText(logPath);
  ORLENDA_FUZZ_CHECK(text.has_value());
  const std::vector<std::string> lines = SplitLogLines(*text);
  for (const std::string& line : lines) ORLENDA_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);

  // What the program shows is what it saves.
  ORLENDA_FUZZ_CHECK(WriteMainLogText(savedPath, *text));
  const std::optional<std::string> reread = ReadMainLogText(savedPath);
  ORLENDA_FUZZ_CHECK(reread.has_value());
  ORLENDA_FUZZ_CHECK(*reread == *text);

  // An append keeps every line of the file and adds its own at the end. The text drops a last empty
  // line of the file (it reads as a final line end), so the file's lines are counted here on their own.
  const std::string added = "Red Kestrel\t12345";
  ORLENDA_FUZZ_CHECK(AppendMainLogLines(logPath, {added}).ok);
  ORLENDA_FUZZ_CHECK(ReadScratchFile(logPath).starts_with(bytes));
  const std::optional<std::string> appended = ReadMainLogText(logPath);
  ORLENDA_FUZZ_CHECK(appended.has_value());
  std::vector<std::string> expected = lines;
  const std::size_t fileLines = CountFileLines({data, size});
  ORLENDA_FUZZ_CHECK(fileLines == lines.size() || fileLines == lines.size() + 1);
  if (fileLines > lines.size()) expected.emplace_back();
  expected.push_back(added);
  ORLENDA_FUZZ_CHECK(SplitLogLines(*appended) == expected);
  return 0;
}

// Writes the generated seed inputs of the fuzz targets into OUT/<target>/: pilot files made by the
// generator (with and without a run description after them), settings files and main logs of the
// shapes players' files take. The pilot seeds are whole files in OUT/pilot_report_files/, which the
// replay tests run, and edited files (fuzz/pilot_input.h) in OUT/pilot_report/, which the fuzzer starts
// from; each further INPUT (a real pilot file, a regression input) joins the latter as an edited file.
//
// Usage: make_fuzz_seeds OUT [INPUT...]

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pilot_input.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using orlenda::PilotRecord;
namespace tools = orlenda::tools;

bool Write(const std::filesystem::path& path, const Bytes& bytes) {
  if (tools::WriteBytesToFile(path.string(), bytes)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

void AppendInt32(Bytes& bytes, std::int32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
}

using Run = orlenda::fuzz::PilotRun;

// A whole file followed by the run's description.
Bytes WithRun(Bytes file, const Run& run) {
  AppendInt32(file, run.from);
  AppendInt32(file, run.to);
  file.push_back(run.nameSourcePick);
  file.push_back(run.scoreFormatPick);
  file.push_back(run.flags);
  AppendInt32(file, run.cut);
  file.insert(file.end(), run.path.begin(), run.path.end());
  return file;
}

PilotRecord FullLists() {
  PilotRecord record = tools::SamplePilotRecord();
  for (std::size_t i = 0; i < orlenda::kMissionSlotCount; ++i) {
    const auto n = static_cast<std::int32_t>(i);
    record.CampaignMissions[i] = tools::PresentMission(1000 * n, 10 * n, 61 * n, n);
    record.SimMissions[i] = tools::PresentMission(500 * n, 5 * n, 59 * n, n);
  }
  return record;
}

PilotRecord Extremes() {
  PilotRecord record = tools::SamplePilotRecord();
  record.TODScoreA = INT_MAX;
  record.TODBonus = INT_MAX / 10;
  record.AzzScoreB = INT_MIN;
  record.TODMissileHits = INT_MAX;
  record.TODMissilesFired = 1;
  record.TODLaserHit = INT_MIN;
  record.TotalLaserA = INT_MAX;
  record.CampaignMissions[0] = tools::PresentMission(INT_MAX, INT_MAX / 10, INT_MAX);
  record.CampaignMissions[1] = tools::PresentMission(INT_MIN, INT_MIN / 10, INT_MIN);
  record.CampaignMissions[2] = tools::PresentMission(0, 0, -5);
  return record;
}

bool WritePilotSeeds(const std::filesystem::path& dir) {
  const Bytes sample = tools::EncodePilotFile(tools::SamplePilotRecord());
  const Bytes full = tools::EncodePilotFile(FullLists());
  const Run seedRun = [] {
    Run run;
    run.path = "C:\\XWA\\Red_Leader one.plt";
    return run;
  }();
  Run everything = seedRun;
  everything.to = 255;
  everything.flags = 1 << 4;  // with the mission times
  Run reversed = seedRun;
  reversed.from = 5;
  reversed.to = 3;
  reversed.scoreFormatPick = 2;
  reversed.flags = 1 << 0 | 1 << 5;  // the date, a comma
  Run badChoice = seedRun;
  badChoice.nameSourcePick = 6;  // "abc"
  Run shortRead = seedRun;
  shortRead.flags = 1 << 6;
  shortRead.cut = 100'000;
  Run hideZero = seedRun;
  hideZero.to = 255;
  hideZero.flags = 1 << 7;  // missions without score, bonus or time left out
  Run oddPath = seedRun;
  oddPath.from = INT_MIN;
  oddPath.to = INT_MAX;
  oddPath.nameSourcePick = 1;
  oddPath.path = "/home/ace/\xc3\x84rger.Piloten/_x.PLT";

  return Write(dir / "sample.plt", sample) &&
         Write(dir / "sample_reversed_range", WithRun(sample, reversed)) &&
         Write(dir / "sample_bad_choice", WithRun(sample, badChoice)) &&
         Write(dir / "sample_short_read", WithRun(sample, shortRead)) &&
         Write(dir / "full_lists_without_zero_missions", WithRun(full, hideZero)) &&
         Write(dir / "sample_odd_path", WithRun(sample, oddPath)) &&
         Write(dir / "full_lists", WithRun(full, everything)) &&
         Write(dir / "extremes", WithRun(tools::EncodePilotFile(Extremes()), everything)) &&
         Write(dir / "filler_ff.plt", tools::EncodePilotFile(PilotRecord{}, 0xFF)) &&
         Write(dir / "truncated.plt", Bytes(sample.begin(), sample.begin() + 70'000)) &&
         Write(dir / "empty", {});
}

// A settings target input: the key to write, the value's length, the value, then the file.
Bytes SettingsInput(std::uint8_t keyPick, const std::string& value, const std::string& file) {
  Bytes bytes = {keyPick, static_cast<std::uint8_t>(value.size())};
  bytes.insert(bytes.end(), value.begin(), value.end());
  bytes.insert(bytes.end(), file.begin(), file.end());
  return bytes;
}

bool WriteSettingsSeeds(const std::filesystem::path& dir) {
  const std::string full =
      "[Orlenda]\r\nLastDir=C:\\Games\\Pilots\r\nLogFile=c:\\ORLENDA_MainLog.txt\r\nSaveFilename=1\r\n"
      "SaveLogFile=1\r\nShowMissionScore=1\r\nShowMissionBonus=1\r\nShowMissionTotal=1\r\nShowMissionTime="
      "0\r\n"
      "CheckCheat=1\r\nShowErrorDetailes=0\r\nShowZeroMissions=0\r\nIncludeDate=0\r\nMegaDetails=0\r\n"
      "NameSource=2\r\nScoreFormat=1\r\n";
  const std::string odd =
      "; written by hand\n[other]\nLastDir=elsewhere\n\n[ORLENDA]\n showmissiontime = 1 \nNameSource=abc\n"
      "LastDir=\"/home/ace/\xe4rger\"\n[Orlenda]\nLastDir=/second/section\nno equals sign\n=value\n";
  const std::string long2047 = "[Orlenda]\nLogFile=" + std::string(3000, 'x') + "\n";
  return Write(dir / "empty", SettingsInput(0, "/home/ace", "")) &&
         Write(dir / "dialog_file", SettingsInput(13, "7", full)) &&
         Write(dir / "odd_file", SettingsInput(15, " padded ", odd)) &&
         Write(dir / "long_value", SettingsInput(1, "/tmp/log.txt", long2047)) &&
         Write(dir / "no_section", SettingsInput(17, "x", "LastDir=/nowhere\n")) &&
         Write(dir / "line_break_value", SettingsInput(0, "a\r\n[Other]\r\nLastDir=b", full));
}

bool WriteMainLogSeeds(const std::filesystem::path& dir) {
  std::string thousand;
  for (int i = 0; i < 1000; ++i)
    thousand += "Pilot " + std::to_string(i) + " - Score: " + std::to_string(i * 97) + "\r\n";
  return Write(dir / "empty", {}) &&
         Write(dir / "windows",
               BytesOf("Red - Score: 1255 (1200+55)\r\n! Wedge - Score: 10 ! Errors in file!\r\n")) &&
         Write(dir / "unix", BytesOf("one\ntwo\nthree")) && Write(dir / "old_mac", BytesOf("one\rtwo\r")) &&
         Write(dir / "windows_1252", BytesOf("J\xe4ger - Score: 5\r\n\x80 \x9f\r\n")) &&
         Write(dir / "utf8_bom", BytesOf("\xef\xbb\xbf\xc3\x84rger\r\n")) &&
         Write(dir / "empty_lines", BytesOf("\r\n\r\na\r\n\r\n")) &&
         Write(dir / "nul", BytesOf(std::string("a\0b\r\n", 5))) &&
         Write(dir / "thousand_lines", BytesOf(thousand)) &&
         Write(dir / "long_line", BytesOf(std::string(20000, 'L')));
}

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes `input` as an edited file into `dir`, once the edited file is shown to give the same file and
// run as the input itself.
bool WriteEditedFile(const std::filesystem::path& input, const std::filesystem::path& dir) {
  using namespace orlenda::fuzz;
  const Bytes bytes = ReadBytes(input);
  Bytes file;
  const PilotInput whole = ReadPilotInput(bytes, file);
  const Bytes edited = EditedFileInput(whole.bytes, whole.fileSize, whole.run);
  Bytes editedFile;
  const PilotInput again = ReadPilotInput(edited, editedFile);
  if (!IsEditedFile(edited) || again.fileSize != whole.fileSize || !(again.run == whole.run) ||
      !std::equal(again.bytes.begin(), again.bytes.end(), whole.bytes.begin(), whole.bytes.end())) {
    std::fprintf(stderr, "the edited file differs from %s\n", input.c_str());
    return false;
  }
  return Write(dir / input.filename(), edited);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds OUT [INPUT...]\n");
    return 2;
  }
  const std::filesystem::path out(argv[1]);
  for (const char* target : {"pilot_report", "pilot_report_files", "settings_ini", "main_log"})
    std::filesystem::create_directories(out / target);
  bool ok = WritePilotSeeds(out / "pilot_report_files") && WriteSettingsSeeds(out / "settings_ini") &&
            WriteMainLogSeeds(out / "main_log");
  for (const auto& entry : std::filesystem::directory_iterator(out / "pilot_report_files"))
    ok = ok && WriteEditedFile(entry.path(), out / "pilot_report");
  for (int i = 2; i < argc; ++i) ok = ok && WriteEditedFile(argv[i], out / "pilot_report");
  return ok ? 0 : 1;
}

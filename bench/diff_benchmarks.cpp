// The cost of `orlenda3001-cli diff` against `dump` of one file, measured in the same run: the dump
// (load, JSON object, text of the JSON) of a pilot with both mission lists full, against the diff
// (both loads, the comparison, the answer as text or as JSON) of two copies that are the same, and of
// a pilot a month apart, and of two pilots that differ wherever they can: every craft list, both
// mission lists and every byte that no field reads. The program ends with the ratios and the goal they are
// held to.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "bench/recording_reporter.h"
#include "cli/diff_command.h"
#include "cli/pilot_json.h"
#include "pilot/pilot_load.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda::bench {
namespace {

struct DiffFiles {
  std::filesystem::path folder;
  std::string full;      // the sample pilot with 255 campaign and 255 simulator records
  std::string fullCopy;  // the same bytes
  std::string other;     // another pilot: other lists, 14 and 4 records, other unread bytes
  std::string earlier;   // the full pilot a month before: 20 and 3 records fewer, fewer kills and points

  DiffFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orlenda-diff-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    full = (folder / "full.plt").string();
    fullCopy = (folder / "full.plt.bak").string();
    other = (folder / "other.plt").string();
    earlier = (folder / "earlier.plt").string();
    const std::vector<std::uint8_t> fullBytes = tools::EncodePilotFile(FullPilot());
    tools::WriteBytesToFile(full, fullBytes);
    tools::WriteBytesToFile(fullCopy, fullBytes);
    tools::WriteBytesToFile(other, tools::EncodePilotFile(OtherPilot(), 0x5A));
    tools::WriteBytesToFile(earlier, tools::EncodePilotFile(EarlierPilot()));
  }
  ~DiffFiles() { std::filesystem::remove_all(folder); }

  static PilotRecord FullPilot() {
    PilotRecord record = tools::SamplePilotRecord();
    for (std::size_t i = 0; i < kMissionSlotCount; ++i) {
      const auto n = static_cast<std::int32_t>(i);
      record.CampaignMissions[i] = tools::PresentMission(1000 + 37 * n, 100 + n, 300 + 7 * n, n);
      record.SimMissions[i] = tools::PresentMission(800 + 11 * n, 50 + n, 200 + 5 * n, n);
    }
    return record;
  }

  static PilotRecord EarlierPilot() {
    PilotRecord record = FullPilot();
    for (std::size_t i = 235; i < kMissionSlotCount; ++i) record.CampaignMissions[i] = {};
    for (std::size_t i = 252; i < kMissionSlotCount; ++i) record.SimMissions[i] = {};
    for (std::size_t craft = 0; craft < 40; ++craft) record.TODKillsA[craft * 5] -= 1;
    record.TODScoreA -= 9000;
    record.TODBonus -= 400;
    record.AzzScoreB -= 700;
    return record;
  }

  // Every element of every craft list differs from the full pilot's.
  static PilotRecord OtherPilot() {
    PilotRecord record = tools::SamplePilotRecord();
    for (CraftList* list :
         {&record.TODKillsA, &record.AzzKills, &record.SimKillsA, &record.TODAssistsA, &record.AzzAssistsA,
          &record.SimAssists, &record.TODKillsB, &record.TODAssistsB, &record.SimKillsB, &record.AzzAssistsB})
      for (std::size_t i = 0; i < kCraftTypeCount; ++i) (*list)[i] += 1000 + static_cast<std::int32_t>(i);
    return record;
  }
};

DiffFiles& Files() {
  static DiffFiles files;
  return files;
}

// What `dump` does, its answer written to a string instead of standard output.
void BM_DumpOneFile(benchmark::State& state) {
  std::ostringstream out;
  for (auto _ : state) {
    out.str({});
    const LoadResult result = LoadPilotFile(Files().full);
    if (!result.Succeeded()) state.SkipWithError("load failed");
    out << cli::PilotRecordToJson(result.record).dump(2) << '\n';
    benchmark::DoNotOptimize(out.tellp());
  }
  state.counters["bytes out"] = static_cast<double>(out.str().size());
}
BENCHMARK(BM_DumpOneFile);

void RunDiffBenchmark(benchmark::State& state, const std::string& oldPath, const std::string& newPath,
                      bool json) {
  std::ostringstream out;
  std::ostringstream err;
  const cli::DiffOptions options{oldPath, newPath, json};
  for (auto _ : state) {
    out.str({});
    if (cli::RunDiff(options, out, err) == cli::kDiffTrouble) state.SkipWithError("diff failed");
    benchmark::DoNotOptimize(out.tellp());
  }
  state.counters["bytes out"] = static_cast<double>(out.str().size());
}

void BM_DiffIdenticalText(benchmark::State& state) {
  RunDiffBenchmark(state, Files().fullCopy, Files().full, false);
}
BENCHMARK(BM_DiffIdenticalText);

void BM_DiffMonthLaterText(benchmark::State& state) {
  RunDiffBenchmark(state, Files().earlier, Files().full, false);
}
BENCHMARK(BM_DiffMonthLaterText);

void BM_DiffMonthLaterJson(benchmark::State& state) {
  RunDiffBenchmark(state, Files().earlier, Files().full, true);
}
BENCHMARK(BM_DiffMonthLaterJson);

void BM_DiffDifferentText(benchmark::State& state) {
  RunDiffBenchmark(state, Files().full, Files().other, false);
}
BENCHMARK(BM_DiffDifferentText);

void BM_DiffDifferentJson(benchmark::State& state) {
  RunDiffBenchmark(state, Files().full, Files().other, true);
}
BENCHMARK(BM_DiffDifferentJson);

void PrintSummary(const RecordingReporter& reporter) {
  const double dump = reporter.At("BM_DumpOneFile");
  if (dump <= 0) return;
  std::printf("\ndump of one file:                %8.1f us\n", dump / 1000);
  for (const char* name : {"BM_DiffIdenticalText", "BM_DiffMonthLaterText", "BM_DiffMonthLaterJson",
                           "BM_DiffDifferentText", "BM_DiffDifferentJson"})
    if (const double diff = reporter.At(name); diff > 0)
      std::printf("%-30s %8.1f us  %5.2fx the dump (goal <= 3x)\n", name + 3, diff / 1000, diff / dump);
}

}  // namespace
}  // namespace orlenda::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  orlenda::bench::RecordingReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
  reporter.SetOutputStream(&std::cout);
  reporter.SetErrorStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  orlenda::bench::PrintSummary(reporter);
  benchmark::Shutdown();
  return 0;
}

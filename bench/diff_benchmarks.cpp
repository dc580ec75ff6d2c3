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

#include "bench/bench_files.h"
#include "bench/recording_reporter.h"
#include "cli/diff_command.h"
#include "cli/pilot_json.h"
#include "pilot/pilot_load.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda::bench {
namespace {

// The full pilot, a copy of it, the same pilot a month before (20 campaign and 3 simulator records
// fewer, fewer kills and points), and another pilot (other craft lists, 14 and 4 records, other
// unread bytes).
struct DiffFiles {
  BenchFolder folder{"orlenda-diff-bench"};
  std::string full = folder.File("full.plt");
  std::string fullCopy = folder.File("full.plt.bak");
  std::string earlier = folder.File("earlier.plt");
  std::string other = folder.File("other.plt");

  DiffFiles() {
    const std::vector<std::uint8_t> fullBytes = tools::EncodePilotFile(FullPilot());
    tools::WriteBytesToFile(full, fullBytes);
    tools::WriteBytesToFile(fullCopy, fullBytes);
    tools::WriteBytesToFile(other, tools::EncodePilotFile(OtherPilot(), 0x5A));
    tools::WriteBytesToFile(earlier, tools::EncodePilotFile(EarlierPilot()));
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
    cli::WritePilotJson(result.record, out);
    out << '\n';
    benchmark::DoNotOptimize(out.tellp());
  }
  state.counters["bytes out"] = static_cast<double>(out.str().size());
}
BENCHMARK(BM_DumpOneFile);

// The diff subcommand's whole work for one pair of files, its answer written to a string.
void BM_Diff(benchmark::State& state, std::string DiffFiles::*oldPath, std::string DiffFiles::*newPath,
             bool json) {
  std::ostringstream out;
  std::ostringstream err;
  const cli::DiffOptions options{Files().*oldPath, Files().*newPath, json};
  for (auto _ : state) {
    out.str({});
    if (cli::RunDiff(options, out, err) == cli::kDiffTrouble) state.SkipWithError("diff failed");
    benchmark::DoNotOptimize(out.tellp());
  }
  state.counters["bytes out"] = static_cast<double>(out.str().size());
}
BENCHMARK_CAPTURE(BM_Diff, IdenticalText, &DiffFiles::fullCopy, &DiffFiles::full, false);
BENCHMARK_CAPTURE(BM_Diff, MonthLaterText, &DiffFiles::earlier, &DiffFiles::full, false);
BENCHMARK_CAPTURE(BM_Diff, MonthLaterJson, &DiffFiles::earlier, &DiffFiles::full, true);
BENCHMARK_CAPTURE(BM_Diff, DifferentText, &DiffFiles::full, &DiffFiles::other, false);
BENCHMARK_CAPTURE(BM_Diff, DifferentJson, &DiffFiles::full, &DiffFiles::other, true);

void PrintSummary(const RecordingReporter& reporter) {
  const double dump = reporter.At("BM_DumpOneFile");
  if (dump <= 0) return;
  std::printf("\ndump of one file:                %8.1f us\n", dump / 1000);
  const double dumpBytes = reporter.Counter("BM_DumpOneFile", "bytes out");
  for (const char* name :
       {"IdenticalText", "MonthLaterText", "MonthLaterJson", "DifferentText", "DifferentJson"}) {
    const std::string benchmark = std::string("BM_Diff/") + name;
    const double diff = reporter.At(benchmark);
    if (diff <= 0) continue;
    std::printf("diff, %-25s %8.1f us  %5.2fx the dump (goal <= 3x: %s)\n", name, diff / 1000, diff / dump,
                diff <= 3 * dump ? "met" : "missed");
    // An answer many times the dump's size is held to the goal a byte written instead.
    const double bytes = reporter.Counter(benchmark, "bytes out");
    if (diff > 3 * dump && dumpBytes > 0 && bytes > 0) {
      const double perByte = (diff / bytes) / (dump / dumpBytes);
      std::printf("  its answer is %.1fx the dump's bytes: a byte %.2fx the dump's (goal <= 3x: %s)\n",
                  bytes / dumpBytes, perByte, perByte <= 3 ? "met" : "missed");
    }
  }
}

}  // namespace
}  // namespace orlenda::bench

int main(int argc, char** argv) {
  return orlenda::bench::RunBenchmarks(argc, argv, orlenda::bench::PrintSummary);
}

// The history's costs, each against a floor of the same run:
// - recording 1,000 unchanged pilot files (each file's stamp, found with the pilot's current state, so
//   that nothing is loaded or hashed) against building their export lines from the same files' loads;
//   the goal is at most 2x;
// - the bytes a new state adds to the database, on the sample pilot and the real pilots when they are
//   beside the checkout; the goal is at most 4 KB;
// - opening the history of a pilot with 10,000 states and reading them all; the goal is under 200 ms.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/file_stamp.h"
#include "bench_files.h"
#include "history/history_store.h"
#include "long_history.h"
#include "pilot/file_layout.h"
#include "pilot/pilot_load.h"
#include "report/report_context.h"
#include "report/rip_pilot.h"
#include "report/text_sink.h"
#include "settings/settings_snapshot.h"

namespace orlenda::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 1000;
constexpr int kStates = 10'000;

std::vector<std::string> WriteCopies(const BenchFolder& folder) {
  const std::vector<std::uint8_t> bytes = tools::EncodePilotFile(FullPilot());
  std::vector<std::string> paths;
  for (int i = 0; i < kFiles; ++i) {
    paths.push_back(folder.File("Pilot_" + std::to_string(i) + ".plt"));
    tools::WriteBytesToFile(paths.back(), bytes);
  }
  return paths;
}

void BM_ExportLinesOfUnchangedPilots(benchmark::State& state) {
  const BenchFolder folder("orlenda-history-bench");
  const std::vector<std::string> paths = WriteCopies(folder);
  const SettingsSnapshot settings = SettingsSnapshot::OfText("[Orlenda]\n");
  for (auto _ : state)
    for (const std::string& path : paths) {
      const LoadResult loaded = LoadPilotFile(path);
      DiscardedLines lines;
      benchmark::DoNotOptimize(ComposeCheckedExportLine(loaded.record, settings, ReportContext{}, lines));
    }
}
BENCHMARK(BM_ExportLinesOfUnchangedPilots)->Unit(benchmark::kMillisecond);

// Each file recorded as `history record` does: its stamp first, and the load and the hash only where the
// stamp is not the one kept with the pilot's current state. The files were written a minute before.
std::optional<RecordedState> RecordAsTheCommandDoes(HistoryStore& store, const std::string& path) {
  const std::optional<TakenStamp> stamp = TakeFileStamp(path);
  if (stamp)
    if (auto unchanged = store.UnchangedSince(path, *stamp, StateKind::kRecorded)) return unchanged;
  const LoadResult loaded = LoadPilotFile(path);
  return store.Record(path, loaded.record, loaded.modifiedTime, StateKind::kRecorded, stamp);
}

void BM_RecordUnchangedPilots(benchmark::State& state) {
  const BenchFolder folder("orlenda-history-bench");
  const std::vector<std::string> paths = WriteCopies(folder);
  const auto minuteAgo = fs::file_time_type::clock::now() - std::chrono::minutes(1);
  for (const std::string& path : paths) fs::last_write_time(path, minuteAgo);
  HistoryStore store(folder.File("history.sqlite3"), 30000);
  for (const std::string& path : paths) RecordAsTheCommandDoes(store, path);
  for (auto _ : state)
    for (const std::string& path : paths) benchmark::DoNotOptimize(RecordAsTheCommandDoes(store, path));
}
BENCHMARK(BM_RecordUnchangedPilots)->Unit(benchmark::kMillisecond);

// The database's growth for each new state, once the log is checked back into the file.
void BM_BytesOfANewState(benchmark::State& state) {
  const BenchFolder folder("orlenda-history-bench");
  std::vector<PilotRecord> records;
  const fs::path real = fs::path(ORLENDA_REAL_PILOTS_DIR);
  if (fs::is_directory(real))
    for (const auto& entry : fs::directory_iterator(real))
      if (entry.path().extension() == ".plt") {
        LoadResult loaded = LoadPilotFile(entry.path().string());
        if (loaded.Succeeded()) records.push_back(std::move(loaded.record));
      }
  records.push_back(LoadPilotBytes(tools::EncodePilotFile(FullPilot()), kPilotFileSize, "full.plt").record);
  const std::string pilot = folder.File("pilot.plt");
  tools::WriteBytesToFile(pilot, {});
  const std::string database = folder.File("history.sqlite3");
  std::int64_t added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(database);
    state.ResumeTiming();
    {
      HistoryStore store(database, 30000);
      for (int round = 0; round < 50; ++round)
        for (PilotRecord record : records) {
          tools::PatchInt32(record.BytesOnDisk, field::TODScoreA.offset, round);  // a new state each round
          store.Record(pilot, LoadPilotBytes(record.BytesOnDisk, kPilotFileSize, pilot).record, {},
                       StateKind::kGameWrite);
          ++added;
        }
    }
  }
  state.counters["bytes_per_state"] =
      benchmark::Counter(static_cast<double>(fs::file_size(database)) /
                         static_cast<double>(added / static_cast<std::int64_t>(state.iterations())));
}
BENCHMARK(BM_BytesOfANewState)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OpenHistoryOf10000States(benchmark::State& state) {
  const BenchFolder folder("orlenda-history-bench");
  const std::string pilot = folder.File("pilot.plt");
  const std::string database = folder.File("history.sqlite3");
  MakeLongHistory(database, pilot, kStates);
  for (auto _ : state) {
    HistoryStore store(database, 30000);
    benchmark::DoNotOptimize(store.States(pilot));
  }
}
BENCHMARK(BM_OpenHistoryOf10000States)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlenda::bench

BENCHMARK_MAIN();

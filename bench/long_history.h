#pragma once

// A pilot's long history for the benchmarks: `count` states of the full sample pilot, one hour apart,
// each with its own TOD score and its summary. Made in one transaction, through the store's own
// statements: a transaction for each state, each synced to disk, takes minutes. Opening a history reads
// the summaries only, never a state's body, so each state's body (and the hash that names it) is a few
// bytes of its own instead of the whole file, which would take minutes to compress.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "base/sha256.h"
#include "bench_files.h"
#include "history/history_store.h"
#include "history/sqlite_database.h"
#include "history/state_rows.h"
#include "pilot/file_layout.h"
#include "pilot/pilot_load.h"

namespace orlenda::bench {

inline void MakeLongHistory(const std::string& database, const std::string& pilot, int count) {
  tools::WriteBytesToFile(pilot, tools::EncodePilotFile(FullPilot()));
  { HistoryStore made(database, 30000); }  // the file and its tables
  SqliteDatabase db(database, LockWait{std::chrono::seconds(30), {}, {}});
  SqliteTransaction transaction(db);
  std::vector<std::uint8_t> bytes = tools::EncodePilotFile(FullPilot());
  const std::string key = HistoryStore::PilotKey(pilot);
  constexpr std::int64_t kFirstSeen = 1'750'000'000;
  for (int i = 0; i < count; ++i) {
    tools::PatchInt32(bytes, field::TODScoreA.offset, i);
    const PilotRecord record = LoadPilotBytes(bytes, kPilotFileSize, pilot).record;
    const std::string body = "state " + std::to_string(i);
    const std::span<const std::uint8_t> standIn(reinterpret_cast<const std::uint8_t*>(body.data()),
                                                body.size());
    const StateToKeep state{Sha256Hex(standIn),    standIn,
                            SummaryOf(record),     {},
                            StateKind::kGameWrite, kFirstSeen + 3600 * std::int64_t{i}};
    KeepState(db, key, state);
  }
  transaction.Commit();
}

}  // namespace orlenda::bench

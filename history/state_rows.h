#pragma once

// The history's statements: the rows of one state kept, read and checked. Each function runs inside
// the caller's transaction, or as one statement of its own.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "history/history_store.h"
#include "history/sqlite_database.h"

namespace orlenda {

struct StateToKeep {
  std::string hash;
  std::span<const std::uint8_t> bytes;
  StateSummary summary;
  std::optional<std::int64_t> modifiedTime;
  StateKind kind;
  std::int64_t seenAt = 0;
};

// The state when the pilot is already in it and it was already seen this way: nothing to write.
std::optional<RecordedState> AlreadyCurrent(SqliteDatabase& db, const std::string& pilot,
                                            const StateToKeep& state);

// The pilot's current state when it is the state `hash`, however it was seen.
std::optional<RecordedState> CurrentStateWithHash(SqliteDatabase& db, const std::string& pilot,
                                                  const std::string& hash);

// Keeps the state (once for all pilots), the pilot's sighting of it, and makes it the pilot's current state.
RecordedState KeepState(SqliteDatabase& db, const std::string& pilot, const StateToKeep& state);

std::vector<KeptState> StatesOfPilot(SqliteDatabase& db, const std::string& pilot);
std::vector<KnownPilot> KnownPilots(SqliteDatabase& db);
std::optional<std::vector<std::uint8_t>> StoredStateBytes(SqliteDatabase& db, const std::string& hash);

// SQLite's integrity check, then each state's bytes against its hash.
std::vector<std::string> CheckStates(SqliteDatabase& db);

}  // namespace orlenda

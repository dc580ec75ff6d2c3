#include "history/history_store.h"

#include <chrono>
#include <stdexcept>
#include <utility>

#include "base/folder_entries.h"
#include "base/path_kind.h"
#include "base/sha256.h"
#include "base/user_folders.h"
#include "history/history_schema.h"
#include "history/pilot_stamps.h"
#include "history/sqlite_database.h"
#include "history/state_body.h"
#include "history/state_rows.h"
#include "settings/settings_recovery.h"

namespace orlenda {
namespace {

std::int64_t NowSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

std::string HistoryStore::DefaultPath() { return InFolder(ProgramDataFolder(), "history.sqlite3"); }

std::string HistoryStore::PilotKey(const std::string& pilotPath) { return CanonicalPath(pilotPath); }

HistoryStore::HistoryStore(std::string path, LockWait wait) : path_(std::move(path)), wait_(std::move(wait)) {
  OpenOrSetAside();
}

HistoryStore::HistoryStore(std::string path, int busyTimeoutMs)
    : HistoryStore(std::move(path), LockWait{std::chrono::milliseconds(busyTimeoutMs), {}, {}}) {}

HistoryStore::~HistoryStore() = default;

std::vector<std::string> HistoryStore::TakeWarnings() { return std::exchange(warnings_, {}); }

void HistoryStore::Open() {
  PrepareHistoryFile(path_);
  db_ = std::make_unique<SqliteDatabase>(path_, wait_);
  PrepareHistorySchema(*db_);
}

void HistoryStore::OpenOrSetAside() {
  try {
    try {
      Open();
    } catch (const SqliteError& e) {
      if (!e.IsDamage() && !e.IsUnopenable()) throw;
      SetAside(e.what());
      if (db_ == nullptr) Open();
    }
  } catch (const std::exception& e) {
    db_.reset();
    warnings_.push_back("The history " + path_ + " cannot be used (" + e.what() +
                        "); nothing is kept in it.");
  }
}

// The damaged file is kept for the player with its write-ahead log; the shared-memory index is only
// SQLite's cache of that log, and a new database must not find either.
void HistoryStore::SetAside(const std::string& why) {
  db_.reset();
  const std::string aside = FreeAsideName(path_);
  std::string reason;
  if (!MoveOver(path_, aside, reason))
    throw std::runtime_error(why + "; it could not be moved aside: " + reason);
  if (!NothingAt(path_ + "-wal")) MoveOver(path_ + "-wal", aside + "-wal", reason);
  if (!NothingAt(path_ + "-shm")) RemoveFile(path_ + "-shm");
  warnings_.push_back("The history " + path_ + " is damaged (" + why + "); it was kept as " + aside +
                      " and a new history was started.");
  Open();
}

template <typename Work>
auto HistoryStore::WithRecovery(const std::string& doing, Work work) -> decltype(work()) {
  if (db_ == nullptr) return {};
  try {
    try {
      return work();
    } catch (const SqliteError& e) {
      if (!e.IsDamage()) throw;
      SetAside(e.what());
      return work();
    }
  } catch (const std::exception& e) {
    warnings_.push_back("The history could not " + doing + ": " + e.what() + ".");
  }
  if (db_ == nullptr) OpenOrSetAside();
  return {};
}

namespace {

void KeepOrForgetStamp(SqliteDatabase& db, const std::string& key, const std::optional<TakenStamp>& stamp) {
  if (!stamp) return;
  if (IsSettled(*stamp))
    KeepStamp(db, key, stamp->stamp);
  else
    ForgetStamp(db, key);
}

}  // namespace

std::optional<RecordedState> HistoryStore::Record(const std::string& pilotPath, const PilotRecord& record,
                                                  std::optional<std::int64_t> modifiedTime, StateKind kind,
                                                  const std::optional<TakenStamp>& stamp) {
  const std::string key = PilotKey(pilotPath);
  StateToKeep state{Sha256Hex(record.BytesOnDisk), record.BytesOnDisk, {}, modifiedTime, kind, NowSeconds()};
  return WithRecovery("keep the state of " + key, [&]() -> std::optional<RecordedState> {
    std::optional<RecordedState> recorded = AlreadyCurrent(*db_, key, state);
    if (recorded && !stamp) return recorded;
    SqliteTransaction transaction(*db_);
    // Asked again under the writer's lock: the stamp goes beside the state that these bytes are.
    if (recorded) recorded = AlreadyCurrent(*db_, key, state);
    if (!recorded) {
      state.summary = SummaryOf(record);  // worked out only for a state that is to be written
      recorded = KeepState(*db_, key, state);
    }
    KeepOrForgetStamp(*db_, key, stamp);
    transaction.Commit();
    return recorded;
  });
}

std::optional<RecordedState> HistoryStore::RecordChange(const std::string& pilotPath,
                                                        const PilotRecord& record,
                                                        std::optional<std::int64_t> modifiedTime,
                                                        StateKind kind) {
  const std::string key = PilotKey(pilotPath);
  StateToKeep state{Sha256Hex(record.BytesOnDisk), record.BytesOnDisk, {}, modifiedTime, kind, NowSeconds()};
  return WithRecovery("keep the state of " + key, [&]() -> std::optional<RecordedState> {
    if (auto current = CurrentStateWithHash(*db_, key, state.hash)) return current;
    SqliteTransaction transaction(*db_);
    // Asked again under the writer's lock: another program's save may have recorded it meanwhile.
    if (auto current = CurrentStateWithHash(*db_, key, state.hash)) return current;
    state.summary = SummaryOf(record);
    const RecordedState recorded = KeepState(*db_, key, state);
    transaction.Commit();
    return recorded;
  });
}

std::optional<RecordedState> HistoryStore::UnchangedSince(const std::string& pilotPath,
                                                          const TakenStamp& stamp, StateKind kind) {
  if (!IsSettled(stamp)) return std::nullopt;
  const std::string key = PilotKey(pilotPath);
  return WithRecovery("read the state of " + key,
                      [&] { return StampedCurrentState(*db_, key, stamp.stamp, kind); });
}

std::vector<KeptState> HistoryStore::States(const std::string& pilotPath) {
  const std::string key = PilotKey(pilotPath);
  return WithRecovery("read the states of " + key, [&] { return StatesOfPilot(*db_, key); });
}

std::vector<KnownPilot> HistoryStore::Pilots() {
  return WithRecovery("list its pilots", [&] { return KnownPilots(*db_); });
}

std::optional<std::vector<std::uint8_t>> HistoryStore::StateBytes(const std::string& hash) {
  return WithRecovery("read a state", [&]() -> std::optional<std::vector<std::uint8_t>> {
    auto bytes = StoredStateBytes(*db_, hash);
    if (bytes && Sha256Hex(*bytes) != hash) return std::nullopt;
    return bytes;
  });
}

std::vector<std::string> HistoryStore::Check() {
  if (db_ == nullptr) return {"the history cannot be opened"};
  try {
    return CheckStates(*db_);
  } catch (const SqliteError& e) {
    return {e.what()};
  }
}

}  // namespace orlenda

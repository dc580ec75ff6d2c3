#pragma once

// The history: every distinct state of each pilot file, kept for good in one SQLite database per
// user. A state is stored once, by its SHA-256, compressed; each pilot (its real file, links
// resolved) lists the states it has had in the order they were first seen, numbered from 1, with
// when and how each was seen.
//
// Every change is one transaction, so that a program stopped at any instant leaves the database as
// it was before the change or after it. Two programs may write at once: each waits for the other's
// transaction (as its caller's LockWait says) instead of failing. The database file is the user's alone.
//
// A database that cannot be opened or is damaged is moved aside as history.sqlite3.bad (as the
// settings file is), explained in a warning, and a new one is started; a history that cannot be kept
// at all is a warning too. The history never stops a pilot from loading or saving.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/file_stamp.h"
#include "base/locked_file.h"
#include "history/state_kind.h"
#include "history/state_summary.h"
#include "pilot/pilot_record.h"

namespace orlenda {

class SqliteDatabase;

// One state as a pilot had it.
struct KeptState {
  int number = 0;              // 1 for the pilot's first state
  std::string hash;            // SHA-256, 64 lowercase hex digits
  std::int64_t firstSeen = 0;  // seconds since 1970-01-01 UTC
  std::int64_t lastSeen = 0;
  std::optional<std::int64_t> modifiedTime;  // the file's, when it was last seen in this state
  std::uint32_t kinds = 0;                   // StateKind bits
  bool current = false;                      // the state the pilot was last seen in
  StateSummary summary;
};

struct KnownPilot {
  std::string path;
  int stateCount = 0;
  std::int64_t lastSeen = 0;
};

struct RecordedState {
  int number = 0;
  std::string hash;
  bool newState = false;  // first seen for this pilot now
};

class HistoryStore {
 public:
  // The default place of the database: history.sqlite3 in base/'s ProgramDataFolder().
  static std::string DefaultPath();

  // Opens the history at `path` (creating it and its folder when missing). A step that finds another
  // program's transaction under way waits for it as `wait` says (the desktop program's box, or a silent
  // bounded wait); a wait that ends first fails that step with a warning. Never throws: a history that
  // cannot be kept is unavailable, and warnings() says why.
  HistoryStore(std::string path, LockWait wait);
  // The same with a silent wait of up to `busyTimeoutMs`.
  HistoryStore(std::string path, int busyTimeoutMs);
  ~HistoryStore();
  HistoryStore(const HistoryStore&) = delete;
  HistoryStore& operator=(const HistoryStore&) = delete;

  bool IsAvailable() const { return db_ != nullptr; }
  const std::string& path() const { return path_; }

  // What went wrong since the last call (a database set aside, a recording that failed), one
  // message each; the caller shows them as warnings.
  std::vector<std::string> TakeWarnings();

  // Keeps the state of a successfully loaded pilot file (record.BytesOnDisk, the whole file). Nothing
  // when the history is unavailable or the recording failed (a warning says why).
  // With the stamp that the file had before it was read, the history keeps it beside the state when it
  // has settled (base/file_stamp.h), and forgets the pilot's stamp when it has not.
  std::optional<RecordedState> Record(const std::string& pilotPath, const PilotRecord& record,
                                      std::optional<std::int64_t> modifiedTime, StateKind kind,
                                      const std::optional<TakenStamp>& stamp = std::nullopt);

  // Keeps the state as Record does, unless the pilot is in it already, however it was seen: a file
  // that a save of ours (or of another program) has just recorded, seen changed by a watch of its
  // folder, is that save's state and not a new one. Then the current state, kept as it was.
  std::optional<RecordedState> RecordChange(const std::string& pilotPath, const PilotRecord& record,
                                            std::optional<std::int64_t> modifiedTime, StateKind kind);

  // The pilot's current state, when `stamp` has settled and is the stamp kept with that state, which was
  // seen as `kind`: the file is as it was recorded, and a recording need not read it. Nothing otherwise.
  std::optional<RecordedState> UnchangedSince(const std::string& pilotPath, const TakenStamp& stamp,
                                              StateKind kind);

  // The pilot's states by number; none for a pilot the history does not know.
  std::vector<KeptState> States(const std::string& pilotPath);
  std::vector<KnownPilot> Pilots();

  // The bytes of a state, checked against its hash; nothing when the history does not hold it whole.
  std::optional<std::vector<std::uint8_t>> StateBytes(const std::string& hash);

  // SQLite's integrity check and a check of every state's bytes against its hash: "ok" alone, or
  // one line per problem.
  std::vector<std::string> Check();

  // The pilot's path as the history names it: its real file, links resolved.
  static std::string PilotKey(const std::string& pilotPath);

 private:
  void Open();
  void OpenOrSetAside();
  void SetAside(const std::string& why);
  template <typename Work>
  auto WithRecovery(const std::string& doing, Work work) -> decltype(work());

  std::string path_;
  LockWait wait_;
  std::unique_ptr<SqliteDatabase> db_;
  std::vector<std::string> warnings_;
};

}  // namespace orlenda

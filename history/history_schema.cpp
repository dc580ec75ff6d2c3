#include "history/history_schema.h"

#include <stdexcept>

#include "base/folder_entries.h"
#include "base/path_kind.h"
#include "base/system_file.h"

namespace orlenda {
namespace {

// Every table of the present version, each made only where it is missing: a database of an earlier
// version gains the tables added since (version 2: pilot_stamps) and keeps its rows.
constexpr const char* kTables = R"(
CREATE TABLE IF NOT EXISTS pilots(
  id INTEGER PRIMARY KEY,
  path TEXT NOT NULL UNIQUE,
  current_state INTEGER REFERENCES states(id));
CREATE TABLE IF NOT EXISTS states(
  id INTEGER PRIMARY KEY,
  sha256 TEXT NOT NULL UNIQUE,
  size INTEGER NOT NULL,
  body BLOB NOT NULL,
  name TEXT NOT NULL,
  rank INTEGER NOT NULL,
  rating INTEGER NOT NULL,
  kalidor INTEGER NOT NULL,
  won BLOB NOT NULL,
  missions_won INTEGER NOT NULL,
  campaign_total INTEGER NOT NULL,
  tod_score INTEGER NOT NULL,
  total INTEGER NOT NULL,
  check_errors INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS pilot_states(
  pilot INTEGER NOT NULL REFERENCES pilots(id),
  state INTEGER NOT NULL REFERENCES states(id),
  number INTEGER NOT NULL,
  first_seen INTEGER NOT NULL,
  last_seen INTEGER NOT NULL,
  modified_time INTEGER,
  kinds INTEGER NOT NULL,
  PRIMARY KEY(pilot, state),
  UNIQUE(pilot, number));
CREATE TABLE IF NOT EXISTS pilot_stamps(
  pilot INTEGER PRIMARY KEY REFERENCES pilots(id),
  state INTEGER NOT NULL REFERENCES states(id),
  size INTEGER NOT NULL,
  modified_ns INTEGER NOT NULL,
  volume INTEGER NOT NULL,
  file_index INTEGER NOT NULL);
)";

int UserVersion(SqliteDatabase& db) {
  SqliteStatement version(db, "PRAGMA user_version");
  return version.Step() ? static_cast<int>(version.Int(0)) : 0;
}

}  // namespace

void PrepareHistoryFile(const std::string& path) {
  if (!NothingAt(path)) return;
  CreateFolders(FolderOf(path));
  SystemFile created(path, SystemFile::Mode::kCreateNew);  // 0600; another program may have been first
}

void PrepareHistorySchema(SqliteDatabase& db) {
  // The write-ahead log lets readers go on while a writer commits; each commit is synced whole.
  db.Execute("PRAGMA journal_mode=WAL");
  db.Execute("PRAGMA synchronous=FULL");
  db.Execute("PRAGMA foreign_keys=ON");
  // A database of this version needs no writer's lock to open, so that reading it never waits for
  // another program's write: its version is set in the transaction that makes its tables.
  if (UserVersion(db) == kHistorySchemaVersion) return;
  SqliteTransaction transaction(db);
  const int version = UserVersion(db);
  if (version > kHistorySchemaVersion)
    throw std::runtime_error("it was made by a later version of the program (version " +
                             std::to_string(version) + "), which this one leaves alone");
  if (version < kHistorySchemaVersion) {
    db.Execute(kTables);
    db.Execute(("PRAGMA user_version=" + std::to_string(kHistorySchemaVersion)).c_str());
  }
  transaction.Commit();
}

}  // namespace orlenda

#pragma once

// A thin owner of one SQLite connection and its prepared statements. Every failure becomes a
// SqliteError with SQLite's own words and its result code, so that the store can tell a damaged file
// (which it sets aside) from a passing trouble (a full disk, a lock held too long).

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/locked_file.h"

struct sqlite3;
struct sqlite3_stmt;

namespace orlenda {

class SqliteError : public std::runtime_error {
 public:
  SqliteError(const std::string& what, int code) : std::runtime_error(what), code_(code) {}
  int code() const { return code_; }
  // The file is no database of ours, or its pages contradict each other.
  bool IsDamage() const;
  // The file cannot be opened as a database at all (a folder in its place, no right to it).
  bool IsUnopenable() const;

 private:
  int code_;
};

class SqliteDatabase {
 public:
  // Opens (creating when missing) the database file. A statement that finds another program's lock
  // on it waits as `wait` says, as every wait for a file that others hold (base/locked_file.h): tries
  // again between pauses, told after about a second, until the lock is had or the wait ends, and then
  // fails with kLockHeldReason.
  SqliteDatabase(const std::string& path, LockWait wait);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // Runs statements that return no rows.
  void Execute(const char* sql);
  std::int64_t LastInsertId() const;
  sqlite3* handle() const { return db_; }

  // SQLite's words for a failure, the lock's own reason for a wait that ended.
  static std::string Words(int code, const char* sqliteWords);

  // Throws the connection's last error, prefixed by `doing`.
  [[noreturn]] void Fail(std::string_view doing, int code) const;

 private:
  static int OnBusy(void* self, int tries);

  sqlite3* db_ = nullptr;
  std::string path_;
  LockWait wait_;
  std::optional<LockWaitRound> round_;  // the wait under way, from the first busy try of a statement
};

class SqliteStatement {
 public:
  SqliteStatement(SqliteDatabase& db, const char* sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Parameters count from 1, as SQLite's do.
  SqliteStatement& Bind(int index, std::int64_t value);
  SqliteStatement& Bind(int index, std::string_view text);
  SqliteStatement& Bind(int index, std::span<const std::uint8_t> blob);
  SqliteStatement& BindNull(int index);

  // True while a row is there to read; false once the statement is done.
  bool Step();
  // Steps a statement that returns no rows.
  void Run();

  std::int64_t Int(int column) const;
  std::optional<std::int64_t> OptionalInt(int column) const;
  std::string Text(int column) const;
  std::vector<std::uint8_t> Blob(int column) const;

 private:
  SqliteDatabase& db_;
  sqlite3_stmt* statement_ = nullptr;
};

// Runs statements between BEGIN IMMEDIATE and COMMIT: the writer's lock is taken at the start (so
// that two writers wait in turn instead of failing each other), and a transaction that is left
// through an exception is rolled back.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteDatabase& db);
  ~SqliteTransaction();
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;
  void Commit();

 private:
  SqliteDatabase& db_;
  bool done_ = false;
};

}  // namespace orlenda

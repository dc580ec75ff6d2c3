#include "history/sqlite_database.h"

#include <sqlite3.h>

#include <utility>

namespace orlenda {

bool SqliteError::IsDamage() const {
  const int primary = code_ & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool SqliteError::IsUnopenable() const { return (code_ & 0xFF) == SQLITE_CANTOPEN; }

std::string SqliteDatabase::Words(int code, const char* sqliteWords) {
  if ((code & 0xFF) == SQLITE_BUSY) return kLockHeldReason;
  return sqliteWords != nullptr ? sqliteWords : sqlite3_errstr(code);
}

SqliteDatabase::SqliteDatabase(const std::string& path, LockWait wait) : path_(path), wait_(std::move(wait)) {
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
  const int code = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (code != SQLITE_OK) {
    const std::string words = Words(code, db_ != nullptr ? sqlite3_errmsg(db_) : nullptr);
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqliteError(words, code);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_handler(db_, &SqliteDatabase::OnBusy, this);
}

// SQLite asks before each new try of a statement that found the database locked, `tries` counting from
// 0 for each wait; a nonzero answer tries again. The pause runs here (the windows' event loop, or a
// sleep), and nothing may be thrown through SQLite.
int SqliteDatabase::OnBusy(void* self, int tries) {
  auto& db = *static_cast<SqliteDatabase*>(self);
  try {
    if (tries == 0 || !db.round_) db.round_.emplace(db.wait_, db.path_);
    return db.round_->BeforeNextTry() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close_v2(db_); }

void SqliteDatabase::Execute(const char* sql) {
  char* message = nullptr;
  const int code = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
  if (code == SQLITE_OK) return;
  const std::string words = Words(code, message);
  sqlite3_free(message);
  throw SqliteError(words, code);
}

std::int64_t SqliteDatabase::LastInsertId() const { return sqlite3_last_insert_rowid(db_); }

void SqliteDatabase::Fail(std::string_view doing, int code) const {
  std::string words(doing);
  if (!words.empty()) words += ": ";
  words += Words(code, sqlite3_errmsg(db_));
  throw SqliteError(words, code);
}

SqliteStatement::SqliteStatement(SqliteDatabase& db, const char* sql) : db_(db) {
  const int code = sqlite3_prepare_v2(db.handle(), sql, -1, &statement_, nullptr);
  if (code != SQLITE_OK) db.Fail({}, code);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
  if (const int code = sqlite3_bind_int64(statement_, index, value); code != SQLITE_OK) db_.Fail({}, code);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
  const int code =
      sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  if (code != SQLITE_OK) db_.Fail({}, code);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::span<const std::uint8_t> blob) {
  // A blob of no bytes is still a blob, not NULL: SQLite needs a pointer that is not null for that.
  static const std::uint8_t kNothing = 0;
  const void* data = blob.empty() ? &kNothing : blob.data();
  const int code = sqlite3_bind_blob64(statement_, index, data, blob.size(), SQLITE_TRANSIENT);
  if (code != SQLITE_OK) db_.Fail({}, code);
  return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index) {
  if (const int code = sqlite3_bind_null(statement_, index); code != SQLITE_OK) db_.Fail({}, code);
  return *this;
}

bool SqliteStatement::Step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  db_.Fail({}, sqlite3_extended_errcode(db_.handle()));
}

void SqliteStatement::Run() {
  while (Step()) {
  }
}

std::int64_t SqliteStatement::Int(int column) const { return sqlite3_column_int64(statement_, column); }

std::optional<std::int64_t> SqliteStatement::OptionalInt(int column) const {
  if (sqlite3_column_type(statement_, column) == SQLITE_NULL) return std::nullopt;
  return Int(column);
}

std::string SqliteStatement::Text(int column) const {
  const auto* text = sqlite3_column_text(statement_, column);
  if (text == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

std::vector<std::uint8_t> SqliteStatement::Blob(int column) const {
  const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
  const auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement_, column));
  return data == nullptr ? std::vector<std::uint8_t>() : std::vector<std::uint8_t>(data, data + size);
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : db_(db) { db_.Execute("BEGIN IMMEDIATE"); }

SqliteTransaction::~SqliteTransaction() {
  if (!done_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::Commit() {
  db_.Execute("COMMIT");
  done_ = true;
}

}  // namespace orlenda

#pragma once

// The history database's file and tables: the file made for the user alone before SQLite opens it,
// the write-ahead log, full syncs at each commit, and the tables of this version of the program.

#include <string>

#include "history/sqlite_database.h"

namespace orlenda {

inline constexpr int kHistorySchemaVersion = 2;

// Makes the folder and an empty file only the user may read and write, when there is none yet (SQLite
// gives its log files the database file's permissions).
void PrepareHistoryFile(const std::string& path);

// Sets the connection's modes and makes the tables in one transaction. Throws SqliteError, or
// std::runtime_error for a database of a later version, which this program leaves alone.
void PrepareHistorySchema(SqliteDatabase& db);

}  // namespace orlenda

#pragma once

// The stamp of each pilot's file as it was last recorded (size, modification time, identity), beside
// the state the file was then in: a recording that finds the same settled stamp, with that state still
// the pilot's current one, need neither read nor hash the file. Each function runs inside the caller's
// transaction, or as one statement of its own.

#include <optional>
#include <string>

#include "base/file_stamp.h"
#include "history/history_store.h"
#include "history/sqlite_database.h"

namespace orlenda {

// The pilot's current state when `stamp` is the stamp kept with it and the state was seen as `kind`.
std::optional<RecordedState> StampedCurrentState(SqliteDatabase& db, const std::string& pilot,
                                                 const FileStamp& stamp, StateKind kind);

// Keeps `stamp` beside the pilot's current state, replacing the one kept before.
void KeepStamp(SqliteDatabase& db, const std::string& pilot, const FileStamp& stamp);

// Forgets the pilot's stamp: the file's contents were read while they could still change unseen.
void ForgetStamp(SqliteDatabase& db, const std::string& pilot);

}  // namespace orlenda

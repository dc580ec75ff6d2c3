#include "history/pilot_stamps.h"

namespace orlenda {
namespace {

// The stamp's columns from the third parameter on (the identity's unsigned numbers kept as their bits).
void BindStamp(SqliteStatement& statement, const FileStamp& stamp) {
  statement.Bind(3, stamp.size).Bind(4, stamp.modifiedNs);
  statement.Bind(5, static_cast<std::int64_t>(stamp.identity.volume));
  statement.Bind(6, static_cast<std::int64_t>(stamp.identity.index));
}

}  // namespace

std::optional<RecordedState> StampedCurrentState(SqliteDatabase& db, const std::string& pilot,
                                                 const FileStamp& stamp, StateKind kind) {
  SqliteStatement select(
      db,
      "SELECT ps.number, s.sha256 FROM pilots p JOIN pilot_stamps t ON t.pilot = p.id AND t.state = "
      "p.current_state JOIN states s ON s.id = p.current_state JOIN pilot_states ps ON ps.pilot = p.id AND "
      "ps.state = s.id WHERE p.path = ?1 AND (ps.kinds & ?2) != 0 AND t.size = ?3 AND t.modified_ns = ?4 "
      "AND t.volume = ?5 AND t.file_index = ?6");
  select.Bind(1, pilot).Bind(2, static_cast<std::int64_t>(kind));
  BindStamp(select, stamp);
  if (!select.Step()) return std::nullopt;
  return RecordedState{static_cast<int>(select.Int(0)), select.Text(1), false};
}

void KeepStamp(SqliteDatabase& db, const std::string& pilot, const FileStamp& stamp) {
  SqliteStatement insert(db,
                         "INSERT OR REPLACE INTO pilot_stamps(pilot, state, size, modified_ns, volume, "
                         "file_index) SELECT id, current_state, ?3, ?4, ?5, ?6 FROM pilots "
                         "WHERE path = ?1 AND current_state IS NOT NULL");
  insert.Bind(1, pilot);
  BindStamp(insert, stamp);
  insert.Run();
}

void ForgetStamp(SqliteDatabase& db, const std::string& pilot) {
  SqliteStatement(db, "DELETE FROM pilot_stamps WHERE pilot = (SELECT id FROM pilots WHERE path = ?)")
      .Bind(1, pilot)
      .Run();
}

}  // namespace orlenda

#include "history/state_rows.h"

#include "base/sha256.h"
#include "history/state_body.h"

namespace orlenda {
namespace {

std::int64_t PilotId(SqliteDatabase& db, const std::string& pilot) {
  SqliteStatement(db, "INSERT OR IGNORE INTO pilots(path) VALUES(?)").Bind(1, pilot).Run();
  SqliteStatement select(db, "SELECT id FROM pilots WHERE path = ?");
  select.Bind(1, pilot).Step();
  return select.Int(0);
}

std::int64_t StateId(SqliteDatabase& db, const StateToKeep& state) {
  SqliteStatement select(db, "SELECT id FROM states WHERE sha256 = ?");
  if (select.Bind(1, state.hash).Step()) return select.Int(0);
  const StateSummary& s = state.summary;
  SqliteStatement insert(
      db,
      "INSERT INTO states(sha256, size, body, name, rank, rating, kalidor, won, missions_won, "
      "campaign_total, tod_score, total, check_errors) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?)");
  const std::string won = WonMissionsBytes(s.won);
  insert.Bind(1, state.hash).Bind(2, static_cast<std::int64_t>(state.bytes.size()));
  insert.Bind(3, CompressStateBody(state.bytes)).Bind(4, s.name).Bind(5, s.rank).Bind(6, s.rating);
  insert.Bind(7, s.kalidorStatus)
      .Bind(8, std::span(reinterpret_cast<const std::uint8_t*>(won.data()), won.size()));
  insert.Bind(9, s.missionsWon).Bind(10, s.campaignTotal).Bind(11, s.todScore).Bind(12, s.total);
  insert.Bind(13, s.checkErrors).Run();
  return db.LastInsertId();
}

void BindModifiedTime(SqliteStatement& statement, int index, const std::optional<std::int64_t>& time) {
  if (time)
    statement.Bind(index, *time);
  else
    statement.BindNull(index);
}

// A state seen again keeps its number and adds the way it was seen now.
RecordedState SeeState(SqliteDatabase& db, std::int64_t pilot, std::int64_t state, const StateToKeep& seen) {
  SqliteStatement select(db, "SELECT number FROM pilot_states WHERE pilot = ? AND state = ?");
  if (select.Bind(1, pilot).Bind(2, state).Step()) {
    SqliteStatement update(db,
                           "UPDATE pilot_states SET last_seen = ?, modified_time = ?, kinds = kinds | ? "
                           "WHERE pilot = ? AND state = ?");
    update.Bind(1, seen.seenAt);
    BindModifiedTime(update, 2, seen.modifiedTime);
    update.Bind(3, static_cast<std::int64_t>(seen.kind)).Bind(4, pilot).Bind(5, state).Run();
    return {static_cast<int>(select.Int(0)), seen.hash, false};
  }
  SqliteStatement insert(
      db,
      "INSERT INTO pilot_states(pilot, state, number, first_seen, last_seen, modified_time, kinds) "
      "SELECT ?1, ?2, COALESCE(MAX(number), 0) + 1, ?3, ?3, ?4, ?5 FROM pilot_states WHERE pilot = ?1");
  insert.Bind(1, pilot).Bind(2, state).Bind(3, seen.seenAt);
  BindModifiedTime(insert, 4, seen.modifiedTime);
  insert.Bind(5, static_cast<std::int64_t>(seen.kind)).Run();
  SqliteStatement number(db, "SELECT number FROM pilot_states WHERE pilot = ? AND state = ?");
  number.Bind(1, pilot).Bind(2, state).Step();
  return {static_cast<int>(number.Int(0)), seen.hash, true};
}

StateSummary SummaryOfRow(const SqliteStatement& row, int first) {
  StateSummary s;
  s.name = row.Text(first);
  s.rank = static_cast<std::int32_t>(row.Int(first + 1));
  s.rating = static_cast<std::int32_t>(row.Int(first + 2));
  s.kalidorStatus = static_cast<std::int32_t>(row.Int(first + 3));
  const std::vector<std::uint8_t> won = row.Blob(first + 4);
  s.won = WonMissionsOfBytes(std::string(won.begin(), won.end()));
  s.missionsWon = static_cast<int>(row.Int(first + 5));
  s.campaignTotal = static_cast<std::int32_t>(row.Int(first + 6));
  s.todScore = static_cast<std::int32_t>(row.Int(first + 7));
  s.total = static_cast<std::int32_t>(row.Int(first + 8));
  s.checkErrors = static_cast<int>(row.Int(first + 9));
  return s;
}

// The pilot's current state when it is the state `hash` and was seen in one of the ways `kinds` has.
std::optional<RecordedState> CurrentStateSeenAs(SqliteDatabase& db, const std::string& pilot,
                                                const std::string& hash, std::int64_t kinds) {
  SqliteStatement select(db,
                         "SELECT ps.number FROM pilots p JOIN states s ON s.id = p.current_state "
                         "JOIN pilot_states ps ON ps.pilot = p.id AND ps.state = s.id "
                         "WHERE p.path = ? AND s.sha256 = ? AND (ps.kinds & ?) != 0");
  select.Bind(1, pilot).Bind(2, hash).Bind(3, kinds);
  if (!select.Step()) return std::nullopt;
  return RecordedState{static_cast<int>(select.Int(0)), hash, false};
}

constexpr std::int64_t kAnyKind = ~std::int64_t{0};

}  // namespace

std::optional<RecordedState> AlreadyCurrent(SqliteDatabase& db, const std::string& pilot,
                                            const StateToKeep& state) {
  return CurrentStateSeenAs(db, pilot, state.hash, static_cast<std::int64_t>(state.kind));
}

std::optional<RecordedState> CurrentStateWithHash(SqliteDatabase& db, const std::string& pilot,
                                                  const std::string& hash) {
  return CurrentStateSeenAs(db, pilot, hash, kAnyKind);
}

RecordedState KeepState(SqliteDatabase& db, const std::string& pilot, const StateToKeep& state) {
  const std::int64_t pilotId = PilotId(db, pilot);
  const std::int64_t stateId = StateId(db, state);
  RecordedState recorded = SeeState(db, pilotId, stateId, state);
  SqliteStatement(db, "UPDATE pilots SET current_state = ? WHERE id = ?")
      .Bind(1, stateId)
      .Bind(2, pilotId)
      .Run();
  return recorded;
}

std::vector<KeptState> StatesOfPilot(SqliteDatabase& db, const std::string& pilot) {
  SqliteStatement select(
      db,
      "SELECT ps.number, s.sha256, ps.first_seen, ps.last_seen, ps.modified_time, ps.kinds, "
      "p.current_state = s.id, s.name, s.rank, s.rating, s.kalidor, s.won, s.missions_won, "
      "s.campaign_total, s.tod_score, s.total, s.check_errors FROM pilots p "
      "JOIN pilot_states ps ON ps.pilot = p.id JOIN states s ON s.id = ps.state "
      "WHERE p.path = ? ORDER BY ps.number");
  select.Bind(1, pilot);
  std::vector<KeptState> states;
  while (select.Step()) {
    KeptState& state = states.emplace_back();
    state.number = static_cast<int>(select.Int(0));
    state.hash = select.Text(1);
    state.firstSeen = select.Int(2);
    state.lastSeen = select.Int(3);
    state.modifiedTime = select.OptionalInt(4);
    state.kinds = static_cast<std::uint32_t>(select.Int(5));
    state.current = select.Int(6) != 0;
    state.summary = SummaryOfRow(select, 7);
  }
  return states;
}

std::vector<KnownPilot> KnownPilots(SqliteDatabase& db) {
  SqliteStatement select(db,
                         "SELECT p.path, COUNT(*), MAX(ps.last_seen) FROM pilots p "
                         "JOIN pilot_states ps ON ps.pilot = p.id GROUP BY p.id ORDER BY p.path");
  std::vector<KnownPilot> pilots;
  while (select.Step()) pilots.push_back({select.Text(0), static_cast<int>(select.Int(1)), select.Int(2)});
  return pilots;
}

std::optional<std::vector<std::uint8_t>> StoredStateBytes(SqliteDatabase& db, const std::string& hash) {
  SqliteStatement select(db, "SELECT size, body FROM states WHERE sha256 = ?");
  if (!select.Bind(1, hash).Step()) return std::nullopt;
  return UncompressStateBody(select.Blob(1), static_cast<std::size_t>(select.Int(0)));
}

std::vector<std::string> CheckStates(SqliteDatabase& db) {
  std::vector<std::string> problems;
  SqliteStatement integrity(db, "PRAGMA integrity_check");
  while (integrity.Step())
    if (const std::string line = integrity.Text(0); line != "ok") problems.push_back(line);
  SqliteStatement states(db, "SELECT sha256, size, body FROM states ORDER BY id");
  while (states.Step()) {
    const std::string hash = states.Text(0);
    const auto bytes = UncompressStateBody(states.Blob(2), static_cast<std::size_t>(states.Int(1)));
    if (!bytes || Sha256Hex(*bytes) != hash)
      problems.push_back("state " + hash + ": its bytes do not match its hash");
  }
  if (problems.empty()) problems.push_back("ok");
  return problems;
}

}  // namespace orlenda

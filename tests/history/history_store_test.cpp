// The history store: states kept once and numbered per pilot, their bytes and summaries read back,
// and a damaged or foreign database set aside or left alone, never in the way of a load or a save.

#include "history/history_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <variant>

#include "base/file_stamp.h"
#include "history/sqlite_database.h"
#include "history/state_name.h"
#include "history_test_support.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace orlenda {
namespace {

namespace fs = std::filesystem;

class HistoryStoreTest : public ::testing::Test {
 protected:
  std::string PilotPath(const std::string& name) {
    const std::string path = dir_.File(name);
    test::WriteBytes(path, "");  // the store names a pilot by its real file, which must exist
    return path;
  }

  test::TempDir dir_;
  std::string database_ = dir_.File("data/history.sqlite3");
};

TEST_F(HistoryStoreTest, KeepsEachStateOnceAndNumbersThemInTheOrderFirstSeen) {
  HistoryStore store(database_, 1000);
  ASSERT_TRUE(store.IsAvailable());
  const std::string pilot = PilotPath("ace.plt");
  const PilotRecord first = test::HistoryPilot("Ace", 3);
  const PilotRecord second = test::HistoryPilot("Ace", 5, 2);

  const auto recorded = store.Record(pilot, first, 1000, StateKind::kRecorded);
  ASSERT_TRUE(recorded && recorded->newState);
  EXPECT_EQ(recorded->number, 1);
  EXPECT_EQ(store.Record(pilot, first, 1000, StateKind::kBeforeSave)->newState, false);
  EXPECT_EQ(store.Record(pilot, second, 1010, StateKind::kAfterSave)->number, 2);
  EXPECT_EQ(store.Record(pilot, first, 1020, StateKind::kRestored)->number, 1)
      << "a state seen again keeps its number";
  EXPECT_TRUE(store.TakeWarnings().empty());

  const std::vector<KeptState> states = store.States(pilot);
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(StateKindWords(states[0].kinds), "before save, recorded, restored");
  EXPECT_TRUE(states[0].current);
  EXPECT_FALSE(states[1].current);
  EXPECT_EQ(states[1].modifiedTime, 1010);
  EXPECT_EQ(states[1].summary.name, "Ace");
  EXPECT_EQ(states[1].summary.rank, 2);
  EXPECT_EQ(states[1].summary.missionsWon, 5);
  EXPECT_EQ(states[1].summary.campaignTotal, 625);
  EXPECT_EQ(store.StateBytes(states[1].hash), second.BytesOnDisk);
  EXPECT_EQ(store.Check(), std::vector<std::string>{"ok"});

  // The history lasts: another program opening it finds the same.
  HistoryStore again(database_, 1000);
  EXPECT_EQ(again.States(pilot).size(), 2u);
  ASSERT_EQ(again.Pilots().size(), 1u);
  EXPECT_EQ(again.Pilots()[0].stateCount, 2);
}

// A watch of the folder sees our own saves too: only a state the pilot is not in is a change.
TEST_F(HistoryStoreTest, AChangeSeenIsKeptOnlyWhenThePilotIsNotInThatStateAlready) {
  HistoryStore store(database_, 1000);
  const std::string pilot = PilotPath("ace.plt");
  const PilotRecord before = test::HistoryPilot("Ace", 3);
  const PilotRecord saved = test::HistoryPilot("Ace", 4);
  const PilotRecord flown = test::HistoryPilot("Ace", 5);
  store.Record(pilot, before, 1000, StateKind::kBeforeSave);
  store.Record(pilot, saved, 1010, StateKind::kAfterSave);

  const auto ours = store.RecordChange(pilot, saved, 1010, StateKind::kGameWrite);
  ASSERT_TRUE(ours);
  EXPECT_EQ(ours->number, 2);
  EXPECT_FALSE(ours->newState);
  EXPECT_EQ(store.RecordChange(pilot, flown, 1020, StateKind::kGameWrite)->number, 3);
  EXPECT_EQ(store.RecordChange(pilot, before, 1030, StateKind::kGameWrite)->number, 1)
      << "an older copy written over the file is a change";
  EXPECT_TRUE(store.TakeWarnings().empty());

  const std::vector<KeptState> states = store.States(pilot);
  ASSERT_EQ(states.size(), 3u);
  EXPECT_EQ(StateKindWords(states[0].kinds), "before save, game's write");
  EXPECT_TRUE(states[0].current);
  EXPECT_EQ(StateKindWords(states[1].kinds), "after save");
  EXPECT_EQ(StateKindWords(states[2].kinds), "game's write");
}

TEST_F(HistoryStoreTest, NamesAStateByItsNumberOrAPrefixOfItsHash) {
  HistoryStore store(database_, 1000);
  const std::string pilot = PilotPath("ace.plt");
  for (int won = 0; won < 3; ++won)
    store.Record(pilot, test::HistoryPilot("Ace", won), {}, StateKind::kRecorded);
  const std::vector<KeptState> states = store.States(pilot);
  EXPECT_EQ(std::get<const KeptState*>(FindKeptState(states, "2"))->number, 2);
  EXPECT_EQ(std::get<const KeptState*>(FindKeptState(states, states[2].hash.substr(0, 6)))->number, 3);
  EXPECT_EQ(std::get<std::string>(FindKeptState(states, "7")), "no state 7: the history holds states 1 to 3");
  EXPECT_EQ(std::get<std::string>(FindKeptState(states, "ab")),
            "\"ab\" names no state: give its number in the list or at least 4 digits of its hash");
}

TEST_F(HistoryStoreTest, ADamagedDatabaseIsSetAsideAndANewOneStarted) {
  const std::string pilot = PilotPath("ace.plt");
  {
    HistoryStore store(database_, 1000);
    store.Record(pilot, test::HistoryPilot("Ace", 1), {}, StateKind::kRecorded);
  }
  for (const char* aside : {".bad", ".bad2"}) {
    {
      std::fstream file(test::PathOfUtf8(database_), std::ios::in | std::ios::out | std::ios::binary);
      constexpr std::string_view kNoHeader = "these bytes are no database header of any kind";
      file.write(kNoHeader.data(), static_cast<std::streamsize>(kNoHeader.size()));
    }
    HistoryStore store(database_, 1000);
    ASSERT_TRUE(store.IsAvailable());
    const std::vector<std::string> warnings = store.TakeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "The history " + database_ +
                               " is damaged (file is not a database); it was kept as " + database_ + aside +
                               " and a new history was started.");
    EXPECT_TRUE(fs::exists(test::PathOfUtf8(database_ + aside)));
    EXPECT_TRUE(store.States(pilot).empty());
    EXPECT_TRUE(store.Record(pilot, test::HistoryPilot("Ace", 2), {}, StateKind::kRecorded));
  }
}

TEST_F(HistoryStoreTest, ADatabaseOfALaterVersionIsLeftAloneAndNothingIsKept) {
  { HistoryStore store(database_, 1000); }
  {
    // A later program's database, made with SQLite's own file format: only its version differs.
    std::fstream file(test::PathOfUtf8(database_), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(60);  // the header's user version, big-endian
    file.write("\0\0\0\x09", 4);
  }
  HistoryStore store(database_, 1000);
  EXPECT_FALSE(store.IsAvailable());
  const std::vector<std::string> warnings = store.TakeWarnings();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("made by a later version of the program (version 9)"), std::string::npos)
      << warnings[0];
  EXPECT_FALSE(store.Record(PilotPath("ace.plt"), test::HistoryPilot("Ace", 1), {}, StateKind::kRecorded));
  EXPECT_FALSE(fs::exists(test::PathOfUtf8(database_ + ".bad")));
}

// Writes the pilot's bytes over the file in place and gives it the modification time `modified`.
void WritePilotAt(const std::string& path, const PilotRecord& pilot, fs::file_time_type modified) {
  ASSERT_TRUE(tools::WriteBytesToFile(path, pilot.BytesOnDisk));
  fs::last_write_time(test::PathOfUtf8(path), modified);
}

// A file left alone since its stamp was kept is its recorded state, unread; a rewrite of the same size,
// or a stamp taken while the file could still change within its clock's granularity, is never trusted.
TEST_F(HistoryStoreTest, OnlyAnUnchangedSettledStampStandsForTheRecordedState) {
  HistoryStore store(database_, 1000);
  const std::string path = PilotPath("ace.plt");
  const PilotRecord first = test::HistoryPilot("Ace", 3), second = test::HistoryPilot("Ace", 4);
  const fs::file_time_type hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
  WritePilotAt(path, first, hourAgo);
  ASSERT_EQ(store.Record(path, first, {}, StateKind::kRecorded, TakeFileStamp(path))->number, 1);
  const auto unchanged = store.UnchangedSince(path, *TakeFileStamp(path), StateKind::kRecorded);
  ASSERT_TRUE(unchanged.has_value());
  EXPECT_EQ(unchanged->number, 1);
  EXPECT_EQ(unchanged->hash, store.States(path)[0].hash);
  EXPECT_FALSE(store.UnchangedSince(path, *TakeFileStamp(path), StateKind::kBeforeSave))
      << "the state was never seen before a save";

  WritePilotAt(path, second, hourAgo + std::chrono::seconds(1));  // the same size, another old time
  EXPECT_FALSE(store.UnchangedSince(path, *TakeFileStamp(path), StateKind::kRecorded));
  EXPECT_EQ(store.Record(path, second, {}, StateKind::kRecorded, TakeFileStamp(path))->number, 2);
  EXPECT_EQ(store.UnchangedSince(path, *TakeFileStamp(path), StateKind::kRecorded)->number, 2);

  // Written just now: its stamp is not kept, and a second write within the same clock tick (the same
  // time) is found when the stamp has settled later.
  const fs::file_time_type now = fs::file_time_type::clock::now();
  WritePilotAt(path, first, now);
  const TakenStamp fresh = *TakeFileStamp(path);
  EXPECT_FALSE(IsSettled(fresh));
  EXPECT_FALSE(store.UnchangedSince(path, fresh, StateKind::kRecorded));
  EXPECT_EQ(store.Record(path, first, {}, StateKind::kRecorded, fresh)->number, 1);
  WritePilotAt(path, second, now);
  TakenStamp later = *TakeFileStamp(path);
  ASSERT_EQ(later.stamp, fresh.stamp);
  later.takenAtNs += 2 * kSettledStampNs;
  EXPECT_FALSE(store.UnchangedSince(path, later, StateKind::kRecorded));
  EXPECT_EQ(store.Record(path, second, {}, StateKind::kRecorded, later)->number, 2);
  EXPECT_TRUE(store.TakeWarnings().empty());
}

// A database of the first version, which had no stamps, keeps its states and gains the stamps' table.
TEST_F(HistoryStoreTest, ADatabaseOfTheFirstVersionIsUpgradedInPlace) {
  const std::string path = PilotPath("ace.plt");
  WritePilotAt(path, test::HistoryPilot("Ace", 3), fs::file_time_type::clock::now() - std::chrono::hours(1));
  { HistoryStore(database_, 1000).Record(path, test::HistoryPilot("Ace", 3), {}, StateKind::kRecorded); }
  {
    SqliteDatabase db(database_, LockWait{std::chrono::milliseconds(1000), {}, {}});
    db.Execute("DROP TABLE pilot_stamps; PRAGMA user_version=1");
  }
  HistoryStore store(database_, 1000);
  ASSERT_TRUE(store.IsAvailable());
  EXPECT_EQ(store.States(path).size(), 1u);
  const std::optional<TakenStamp> stamp = TakeFileStamp(path);
  EXPECT_FALSE(store.UnchangedSince(path, *stamp, StateKind::kRecorded));
  EXPECT_EQ(store.Record(path, test::HistoryPilot("Ace", 3), {}, StateKind::kRecorded, stamp)->number, 1);
  EXPECT_EQ(store.UnchangedSince(path, *stamp, StateKind::kRecorded)->number, 1);
  EXPECT_EQ(store.Check(), std::vector<std::string>{"ok"});
}

#ifndef _WIN32  // POSIX modes and links; Windows keeps the file in the user's own local folder
TEST_F(HistoryStoreTest, TheDatabaseIsTheUsersAloneAndAPilotIsItsRealFile) {
  const mode_t oldMask = ::umask(022);
  HistoryStore store(database_, 1000);
  ::umask(oldMask);
  const std::string pilot = PilotPath("ace.plt");
  const std::string link = dir_.File("link.plt");
  fs::create_symlink(pilot, link);
  store.Record(pilot, test::HistoryPilot("Ace", 1), {}, StateKind::kRecorded);
  store.Record(link, test::HistoryPilot("Ace", 2), {}, StateKind::kRecorded);
  EXPECT_EQ(store.States(pilot).size(), 2u);
  ASSERT_EQ(store.Pilots().size(), 1u);
  EXPECT_EQ(store.Pilots()[0].path, fs::canonical(pilot).string());
  for (const char* file : {"", "-wal", "-shm"}) {
    struct stat info {};
    ASSERT_EQ(::stat((database_ + file).c_str(), &info), 0) << file;
    EXPECT_EQ(info.st_mode & 0777, 0600u) << file;
  }
}

// Two programs record at once, each many states: none is lost, and neither is told of a lock.
TEST_F(HistoryStoreTest, TwoWritersAtOnceLoseNoState) {
  { HistoryStore store(database_, 30000); }
  const std::string pilots[2] = {PilotPath("one.plt"), PilotPath("two.plt")};
  constexpr int kStates = 40;
  pid_t children[2];
  for (int writer = 0; writer < 2; ++writer) {
    children[writer] = ::fork();
    if (children[writer] == 0) {
      HistoryStore store(database_, 30000);
      for (int won = 0; won < kStates; ++won)
        if (!store.Record(pilots[writer], test::HistoryPilot("W", won, writer), {}, StateKind::kRecorded))
          ::_exit(1);
      ::_exit(store.TakeWarnings().empty() ? 0 : 2);
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  HistoryStore store(database_, 30000);
  for (const std::string& pilot : pilots)
    EXPECT_EQ(store.States(pilot).size(), static_cast<std::size_t>(kStates));
  EXPECT_EQ(store.Check(), std::vector<std::string>{"ok"});
}
#endif

}  // namespace
}  // namespace orlenda

// The pilot details update on generated pilot files: what it writes, what it keeps, what it refuses,
// and how it fails.

#include "pilot/pilot_update.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "pilot/campaign_career.h"
#include "pilot/details_changes.h"
#include "pilot/file_layout.h"
#include "pilot/le_int32.h"
#include "pilot/mission_record.h"
#include "pilot/pilot_load.h"
#include "pilot/save_index.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"
#include "update_checks.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;
using test::ChangesOutside;
using test::Int32At;
using test::ReadByteVector;
using test::UpdatableRanges;
using tools::PatchInt32;

constexpr std::uint8_t kFiller = 0xA5;  // every uninterpreted byte, so that a byte wrongly cleared shows

std::size_t SlotOffset(std::size_t slot) { return MissionSlotOffset(field::CampaignMissions, slot); }

// Clears the campaign slots from `first` on, as the game leaves the slots that it has not reached.
void ClearSlotsFrom(std::vector<std::uint8_t>& bytes, std::size_t first) {
  std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(SlotOffset(first)),
            bytes.begin() + static_cast<std::ptrdiff_t>(SlotOffset(kMissionSlotCount)), 0);
}

class PilotUpdateTest : public ::testing::Test {
 protected:
  // A pilot with `missions` campaign records, rank 4, rating 6, status 2, written with filler bytes.
  std::string WritePilot(std::size_t missions, const std::string& name = "pilot.plt") {
    PilotRecord record;
    tools::SetText(record.PilotName, "Keyan");
    record.Rank = 4;
    record.Rating = 6;
    record.KalidorStatus = 2;
    record.TODScoreA = 4711;
    for (std::size_t i = 0; i < missions; ++i) {
      const auto n = static_cast<std::int32_t>(i);
      record.CampaignMissions[i] = tools::PresentMission(1000 + n, 50 + n, 300 + n, 0x1200 + n);
    }
    record.SimMissions[0] = tools::PresentMission(77, 7, 70);
    const std::string path = dir_.File(name);
    EXPECT_TRUE(tools::WriteBytesToFile(path, tools::EncodePilotFile(record, kFiller)));
    return path;
  }

  PilotRecord Load(const std::string& path) {
    LoadResult result = LoadPilotFile(path);
    EXPECT_TRUE(result.Succeeded()) << path;
    return result.record;
  }

  UpdateResult Update(const std::string& path, const PilotDetails& details, PilotRecord& record) {
    return UpdatePilotFile(path, details, record, backups_);
  }

  test::TempDir dir_;
  PilotBackups backups_;
#ifndef _WIN32
  // The index of saves under way, kept in the program's data folder, goes to this test's folder.
  struct DataFolder {
    explicit DataFolder(const std::string& folder) {
      if (const char* old = std::getenv("XDG_DATA_HOME")) old_ = old;
      ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    ~DataFolder() { old_ ? ::setenv("XDG_DATA_HOME", old_->c_str(), 1) : ::unsetenv("XDG_DATA_HOME"); }
    std::optional<std::string> old_;
  } data_{dir_.File("data")};
#endif
};

PilotDetails Details(std::string name, int rank, int rating, int kalidor, std::optional<int> active) {
  return {std::move(name), rank, rating, kalidor, active};
}

// --- What is written, and what is kept ---------------------------------------------------------------

TEST_F(PilotUpdateTest, WritesTheDetailsAndKeepsEveryOtherByte) {
  const std::string path = WritePilot(10);
  PilotRecord record = Load(path);
  const auto before = ReadByteVector(path);

  const UpdateResult result = Update(path, Details("Luke", 5, 12, 3, 10), record);
  ASSERT_TRUE(result.succeeded) << result.message;

  const auto after = ReadByteVector(path);
  EXPECT_EQ(ChangesOutside(before, after, UpdatableRanges(10)), std::vector<std::size_t>{});
  const PilotRecord reloaded = Load(path);
  EXPECT_EQ(FieldText(reloaded.PilotName), "Luke");
  for (std::size_t i = 4; i < kPilotNameSize; ++i) EXPECT_EQ(after[i], 0) << "name byte " << i;
  EXPECT_EQ(reloaded.Rank, 5);
  EXPECT_EQ(reloaded.Rating, 12);
  EXPECT_EQ(reloaded.KalidorStatus, 3);
  EXPECT_EQ(reloaded.TODScoreA, 4711);
  ASSERT_EQ(reloaded.CampaignMissionCount, 10);
  for (std::size_t i = 0; i < 10; ++i)
    EXPECT_EQ(reloaded.CampaignMissions[i], record.CampaignMissions[i]) << i;
  EXPECT_EQ(reloaded.CampaignTotal, record.CampaignTotal);

  // The record takes the written values; its mission entries and counts still describe the load.
  EXPECT_EQ(FieldText(record.PilotName), "Luke");
  EXPECT_EQ(record.Rank, 5);
  EXPECT_EQ(record.Rating, 12);
  EXPECT_EQ(record.KalidorStatus, 3);
  EXPECT_EQ(record.CampaignMissionCount, 10);
}

TEST_F(PilotUpdateTest, WritesOnlyTheDetailsThatChanged) {
  const std::string path = WritePilot(10);
  auto bytes = ReadByteVector(path);
  PatchInt32(bytes, SlotOffset(4) + mission_record::kBonus, 1239);  // not a multiple of ten
  ASSERT_TRUE(tools::WriteBytesToFile(path, bytes));
  PilotRecord record = Load(path);
  const std::pair<PilotDetails, std::vector<ByteRange>> saves[] = {
      {Details("Keyan", 4, 6, 2, 10), {}},
      {Details("Luke", 4, 6, 2, 10), {{0, kPilotNameSize}}},
      {Details("Luke", 5, 6, 2, 10), {{field::Rank.offset, 4}}},
      {Details("Luke", 5, 7, 3, 10), {{field::Rating.offset, 4}, {field::KalidorStatus.offset, 4}}},
  };
  for (const auto& [details, allowed] : saves) {
    const auto before = ReadByteVector(path);
    const UpdateResult result = Update(path, details, record);
    ASSERT_TRUE(result.succeeded) << result.message;
    EXPECT_EQ(result.nothingToUpdate, allowed.empty());
    EXPECT_EQ(ChangesOutside(before, ReadByteVector(path), allowed), std::vector<std::size_t>{});
    if (allowed.empty()) {
      EXPECT_FALSE(fs::exists(PilotBackups::BackupPath(path))) << "no copy for no change";
    }
  }
  EXPECT_EQ(Int32At(ReadByteVector(path), SlotOffset(4) + mission_record::kBonus), 1239)
      << "records the player left alone keep their exact bonus";
}

TEST_F(PilotUpdateTest, LengtheningBuildsOnlyTheNewRecords) {
  const std::string path = WritePilot(10);
  auto bytes = ReadByteVector(path);
  PatchInt32(bytes, SlotOffset(3) + mission_record::kPresenceMark, 0x0BADF00D);
  PatchInt32(bytes, SlotOffset(4) + mission_record::kBonus, 1239);
  ClearSlotsFrom(bytes, 10);
  ASSERT_TRUE(tools::WriteBytesToFile(path, bytes));
  PilotRecord record = Load(path);

  ASSERT_TRUE(Update(path, Details("Keyan", 4, 6, 2, 12), record).succeeded);
  const auto after = ReadByteVector(path);
  EXPECT_EQ(ChangesOutside(bytes, after, {{SlotOffset(10), 3 * kMissionRecordSize}}),
            std::vector<std::size_t>{})
      << "records 0 to 9 keep every byte";
  // Slots 10 and 11 were empty: their presence marks become 1.
  for (const std::size_t slot : {10u, 11u}) {
    EXPECT_EQ(after[SlotOffset(slot)], 0);
    EXPECT_EQ(after[SlotOffset(slot) + mission_record::kCompletedFlag], 1);
    EXPECT_EQ(Int32At(after, SlotOffset(slot) + mission_record::kPresenceMark), 1);
    EXPECT_EQ(Int32At(after, SlotOffset(slot) + mission_record::kScore), 0);
  }
  EXPECT_EQ(Load(path).CampaignMissionCount, 12);
}

TEST_F(PilotUpdateTest, ShortensAndLengthensTheCampaignList) {
  const std::string path = WritePilot(10);
  PilotRecord record = Load(path);
  const auto original = ReadByteVector(path);

  ASSERT_TRUE(Update(path, Details("Keyan", 4, 6, 2, 3), record).succeeded);
  auto after = ReadByteVector(path);
  EXPECT_EQ(ChangesOutside(original, after, {{SlotOffset(3), 7 * kMissionRecordSize}}),
            std::vector<std::size_t>{})
      << "only the records that leave the list are written";
  EXPECT_EQ(std::vector<std::uint8_t>(after.begin() + SlotOffset(3), after.begin() + SlotOffset(10)),
            std::vector<std::uint8_t>(7 * kMissionRecordSize, 0));
  PilotRecord reloaded = Load(path);
  EXPECT_EQ(reloaded.CampaignMissionCount, 3);
  EXPECT_EQ(reloaded.CampaignTotal, 1000 + 50 + 1001 + 51 + 1002 + 52);

  // The record still holds the ten loaded entries: saving with 10 again brings them all back.
  const auto shortened = ReadByteVector(path);
  ASSERT_TRUE(Update(path, Details("Keyan", 4, 6, 2, 10), record).succeeded);
  EXPECT_EQ(ChangesOutside(shortened, ReadByteVector(path), {{SlotOffset(3), 8 * kMissionRecordSize}}),
            std::vector<std::size_t>{});
  reloaded = Load(path);
  ASSERT_EQ(reloaded.CampaignMissionCount, 10);
  EXPECT_EQ(reloaded.CampaignMissions[9], record.CampaignMissions[9]);
}

// A move back clears the records of exactly the missions that its question says lose their scores, and
// nothing past the list that the load read (here filler that the career model counts as held slots).
TEST_F(PilotUpdateTest, AMoveBackClearsExactlyTheMissionsThatItSaysLoseTheirScores) {
  const std::string path = WritePilot(10);
  PilotRecord record = Load(path);
  const auto original = ReadByteVector(path);
  const DetailsChanges move = PlanChanges(Details("Keyan", 4, 6, 2, 3), record);
  EXPECT_EQ(DescribeChanges(move, record).at(1).substr(0, 36), "Missions 4 to 10 lose their scores; ");

  ASSERT_TRUE(Update(path, Details("Keyan", 4, 6, 2, 3), record).succeeded);
  const auto after = ReadByteVector(path);
  EXPECT_EQ(ChangesOutside(original, after, {{SlotOffset(3), 7 * kMissionRecordSize}}),
            std::vector<std::size_t>{});
  const CampaignCareer before = ReadCampaignCareer(original), now = ReadCampaignCareer(after);
  std::vector<int> dropped;
  for (const CampaignSlot& slot : before.slots)
    if (now.SlotAt(slot.slot) == nullptr) dropped.push_back(slot.slot + 1);
  EXPECT_EQ(dropped, (std::vector<int>{4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(now.slots.size(), before.slots.size() - 7);
}

TEST_F(PilotUpdateTest, FirstAndLastActiveMission) {
  const std::string path = WritePilot(10);
  auto bytes = ReadByteVector(path);
  ClearSlotsFrom(bytes, 10);
  ASSERT_TRUE(tools::WriteBytesToFile(path, bytes));
  PilotRecord record = Load(path);
  const auto original = ReadByteVector(path);

  ASSERT_TRUE(Update(path, Details("Keyan", 4, 6, 2, 0), record).succeeded);
  EXPECT_EQ(ChangesOutside(original, ReadByteVector(path), UpdatableRanges(9)), std::vector<std::size_t>{});
  EXPECT_EQ(Load(path).CampaignMissionCount, 0);

  ASSERT_TRUE(Update(path, Details("Keyan", 4, 6, 2, 254), record).succeeded);
  const auto after = ReadByteVector(path);
  EXPECT_EQ(SlotOffset(255), field::SimMissions.offset);
  EXPECT_EQ(ChangesOutside(original, after, UpdatableRanges(254)), std::vector<std::size_t>{})
      << "the simulator list right after slot 254 is untouched";
  const PilotRecord reloaded = Load(path);
  EXPECT_EQ(reloaded.CampaignMissionCount, 254);
  EXPECT_EQ(reloaded.CampaignMissions[253].Score, 0);
  EXPECT_EQ(reloaded.SimMissionCount, 1);
}

TEST_F(PilotUpdateTest, AbsentValuesLeaveTheirFieldsAsTheyAre) {
  PilotRecord full;
  for (std::size_t i = 0; i < kMissionSlotCount; ++i)
    full.CampaignMissions[i] = tools::PresentMission(1, 1, 1);
  auto bytes = tools::EncodePilotFile(full, kFiller);
  PatchInt32(bytes, field::Rank.offset, 9);
  PatchInt32(bytes, field::Rating.offset, -1);
  PatchInt32(bytes, field::KalidorStatus.offset, 7);
  const std::string path = dir_.File("odd.plt");
  ASSERT_TRUE(tools::WriteBytesToFile(path, bytes));
  PilotRecord record = Load(path);

  PilotDetails details = DetailsOfLoadedPilot(record);
  EXPECT_FALSE(details.rank || details.rating || details.kalidorStatus || details.activeMission)
      << "out-of-list values and 255 records leave the boxes without a chosen item";
  details.name = "Renamed";
  ASSERT_TRUE(Update(path, details, record).succeeded);

  const auto after = ReadByteVector(path);
  EXPECT_EQ(ChangesOutside(bytes, after, {{0, kPilotNameSize}}), std::vector<std::size_t>{});
  const PilotRecord reloaded = Load(path);
  EXPECT_EQ(FieldText(reloaded.PilotName), "Renamed");
  EXPECT_EQ(reloaded.Rank, 9);
  EXPECT_EQ(record.Rank, 9);
  EXPECT_EQ(reloaded.CampaignMissionCount, 255);
}

// --- Refusals: nothing is written --------------------------------------------------------------------

TEST_F(PilotUpdateTest, RefusedDetailsWriteNothing) {
  const std::string path = WritePilot(2);
  PilotRecord record = Load(path);
  const auto original = ReadByteVector(path);
  const std::pair<PilotDetails, std::string> refused[] = {
      {Details("Han \xE4\xB8\xAD", 4, 6, 2, 2),
       "The name \"Han \xE4\xB8\xAD\" cannot be stored in a pilot file"},
      {Details("ThirteenChars", 4, 6, 2, 2), "The name \"ThirteenChars\" is longer than 12 characters."},
      {Details("Two\r\nLines\x7F", 4, 6, 2, 2),
       "The name \"Two\\x0D\\x0ALines\\x7F\" holds a control character, which a pilot name cannot hold."},
      {Details("Keyan", 9, 6, 2, 2), "The rank 9 is outside its list (0 to 8)."},
      {Details("Keyan", 4, -1, 2, 2), "The rating -1 is outside its list (0 to 24)."},
      {Details("Keyan", 4, 6, 7, 2), "The Kalidor Crescent status 7 is outside its list (0 to 6)."},
      {Details("Keyan", 4, 6, 2, 255), "The active mission 255 is outside its list (0 to 254)."},
      // Slot 3 holds filler past the terminating record at slot 2: a record that the load did not read.
      {Details("Keyan", 4, 6, 2, 3),
       "The active mission cannot move to 4: the move would overwrite records past the end of the campaign "
       "list, which the load did not read: 04 - Sticking it to the Viraxos: Covert Delivery (score "
       "-1,515,870,811)."},
  };
  for (const auto& [details, message] : refused) {
    const UpdateResult result = Update(path, details, record);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.message.substr(0, message.size()), message);
  }
  EXPECT_EQ(ReadByteVector(path), original);
  EXPECT_FALSE(fs::exists(PilotBackups::BackupPath(path)));
  EXPECT_EQ(FieldText(record.PilotName), "Keyan");
}

TEST_F(PilotUpdateTest, NamesOfTwelveAndThirteenCharacters) {
  const std::string path = WritePilot(1);
  PilotRecord record = Load(path);
  ASSERT_TRUE(Update(path, Details("Twelve Chars", 4, 6, 2, 1), record).succeeded);
  auto after = ReadByteVector(path);
  EXPECT_EQ(std::string(after.begin(), after.begin() + 13), std::string("Twelve Chars\0", 13));

  ASSERT_TRUE(Update(path, Details("Caf\xC3\xA9\xE2\x82\xAC", 4, 6, 2, 1), record).succeeded);
  after = ReadByteVector(path);
  EXPECT_EQ(std::string(after.begin(), after.begin() + 6), std::string("Caf\xE9\x80\0", 6))
      << "as Windows-1252";

  // A 13-character name that the file already holds is written back unchanged; a new one is refused.
  auto bytes = ReadByteVector(path);
  std::copy_n("ThirteenChars", 13, bytes.begin());
  ASSERT_TRUE(tools::WriteBytesToFile(path, bytes));
  record = Load(path);
  ASSERT_TRUE(Update(path, DetailsOfLoadedPilot(record), record).succeeded);
  EXPECT_EQ(ReadByteVector(path), bytes);
  EXPECT_FALSE(Update(path, Details("ThirteenCharZ", 4, 6, 2, 1), record).succeeded);
}

// --- Files that cannot be written -------------------------------------------------------------------

TEST_F(PilotUpdateTest, FilesGoneReplacedOrChangedAreReportedByName) {
  const std::string path = WritePilot(3);
  PilotRecord record = Load(path);
  const PilotDetails details = Details("Keyan", 5, 6, 2, 3);

  const std::string folder = dir_.File("folder.plt");
  fs::create_directory(folder);
  UpdateResult result = Update(folder, details, record);
  EXPECT_FALSE(result.succeeded);
  EXPECT_EQ(result.message,
            "Unable to open " + folder + " for writing: Is a directory. Nothing was written.");

  const std::string gone = dir_.File("gone.plt");
  result = Update(gone, details, record);
  EXPECT_FALSE(result.succeeded);
  EXPECT_FALSE(fs::exists(gone)) << "the update never creates a file";
  EXPECT_NE(result.message.find(gone), std::string::npos);

  ASSERT_TRUE(tools::WriteBytesToFile(path, std::vector<std::uint8_t>(1000, 0)));
  result = Update(path, details, record);
  EXPECT_FALSE(result.succeeded);
  EXPECT_EQ(result.message,
            path +
                " has 1000 bytes now, not the 152,076 bytes of a pilot file; it has changed since "
                "it was loaded. Nothing was written.");
  EXPECT_EQ(ReadByteVector(path).size(), 1000u);
}

TEST_F(PilotUpdateTest, FileChangedByAnotherProgramSinceTheLoadIsNotOverwritten) {
  const std::string path = WritePilot(3);
  PilotRecord record = Load(path);
  auto bytes = ReadByteVector(path);
  // The game saved after another mission: a mission score and the rank, fields the update writes.
  PatchInt32(bytes, SlotOffset(1) + mission_record::kScore, 9999);
  PatchInt32(bytes, field::Rank.offset, 7);
  ASSERT_TRUE(tools::WriteBytesToFile(path, bytes));

  const UpdateResult result = Update(path, Details("Keyan", 5, 6, 2, 1), record);
  EXPECT_FALSE(result.succeeded);
  EXPECT_EQ(result.message,
            path +
                " has been changed by another program since it was loaded or last saved. Open it again "
                "before saving. Nothing was written.");
  EXPECT_EQ(ReadByteVector(path), bytes);
  EXPECT_FALSE(fs::exists(PilotBackups::BackupPath(path)));
  // The check that runs before the player is asked says the same, and so does a file gone.
  EXPECT_EQ(ChangedSinceLoaded(path, record), result.message);
  fs::remove(path);
  EXPECT_TRUE(ChangedSinceLoaded(path, record).has_value());
}

// The question names what a move of the active mission costs: the missions whose scores leave the
// list, and the campaign total (score + bonus) before and after, or that added missions get no score.
TEST_F(PilotUpdateTest, MissionMovesNameWhatTheyCost) {
  PilotRecord record = Load(WritePilot(3));
  EXPECT_TRUE(ChangedSinceLoaded(record.PilotFileName, record) == std::nullopt);
  const auto describe = [&record](int active) {
    return DescribeChanges(PlanChanges(Details("Keyan", 4, 6, 2, active), record), record);
  };
  EXPECT_EQ(describe(1), (std::vector<std::string>{
                             "Active mission: 4 \u2192 2 (2 completed missions leave the list)",
                             "Missions 2 and 3 lose their scores; a later move forward does not bring them "
                             "back (campaign total 3,156 \u2192 1,050)."}));
  EXPECT_EQ(describe(2).at(1),
            "Mission 3 loses its score; a later move forward does not bring it back (campaign total 3,156 "
            "\u2192 2,102).");
  EXPECT_EQ(describe(4).at(1), "Mission 4 gets no score (campaign total 3,156 \u2192 3,156).");
  EXPECT_EQ(describe(10).at(1), "Missions 4 to 10 get no score (campaign total 3,156 \u2192 3,156).");

  // After a move back is saved, a move forward writes the loaded entries again: the cost counts them.
  ASSERT_TRUE(Update(record.PilotFileName, Details("Keyan", 4, 6, 2, 1), record).succeeded);
  EXPECT_EQ(describe(3).at(1),
            "Missions 2 and 3 get back the scores that the load read (campaign total 1,050 \u2192 3,156).");
  EXPECT_EQ(
      describe(5).at(1),
      "Missions 2 and 3 get back the scores that the load read; missions 4 and 5 get no score (campaign "
      "total 1,050 \u2192 3,156).");
}

#ifndef _WIN32  // POSIX permissions and file size limits
TEST_F(PilotUpdateTest, ReadOnlyFileIsReportedAndLeftUnchanged) {
  if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not stop the superuser";
  const std::string path = WritePilot(3);
  PilotRecord record = Load(path);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  const auto original = ReadByteVector(path);
  const UpdateResult result = Update(path, Details("Keyan", 5, 6, 2, 3), record);
  EXPECT_FALSE(result.succeeded);
  EXPECT_EQ(result.message,
            "Unable to open " + path + " for writing: Permission denied. Nothing was written.");
  EXPECT_EQ(ReadByteVector(path), original);
}

// Lets the process write only below `limit` bytes into any file, while it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST_F(PilotUpdateTest, FailedWriteIsNeverReportedAsSuccess) {
  const std::string path = WritePilot(3);
  PilotRecord record = Load(path);
  ASSERT_TRUE(Update(path, Details("First", 4, 6, 2, 3), record).succeeded);

  UpdateResult result;
  {
    const FileSizeLimit limit(1000);  // the name still fits below it, the campaign list does not
    result = Update(path, Details("Second", 5, 6, 2, 3), record);
  }
  EXPECT_FALSE(result.succeeded);
  EXPECT_EQ(result.message, "Unable to write to " + path +
                                ": File too large. The file may be only partly updated; " + path +
                                ".bak holds it as it was before this run first saved it.");
  EXPECT_EQ(FieldText(record.PilotName), "First") << "the record keeps the last values that were written";
  EXPECT_EQ(record.Rank, 4);
}
#endif

// --- The backup ---------------------------------------------------------------------------------------

TEST_F(PilotUpdateTest, BackupHoldsTheFileAsItWasBeforeThisRunFirstSavedIt) {
  const std::string path = WritePilot(3);
  const std::string backup = PilotBackups::BackupPath(path);
  EXPECT_EQ(backup, dir_.File("pilot.plt.bak"));
  PilotRecord record = Load(path);
  const auto original = ReadByteVector(path);

  ASSERT_TRUE(Update(path, Details("First", 4, 6, 2, 3), record).succeeded);
  EXPECT_EQ(ReadByteVector(backup), original);
  ASSERT_TRUE(Update(path, Details("Second", 4, 6, 2, 3), record).succeeded);
  EXPECT_EQ(ReadByteVector(backup), original) << "later saves of the same run keep the first copy";

  // The next run replaces the copy with the file as that run found it.
  const auto beforeNextRun = ReadByteVector(path);
  PilotBackups nextRun;
  ASSERT_TRUE(UpdatePilotFile(path, Details("Third", 4, 6, 2, 3), record, nextRun).succeeded);
  EXPECT_EQ(ReadByteVector(backup), beforeNextRun);
}

#ifndef _WIN32  // pipes, links and file size limits
TEST_F(PilotUpdateTest, WhatStandsAtTheBackupNameIsNeverWrittenThrough) {
  const std::string path = WritePilot(3);
  const std::string backup = PilotBackups::BackupPath(path);
  const std::string other = WritePilot(5, "other.plt");
  const auto otherBytes = ReadByteVector(other);
  const std::pair<std::function<void()>, std::string> refusals[] = {
      {[&] { fs::create_directory(backup); }, "a folder has that name"},
      {[&] { ASSERT_EQ(::mkfifo(backup.c_str(), 0600), 0); }, "a device, pipe or socket has that name"},
  };
  for (const auto& [place, reason] : refusals) {
    place();
    PilotRecord record = Load(path);
    const auto original = ReadByteVector(path);
    PilotBackups run;
    const UpdateResult result = UpdatePilotFile(path, Details("Luke", 5, 6, 2, 0), record, run);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.message, "Unable to keep a copy of " + path + " as " + backup + " (" + reason +
                                  "), so nothing was written to the pilot file.");
    EXPECT_EQ(ReadByteVector(path), original);
    fs::remove(backup);
  }

  // A link is replaced by a real copy: neither the pilot nor the file it names is written through it.
  for (const std::string& target : {path, other}) {
    fs::create_symlink(target, backup);
    PilotRecord record = Load(path);
    const auto original = ReadByteVector(path);
    PilotBackups run;
    ASSERT_TRUE(UpdatePilotFile(path, Details("Luke", 5, 6, 2, 0), record, run).succeeded);
    EXPECT_FALSE(fs::is_symlink(backup));
    EXPECT_EQ(ReadByteVector(backup), original);
    EXPECT_EQ(FieldText(Load(path).PilotName), "Luke");
    EXPECT_EQ(ReadByteVector(other), otherBytes);
    fs::remove(backup);
    ASSERT_TRUE(UpdatePilotFile(path, Details("Keyan", 4, 6, 2, 3), record, run).succeeded);
  }
}

TEST_F(PilotUpdateTest, CopyPromisedByAFailedSaveIsKeptUntilASaveSucceeds) {
  const std::string path = WritePilot(3);
  const std::string backup = PilotBackups::BackupPath(path);
  const auto original = ReadByteVector(path);
  // Two runs in a row fail part way: the name fits below the limit, the rank does not. The first
  // saved once before, so that its copy exists; the second keeps that copy instead of making one.
  PilotBackups firstRun;
  PilotBackups secondRun;
  for (auto [name, run] : {std::pair{"First", &firstRun}, std::pair{"Second", &secondRun}}) {
    PilotRecord record = Load(path);
    if (run == &firstRun) {
      ASSERT_TRUE(UpdatePilotFile(path, Details("Zero", 4, 6, 2, 3), record, *run).succeeded);
    }
    UpdateResult result;
    {
      const FileSizeLimit limit(1000);
      result = UpdatePilotFile(path, Details(name, 5, 6, 2, 3), record, *run);
    }
    // The second run's copy is the first run's: the message says which state it holds.
    const std::string holds = run == &firstRun ? " holds it as it was before this run first saved it."
                                               : " holds it as it was before an earlier save that did not "
                                                 "end first changed it.";
    EXPECT_EQ(result.message, "Unable to write to " + path +
                                  ": File too large. The file may be only partly updated; " + backup + holds);
    EXPECT_EQ(FieldText(Load(path).PilotName), name) << "partly written";
    EXPECT_EQ(ReadByteVector(backup), original) << "the copy that the message promised";
  }

  // A run that succeeds keeps the promised copy; the run after it may replace it again.
  PilotRecord record = Load(path);
  PilotBackups succeeding;
  ASSERT_TRUE(UpdatePilotFile(path, Details("Third", 5, 6, 2, 3), record, succeeding).succeeded);
  EXPECT_EQ(ReadByteVector(backup), original);
  EXPECT_FALSE(fs::exists(PilotBackups::KeepMarkerPath(path)));
  const auto beforeNextRun = ReadByteVector(path);
  PilotBackups nextRun;
  ASSERT_TRUE(UpdatePilotFile(path, Details("Fourth", 5, 6, 2, 3), record, nextRun).succeeded);
  EXPECT_EQ(ReadByteVector(backup), beforeNextRun);
}
// A private pilot's backup is as private as the pilot, whatever the umask.
TEST_F(PilotUpdateTest, TheBackupTakesThePilotsMode) {
  const std::string path = WritePilot(3);
  ::chmod(path.c_str(), 0600);
  const mode_t oldMask = ::umask(022);
  PilotRecord record = Load(path);
  const bool saved = Update(path, Details("Private", 4, 6, 2, 3), record).succeeded;
  ::umask(oldMask);
  ASSERT_TRUE(saved);
  struct stat info {};
  ASSERT_EQ(::stat(PilotBackups::BackupPath(path).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

// A save stopped between its range writes: the size limit's signal, left at its default, kills the
// process at the write past the limit, after the name and before the campaign list.
void KillASaveBetweenItsWrites(const std::string& path, PilotRecord record) {
  const pid_t child = ::fork();
  if (child == 0) {
    PilotBackups run;
    UpdatePilotFile(path, Details("Zero", 4, 6, 2, 3), record, run);
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    UpdatePilotFile(path, Details("Killed", 5, 6, 2, 3), record, run);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the save must die part way";
}

TEST_F(PilotUpdateTest, ASaveKilledBetweenItsWritesLeavesTheOriginalBackupToTheNextSave) {
  const std::string path = WritePilot(3);
  const std::string backup = PilotBackups::BackupPath(path);
  const auto original = ReadByteVector(path);
  KillASaveBetweenItsWrites(path, Load(path));
  EXPECT_EQ(FieldText(Load(path).PilotName), "Killed") << "half-written";

  PilotRecord halfWritten = Load(path);
  PilotBackups nextRun;
  ASSERT_TRUE(UpdatePilotFile(path, Details("Killed", 2, 6, 2, 3), halfWritten, nextRun).succeeded);
  EXPECT_EQ(ReadByteVector(backup), original) << "a half-written state never replaces the copy";
  EXPECT_FALSE(fs::exists(PilotBackups::KeepMarkerPath(path)));
}

// The marker of the killed save, then damaged or replaced: it may still be the note of that save, so
// no later save touches the copy or the file until the player has looked.
TEST_F(PilotUpdateTest, AMarkerThatCannotBeReadWholeStopsEverySave) {
  const std::string path = WritePilot(3);
  const std::string backup = PilotBackups::BackupPath(path);
  const std::string marker = PilotBackups::KeepMarkerPath(path);
  const auto original = ReadByteVector(path);
  KillASaveBetweenItsWrites(path, Load(path));
  const std::string note = test::ReadBytes(marker);
  const auto halfWritten = ReadByteVector(path);
  const std::string kOlderForm =
      "it is in the form that an earlier version of this program wrote, which this version does not read";
  std::string changedWord = note;
  changedWord.replace(changedWord.find("write "), 5, "wrote");
  const std::pair<std::string, std::function<void()>> damages[] = {
      {"it is damaged or cut short", [&] { test::WriteBytes(marker, note.substr(0, 150)); }},
      {"it is damaged or cut short", [&] { test::WriteBytes(marker, ""); }},
      {"it is damaged or cut short", [&] { test::WriteBytes(marker, changedWord); }},
      {kOlderForm,
       [&] {
         test::WriteBytes(marker, backup + " holds " + path +
                                      " as it was before a save that failed. It is kept until a save of "
                                      "the file succeeds.\n");
       }},
      {kOlderForm, [&] { test::WriteBytes(marker, note.substr(0, note.rfind("end "))); }},
      {"it is a link", [&] { fs::create_symlink(path + ".elsewhere", marker); }},
      {"it is a folder", [&] { fs::create_directory(marker); }},
      {"it is a device, pipe or socket", [&] { ASSERT_EQ(::mkfifo(marker.c_str(), 0600), 0); }},
      {"it cannot be read (larger than " + std::to_string(4 * kPilotFileSize + 64 * 1024) + " bytes)",
       [&] {
         test::WriteBytes(marker, note);
         fs::resize_file(marker, std::uintmax_t{1} << 30);  // sparse: refused by its size, never read
       }},
  };
  for (const auto& [found, damage] : damages) {
    SCOPED_TRACE(found);
    fs::remove(marker);
    damage();
    PilotRecord record = Load(path);
    PilotBackups nextRun;
    const UpdateResult result = UpdatePilotFile(path, Details("Second", 4, 6, 2, 3), record, nextRun);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.message,
              "Unable to save " + path + ": " + marker +
                  " is not a note of a save that this program can read (" + found +
                  "). It may be the note of a save that did not end, so nothing was written and " + backup +
                  " is kept as it is: it may hold the file as it was before that save. " + "Check " + path +
                  "; if it is sound, remove " + marker + " and save again; if not, restore it from " +
                  backup + ".");
    EXPECT_EQ(ReadByteVector(backup), original);
    EXPECT_EQ(ReadByteVector(path), halfWritten);
  }
}

// Two names of one file share its copy: the marker left by a save through a link keeps the copy
// beside the real file for a save through the real name.
TEST_F(PilotUpdateTest, EveryNameOfAFileSharesOneBackup) {
  fs::create_directories(dir_.path() / "a");
  fs::create_directories(dir_.path() / "b");
  const std::string real = WritePilot(3, "b/real.plt");
  const std::string link = dir_.File("a/link.plt");
  fs::create_symlink("../b/real.plt", link);
  const auto original = ReadByteVector(real);
  KillASaveBetweenItsWrites(link, Load(link));
  EXPECT_EQ(PilotBackups::BackupPath(link), real + ".bak");
  EXPECT_FALSE(fs::exists(link + ".bak.keep"));

  PilotRecord halfWritten = Load(real);
  PilotBackups nextRun;
  ASSERT_TRUE(UpdatePilotFile(real, Details("Killed", 2, 6, 2, 3), halfWritten, nextRun).succeeded);
  EXPECT_EQ(ReadByteVector(real + ".bak"), original);
  EXPECT_FALSE(fs::exists(link + ".bak"));
}

// Two hard links of one file: a save through the second name while the note of a killed save through
// the first stands keeps that save's copy, the original, and never makes a copy of its own from the
// half-written file.
TEST_F(PilotUpdateTest, HardLinksShareTheCopyOfAnUnfinishedSave) {
  const std::string real = WritePilot(3, "real.plt");
  const std::string other = dir_.File("other.plt");
  fs::create_hard_link(real, other);
  const auto original = ReadByteVector(real);
  KillASaveBetweenItsWrites(real, Load(real));

  PilotRecord halfWritten = Load(other);
  PilotBackups nextRun;
  const UpdateResult result = UpdatePilotFile(other, Details("Other", 2, 6, 2, 3), halfWritten, nextRun);
  ASSERT_TRUE(result.succeeded) << result.message;
  EXPECT_EQ(ReadByteVector(real + ".bak"), original);
  EXPECT_FALSE(fs::exists(other + ".bak"));
  EXPECT_FALSE(fs::exists(real + ".bak.keep")) << "the shared note ends with the save";
  EXPECT_FALSE(fs::exists(other + ".bak.keep"));
}

// The same with the second name in another folder: the save through it finds the first name's note
// through the index of saves under way, keeps the original and clears the entry when it ends.
TEST_F(PilotUpdateTest, HardLinksInOtherFoldersShareTheCopyOfAnUnfinishedSave) {
  fs::create_directories(dir_.path() / "a");
  fs::create_directories(dir_.path() / "b");
  const std::string real = WritePilot(3, "a/real.plt");
  const std::string other = dir_.File("b/other.plt");
  fs::create_hard_link(real, other);
  const std::string entry = SaveIndexEntry(*SystemFile::IdentityOf(real));
  const auto original = ReadByteVector(real);
  KillASaveBetweenItsWrites(real, Load(real));
  ASSERT_TRUE(fs::exists(entry)) << "written before the note beside the copy";

  PilotRecord halfWritten = Load(other);
  PilotBackups nextRun;
  const UpdateResult result = UpdatePilotFile(other, Details("Other", 2, 6, 2, 3), halfWritten, nextRun);
  ASSERT_TRUE(result.succeeded) << result.message;
  EXPECT_EQ(result.warning, "");
  EXPECT_EQ(ReadByteVector(real + ".bak"), original);
  EXPECT_FALSE(fs::exists(other + ".bak"));
  EXPECT_FALSE(fs::exists(real + ".bak.keep"));
  EXPECT_FALSE(fs::exists(other + ".bak.keep"));
  EXPECT_FALSE(fs::exists(entry)) << "cleared once the note is gone";
}

// An entry of the index that no longer holds (the name's note is gone, or the name now leads to
// another file) is ignored: the save keeps its own copy, and the files the entry names are untouched.
TEST_F(PilotUpdateTest, AStaleEntryOfTheIndexIsIgnored) {
  fs::create_directories(dir_.path() / "a");
  fs::create_directories(dir_.path() / "b");
  const std::string real = WritePilot(3, "a/real.plt");
  const std::string other = dir_.File("b/other.plt");
  fs::create_hard_link(real, other);
  const std::string stranger = WritePilot(3, "a/stranger.plt");
  test::WriteBytes(stranger + ".bak.keep", "a note of another file");
  const std::string entry = SaveIndexEntry(*SystemFile::IdentityOf(real));
  for (const std::string& noted : {real, stranger}) {
    SCOPED_TRACE(noted);
    fs::remove(other + ".bak");
    fs::create_directories(fs::path(entry).parent_path());
    test::WriteBytes(entry, noted);
    const auto before = ReadByteVector(other);
    PilotRecord record = Load(other);
    PilotBackups run;
    ASSERT_TRUE(UpdatePilotFile(other, Details(noted == real ? "Own" : "Own again", 2, 6, 2, 3), record, run)
                    .succeeded);
    EXPECT_EQ(ReadByteVector(other + ".bak"), before);
    EXPECT_FALSE(fs::exists(real + ".bak"));
    EXPECT_FALSE(fs::exists(stranger + ".bak"));
    EXPECT_EQ(test::ReadBytes(stranger + ".bak.keep"), "a note of another file");
    EXPECT_FALSE(fs::exists(entry));
  }
}

// An index that cannot be written does not stop the save of a file with two names; the player is
// told, after the save and in the message of a save that fails part way, that its names in other
// folders would not find the copy.
TEST_F(PilotUpdateTest, AnIndexThatCannotBeWrittenIsReported) {
  const std::string real = WritePilot(3, "real.plt");
  fs::create_hard_link(real, dir_.File("other.plt"));
  test::WriteBytes(dir_.File("data"), "a file where the data folder would be");
  const std::string lost = "the note that leads this file's names in other folders to " + real +
                           ".bak could not be kept: " + SaveIndexEntry(*SystemFile::IdentityOf(real)) +
                           " could not be written (the folder could not be made)";
  PilotRecord record = Load(real);
  const UpdateResult saved = Update(real, Details("Saved", 2, 6, 2, 3), record);
  ASSERT_TRUE(saved.succeeded) << saved.message;
  EXPECT_EQ(saved.warning, "The save of " + real + " ended, but " + lost +
                               ". Had it stopped part way, a save through such a name would have made a "
                               "copy of its own from the half-written file.");
  EXPECT_FALSE(fs::exists(real + ".bak.keep"));
  EXPECT_EQ(FieldText(Load(real).PilotName), "Saved");

  const FileSizeLimit limit(1000);  // the note beside the copy is written, the rank is not
  const UpdateResult failed = Update(real, Details("Failed", 5, 6, 2, 3), record);
  EXPECT_FALSE(failed.succeeded);
  EXPECT_TRUE(failed.message.ends_with(" Save it again through " + real + " only: " + lost + "."))
      << failed.message;
}

// After a failed save, the game rewrites the file (a mission flown): that is a whole state again, and
// the next save backs it up.
TEST_F(PilotUpdateTest, AFileRewrittenByAnotherProgramAfterAFailedSaveIsBackedUpByTheNextSave) {
  const std::string path = WritePilot(3);
  PilotRecord record = Load(path);
  PilotBackups failingRun;
  ASSERT_TRUE(UpdatePilotFile(path, Details("Zero", 4, 6, 2, 3), record, failingRun).succeeded);
  {
    const FileSizeLimit limit(1000);
    ASSERT_FALSE(UpdatePilotFile(path, Details("Failed", 5, 6, 2, 3), record, failingRun).succeeded);
  }
  ASSERT_TRUE(fs::exists(PilotBackups::KeepMarkerPath(path)));
  auto rewritten = ReadByteVector(path);
  rewritten[kPilotFileSize - 1] ^= 0x5A;  // a byte that no save of ours writes
  test::WriteBytes(path, std::string(rewritten.begin(), rewritten.end()));

  PilotRecord afterMission = Load(path);
  PilotBackups nextRun;
  ASSERT_TRUE(UpdatePilotFile(path, Details("Next", 2, 6, 2, 3), afterMission, nextRun).succeeded);
  EXPECT_EQ(ReadByteVector(PilotBackups::BackupPath(path)), rewritten);
}
#endif

// An earlier state written whole through the save path: the file becomes it byte for byte, the backup
// holds the file as the write found it, and a file changed since it was read is refused untouched.
TEST_F(PilotUpdateTest, AnEarlierStateIsWrittenBackWholeWithItsBackup) {
  const std::string earlierPath = WritePilot(8, "earlier.plt");
  const auto earlier = ReadByteVector(earlierPath);
  const std::string path = WritePilot(3);
  const auto before = ReadByteVector(path);
  PilotRecord record = Load(path);

  PilotRecord stale = record;
  ASSERT_TRUE(WritePilotImage(path, earlier, record, backups_).succeeded);
  EXPECT_EQ(ReadByteVector(path), earlier);
  EXPECT_EQ(ReadByteVector(PilotBackups::BackupPath(path)), before);
  EXPECT_EQ(record.BytesOnDisk, earlier);
  EXPECT_FALSE(fs::exists(PilotBackups::KeepMarkerPath(path)));

  const UpdateResult refused =
      WritePilotImage(path, ReadByteVector(WritePilot(5, "third.plt")), stale, backups_);
  EXPECT_FALSE(refused.succeeded);
  EXPECT_NE(refused.message.find("has been changed by another program"), std::string::npos)
      << refused.message;
  EXPECT_EQ(ReadByteVector(path), earlier);
  EXPECT_TRUE(WritePilotImage(path, earlier, record, backups_).nothingToUpdate);
}

}  // namespace
}  // namespace orlenda

// Round trips of the pilot details update on copies of pilot files written by the game itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "pilot/campaign_move.h"
#include "pilot/enumerations.h"
#include "pilot/file_layout.h"
#include "pilot/pilot_load.h"
#include "pilot/pilot_update.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "update_checks.h"

namespace orlenda {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> RealPilotCopies(const fs::path& from, const fs::path& to) {
  std::vector<fs::path> copies;
  for (const auto& entry : fs::directory_iterator(from)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".plt") continue;
    const fs::path copy = to / entry.path().filename();
    fs::copy_file(entry.path(), copy);
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write);
    copies.push_back(copy);
  }
  std::sort(copies.begin(), copies.end());
  return copies;
}

// Saves `details` and returns the offsets at which the file changed outside
// `allowed` (at most ten).
std::vector<std::size_t> SaveAndCompare(const std::string& path, PilotRecord& record, PilotBackups& backups,
                                        const PilotDetails& details, const std::vector<ByteRange>& allowed) {
  const auto before = test::ReadByteVector(path);
  const UpdateResult result = UpdatePilotFile(path, details, record, backups);
  EXPECT_TRUE(result.succeeded) << result.message;
  return test::ChangesOutside(before, test::ReadByteVector(path), allowed);
}

TEST(RealPilotsUpdate, EachSaveChangesOnlyWhatThePlayerChanged) {
  const fs::path dir = test::RealPilotsDir();
  if (dir.empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  test::TempDir temp;
  const auto copies = RealPilotCopies(dir, temp.path());
  ASSERT_FALSE(copies.empty());
  for (const fs::path& copy : copies) {
    SCOPED_TRACE(copy.filename().string());
    const std::string path = copy.string();
    const auto original = test::ReadByteVector(path);
    LoadResult loaded = LoadPilotFile(path);
    ASSERT_TRUE(loaded.Succeeded());
    PilotRecord& record = loaded.record;
    PilotBackups backups;  // one run of the program saves this pilot five times
    PilotDetails details = DetailsOfLoadedPilot(record);
    const int count = record.CampaignMissionCount;

    EXPECT_EQ(SaveAndCompare(path, record, backups, details, {}), std::vector<std::size_t>{});
    EXPECT_FALSE(fs::exists(PilotBackups::BackupPath(path)));
    details.name = "Rookie One";
    EXPECT_EQ(SaveAndCompare(path, record, backups, details, {{field::PilotName.offset, kPilotNameSize}}),
              std::vector<std::size_t>{});
    details.rank = (record.Rank + 1) % 9;
    EXPECT_EQ(SaveAndCompare(path, record, backups, details, {{field::Rank.offset, 4}}),
              std::vector<std::size_t>{});

    // Shortening clears the records that leave the list; lengthening again writes the records after it.
    if (count == 0 || count == 255) continue;
    const int shorter = count / 2;
    details.activeMission = shorter;
    const std::size_t slot = MissionSlotOffset(field::CampaignMissions, static_cast<std::size_t>(shorter));
    EXPECT_EQ(SaveAndCompare(path, record, backups, details,
                             {{slot, kMissionRecordSize * static_cast<std::size_t>(count - shorter)}}),
              std::vector<std::size_t>{});
    details.activeMission = std::min(count + 5, 254);
    const std::size_t written =
        kMissionRecordSize * static_cast<std::size_t>(*details.activeMission + 1 - shorter);
    EXPECT_EQ(SaveAndCompare(path, record, backups, details, {{slot, written}}), std::vector<std::size_t>{});

    const LoadResult reloaded = LoadPilotFile(path);
    ASSERT_TRUE(reloaded.Succeeded());
    EXPECT_EQ(reloaded.record.CampaignMissionCount, *details.activeMission);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i)
      EXPECT_EQ(reloaded.record.CampaignMissions[i].Score, record.CampaignMissions[i].Score) << i;
    EXPECT_EQ(reloaded.record.SimMissionCount, record.SimMissionCount);
    EXPECT_EQ(test::ReadByteVector(PilotBackups::BackupPath(path)), original)
        << "the copy from before the first save";
  }
}

// The total conversion's pilot holds its campaign from slot 3, past the end of the list that the load
// reads: a move of the active mission over it is refused, a rename writes the name alone.
TEST(RealPilotsUpdate, MoveOverRecordsPastTheListIsRefusedAndRenameWritesTheName) {
  const fs::path dir = test::RealPilotsDir();
  if (dir.empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  test::TempDir temp;
  const std::string path = temp.File("PickledYoda0.plt");
  fs::copy_file(dir / "PickledYoda0.plt", path);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  const auto original = test::ReadByteVector(path);
  LoadResult loaded = LoadPilotFile(path);
  ASSERT_TRUE(loaded.Succeeded());
  PilotRecord& record = loaded.record;
  PilotBackups backups;

  EXPECT_EQ(FurthestActiveMission(record), 2);
  EXPECT_EQ(
      ActiveMissionLimitNote(record),
      "The active mission cannot move past mission 3: mission 4 (battle 1, mission 1) holds a record past "
      "the end of the campaign list (total conversion), which a move there would overwrite.");
  PilotDetails details = DetailsOfLoadedPilot(record);
  details.activeMission = 5;
  const UpdateResult refused = UpdatePilotFile(path, details, record, backups);
  EXPECT_FALSE(refused.succeeded);
  EXPECT_EQ(
      refused.message,
      "The active mission cannot move to 6: the move would overwrite records past the end of the campaign "
      "list, which the load did not read: mission 4 (battle 1, mission 1: score 2,490), mission 5 (battle 1, "
      "mission 2: score 2,013) and mission 6 (battle 1, mission 3: score 4,194).");
  EXPECT_EQ(test::ReadByteVector(path), original);
  EXPECT_FALSE(fs::exists(PilotBackups::BackupPath(path)));

  details.activeMission = 2;  // slots 0 and 1 and the terminating record at 2 are empty
  EXPECT_FALSE(CheckPilotDetails(details, record));
  details.activeMission = 0;
  details.name = "Rookie One";
  EXPECT_EQ(SaveAndCompare(path, record, backups, details, {{field::PilotName.offset, kPilotNameSize}}),
            std::vector<std::size_t>{});
}

}  // namespace
}  // namespace orlenda

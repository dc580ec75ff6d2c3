// Round trips of the pilot details update on copies of pilot files written by the game itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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

// The bytes that may change: name, enumerations, the bytes of each completed record that the update
// defines (tag byte, completed flag, presence mark, score, time, bonus) and the whole terminating slot.
std::vector<ByteRange> DefinedBytes(std::size_t activeMission) {
  std::vector<ByteRange> ranges = test::UpdatableRanges(std::nullopt);
  for (std::size_t slot = 0; slot < activeMission; ++slot) {
    const std::size_t base = MissionSlotOffset(field::CampaignMissions, slot);
    ranges.push_back({base + mission_record::kMissionTag, 1});
    ranges.push_back({base + mission_record::kCompletedFlag, 1});
    ranges.push_back({base + mission_record::kPresenceMark, 4});
    ranges.push_back({base + mission_record::kScore, 8});  // score and time
    ranges.push_back({base + mission_record::kBonus, 4});
  }
  ranges.push_back({MissionSlotOffset(field::CampaignMissions, activeMission), kMissionRecordSize});
  return ranges;
}

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

void SaveAndCheck(const std::string& path, const PilotRecord& loaded, std::size_t activeMission) {
  SCOPED_TRACE("active mission " + std::to_string(activeMission));
  PilotRecord record = loaded;
  PilotBackups backups;
  const auto before = test::ReadByteVector(path);
  const PilotDetails details{"Rookie One", (loaded.Rank + 1) % 9, (loaded.Rating + 3) % 25,
                             (loaded.KalidorStatus + 1) % 7, static_cast<int>(activeMission)};
  const UpdateResult result = UpdatePilotFile(path, details, record, backups);
  ASSERT_TRUE(result.succeeded) << result.message;

  EXPECT_EQ(test::ChangesOutside(before, test::ReadByteVector(path), DefinedBytes(activeMission)),
            std::vector<std::size_t>{});
  const LoadResult reloaded = LoadPilotFile(path);
  ASSERT_TRUE(reloaded.Succeeded());
  const PilotRecord& r = reloaded.record;
  EXPECT_EQ(FieldText(r.PilotName), "Rookie One");
  EXPECT_EQ(r.Rank, *details.rank);
  EXPECT_EQ(r.Rating, *details.rating);
  EXPECT_EQ(r.KalidorStatus, *details.kalidorStatus);
  ASSERT_EQ(r.CampaignMissionCount, activeMission);
  for (std::size_t i = 0; i < activeMission; ++i) {
    const MissionEntry& was = loaded.CampaignMissions[i];  // zero beyond the loaded count
    EXPECT_EQ(r.CampaignMissions[i].Score, was.Score) << i;
    EXPECT_EQ(r.CampaignMissions[i].Time, was.Time) << i;
    EXPECT_EQ(r.CampaignMissions[i].Bonus, was.Bonus) << i;
    EXPECT_EQ(r.CampaignMissions[i].MissionTag & 0xFF, was.MissionTag & 0xFF) << i;
  }
  EXPECT_EQ(r.SimMissionCount, loaded.SimMissionCount);
  EXPECT_EQ(test::ReadByteVector(PilotBackups::BackupPath(path)), before);
}

TEST(RealPilotsUpdate, SameShorterAndLongerCampaignRoundTrip) {
  const fs::path dir = test::RealPilotsDir();
  if (dir.empty()) GTEST_SKIP() << "the real pilot files are not beside this checkout";
  test::TempDir temp;
  const auto copies = RealPilotCopies(dir, temp.path());
  ASSERT_FALSE(copies.empty());
  for (const fs::path& copy : copies) {
    SCOPED_TRACE(copy.filename().string());
    const LoadResult loaded = LoadPilotFile(copy.string());
    ASSERT_TRUE(loaded.Succeeded());
    const std::size_t count = loaded.record.CampaignMissionCount;
    // Each save starts from the first load's record, as the view does until the next load.
    for (std::size_t active : {count, count / 2, std::min<std::size_t>(count + 5, kMissionIndexCount - 1)})
      SaveAndCheck(copy.string(), loaded.record, active);
  }
}

}  // namespace
}  // namespace orlenda

#include "pilot/pilot_load.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <limits>

#include "pilot/file_layout.h"
#include "pilot/mission_record.h"
#include "support/system_wording.h"
#include "support/temp_dir.h"
#include "tools/pilot_file_writer.h"

namespace orlenda {
namespace {

using test::kNoSuchFile;

using tools::EncodePilotFile;
using tools::PatchInt32;
using tools::PresentMission;
using tools::WriteBytesToFile;

// A record in which every field holds a value of its own, so that a field read from the wrong place
// or into the wrong member shows.
PilotRecord DistinctRecord() {
  PilotRecord record;
  tools::SetText(record.PilotName, "Wedge");
  tools::SetText(record.MPJoinGameName, "Join me");
  tools::SetText(record.MPHostGameName, "Host game");
  std::int32_t value = 1000;
  for (const auto& f : kInt32Fields) record.*f.member = value++;
  for (const auto& f : kCraftListFields)
    for (auto& v : record.*f.member) v = value++;
  for (const auto& f : kRatingListFields)
    for (auto& v : record.*f.member) v = value++;
  record.CampaignMissions[0] = PresentMission(100, 12, 61, 7);
  record.CampaignMissions[1] = PresentMission(200, -3, 125, 8);
  record.SimMissions[0] = PresentMission(300, 4, 30, 9);
  return record;
}

class PilotLoadTest : public ::testing::Test {
 protected:
  std::string Write(const std::vector<std::uint8_t>& bytes, const std::string& name = "pilot.plt") {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(WriteBytesToFile(path, bytes));
    return path;
  }

  test::TempDir dir_;
};

TEST_F(PilotLoadTest, ReadsEveryFieldFromItsPlace) {
  const PilotRecord written = DistinctRecord();
  const std::string path = Write(EncodePilotFile(written, 0xA5));
  const LoadResult result = LoadPilotFile(path);

  ASSERT_TRUE(result.Succeeded()) << result.messages.front();
  const PilotRecord& read = result.record;
  EXPECT_EQ(FieldText(read.PilotName), "Wedge");
  EXPECT_EQ(FieldText(read.MPJoinGameName), "Join me");
  EXPECT_EQ(FieldText(read.MPHostGameName), "Host game");
  for (const auto& f : kInt32Fields) EXPECT_EQ(read.*f.member, written.*f.member) << f.name;
  for (const auto& f : kCraftListFields) EXPECT_EQ(read.*f.member, written.*f.member) << f.name;
  for (const auto& f : kRatingListFields) EXPECT_EQ(read.*f.member, written.*f.member) << f.name;
  EXPECT_EQ(read.CampaignMissionCount, 2);
  EXPECT_EQ(read.SimMissionCount, 1);
  EXPECT_EQ(read.CampaignMissions[1], written.CampaignMissions[1]);
  EXPECT_EQ(read.SimMissions[0], written.SimMissions[0]);
  EXPECT_EQ(read.CampaignTotal, 100 + 12 + 200 - 3);
  EXPECT_EQ(read.PilotFileName, path);
  EXPECT_TRUE(result.messages.empty());
}

TEST_F(PilotLoadTest, RefusesFilesOfAnyOtherSizeWithBothMessages) {
  for (std::size_t size : {kPilotFileSize - 1, kPilotFileSize + 1, std::size_t{0}, std::size_t{1000}}) {
    const std::string path = Write(std::vector<std::uint8_t>(size, 1));
    const LoadResult result = LoadPilotFile(path);
    EXPECT_EQ(result.errorCount, 1);
    ASSERT_EQ(result.messages.size(), 2u);
    EXPECT_EQ(result.messages[0],
              "The file have wrong size. " + std::to_string(size) + " The plt file must be 152.076 bytes!");
    EXPECT_EQ(result.messages[1], "1 Errors while loading file! This may not be a XWA pilotfile.");
    EXPECT_EQ(result.record.TODScoreA, 0) << "nothing is read from a file of the wrong size";
  }
}

// A file that cannot be opened has no size: it is reported as what it is, with the system's reason.
TEST_F(PilotLoadTest, MissingFileIsReportedAsUnopenedNotAsAWrongSize) {
  const LoadResult result = LoadPilotFile(dir_.File("gone.plt"));
  EXPECT_EQ(result.errorCount, 1);
  EXPECT_EQ(result.messages, std::vector<std::string>{"Unable to open " + dir_.File("gone.plt") + ": " +
                                                      std::string(kNoSuchFile) + "."});
}

TEST_F(PilotLoadTest, FolderIsReportedAsAFolderNotAsAWrongSize) {
  const LoadResult result = LoadPilotFile(dir_.path().string());
  EXPECT_FALSE(result.Succeeded());
  EXPECT_EQ(result.messages,
            std::vector<std::string>{"Unable to open " + dir_.path().string() + ": it is a folder."});
}

TEST_F(PilotLoadTest, ReadOnlyFileLoads) {
  const std::string path = Write(EncodePilotFile(DistinctRecord()));
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  const LoadResult result = LoadPilotFile(path);
  EXPECT_TRUE(result.Succeeded());
  EXPECT_EQ(FieldText(result.record.PilotName), "Wedge");
}

TEST_F(PilotLoadTest, NameTextEndsAtFirstZeroOrFillsAllThirteenBytes) {
  PilotRecord record;
  tools::SetText(record.PilotName, "ThirteenChars");
  EXPECT_EQ(FieldText(LoadPilotFile(Write(EncodePilotFile(record, 'x'))).record.PilotName), "ThirteenChars");

  auto bytes = EncodePilotFile(PilotRecord{}, 'x');
  EXPECT_EQ(FieldText(LoadPilotFile(Write(bytes)).record.PilotName), "") << "a field starting with zero";
}

TEST_F(PilotLoadTest, BonusesAreDividedByTenTowardZero) {
  auto bytes = EncodePilotFile(PilotRecord{});
  PatchInt32(bytes, field::TODBonus.offset, 1239);
  PatchInt32(bytes, field::AzzBonus.offset, -15);
  PatchInt32(bytes, field::SimBonus.offset, 9);
  const std::size_t first = field::CampaignMissions.offset;
  PatchInt32(bytes, first + mission_record::kPresenceMark, 1);
  PatchInt32(bytes, first + mission_record::kScore, 10);
  PatchInt32(bytes, first + mission_record::kBonus, -1239);
  const PilotRecord record = LoadPilotFile(Write(bytes)).record;
  EXPECT_EQ(record.TODBonus, 123);
  EXPECT_EQ(record.AzzBonus, -1);
  EXPECT_EQ(record.SimBonus, 0);
  EXPECT_EQ(record.CampaignMissions[0].Bonus, -123);
  EXPECT_EQ(record.CampaignTotal, 10 - 123);
}

TEST_F(PilotLoadTest, EmptyAndFullMissionLists) {
  PilotRecord none;
  none.SimMissions[0] = PresentMission(1, 1, 1);
  PilotRecord empty = LoadPilotFile(Write(EncodePilotFile(none), "none.plt")).record;
  EXPECT_EQ(empty.CampaignMissionCount, 0);
  EXPECT_EQ(empty.CampaignTotal, 0);

  PilotRecord full;
  for (std::size_t i = 0; i < kMissionSlotCount; ++i) {
    full.CampaignMissions[i] =
        PresentMission(static_cast<std::int32_t>(i), 1, 0, -static_cast<std::int32_t>(i));
    full.SimMissions[i] = PresentMission(2, 0, 0);
  }
  auto bytes = EncodePilotFile(full);
  // The bytes after the 255th campaign slot belong to the simulator list; they must not extend it.
  const PilotRecord loaded = LoadPilotFile(Write(bytes, "full.plt")).record;
  EXPECT_EQ(loaded.CampaignMissionCount, 255);
  EXPECT_EQ(loaded.SimMissionCount, 255);
  EXPECT_EQ(loaded.CampaignMissions[254].Score, 254);
  EXPECT_EQ(loaded.CampaignMissions[255], MissionEntry{});
  EXPECT_EQ(loaded.CampaignTotal, 254 * 255 / 2 + 255);
}

TEST_F(PilotLoadTest, SimulatorRecordsKeepTheirOrder) {
  PilotRecord record;
  for (std::int32_t i = 0; i < 4; ++i)
    record.SimMissions[static_cast<std::size_t>(i)] = PresentMission(10 * i, 0, i);
  const PilotRecord loaded = LoadPilotFile(Write(EncodePilotFile(record))).record;
  ASSERT_EQ(loaded.SimMissionCount, 4);
  EXPECT_EQ(loaded.SimMissions[2].Score, 20);
}

TEST_F(PilotLoadTest, ListEndsAtFirstZeroPresenceMarkWhateverFollows) {
  PilotRecord record;
  for (std::size_t i = 0; i < 12; ++i) record.CampaignMissions[i] = PresentMission(1000, 10, 60);
  auto bytes = EncodePilotFile(record);
  // A stale record after the terminator, as the game leaves when a campaign is shortened.
  PatchInt32(bytes, MissionSlotOffset(field::CampaignMissions, 13) + mission_record::kPresenceMark, 1);
  const PilotRecord loaded = LoadPilotFile(Write(bytes)).record;
  EXPECT_EQ(loaded.CampaignMissionCount, 12);
  EXPECT_EQ(loaded.CampaignTotal, 12 * 1010);
  EXPECT_EQ(loaded.CampaignMissions[13], MissionEntry{});
}

TEST_F(PilotLoadTest, SecondLoadKeepsNothingOfTheFirst) {
  PilotRecord many = DistinctRecord();
  for (std::size_t i = 0; i < 40; ++i) many.CampaignMissions[i] = PresentMission(5, 5, 5);
  PilotRecord few;
  for (std::size_t i = 0; i < 3; ++i) few.CampaignMissions[i] = PresentMission(7, 0, 0);
  LoadResult result = LoadPilotFile(Write(EncodePilotFile(many), "many.plt"));
  result = LoadPilotFile(Write(EncodePilotFile(few), "few.plt"));
  EXPECT_EQ(result.record.CampaignMissionCount, 3);
  for (std::size_t i = 3; i < kMissionEntryCount; ++i)
    EXPECT_EQ(result.record.CampaignMissions[i], MissionEntry{});
  EXPECT_EQ(FieldText(result.record.PilotName), "");
}

TEST_F(PilotLoadTest, Int32ExtremesAndWrappingTotal) {
  PilotRecord record;
  constexpr auto max = std::numeric_limits<std::int32_t>::max();
  constexpr auto min = std::numeric_limits<std::int32_t>::min();
  record.TODScoreA = max;
  record.AzzScoreB = min;
  record.CampaignMissions[0] = PresentMission(max, 0, max);
  record.CampaignMissions[1] = PresentMission(1, 0, min);
  auto bytes = EncodePilotFile(record);
  PatchInt32(bytes, MissionSlotOffset(field::CampaignMissions, 1) + mission_record::kPresenceMark, min);
  const PilotRecord loaded = LoadPilotFile(Write(bytes)).record;
  EXPECT_EQ(loaded.TODScoreA, max);
  EXPECT_EQ(loaded.AzzScoreB, min);
  EXPECT_EQ(loaded.CampaignMissionCount, 2) << "any non-zero PresenceMark counts, negative too";
  EXPECT_EQ(loaded.CampaignTotal, min);
}

TEST(PilotLoadBytes, ShortReadIsAnErrorCountedWithTheFieldsItLeftUnread) {
  // A file that reported the right size but shrank before it was read: at half its size the short read
  // and each field past its end count; one byte short, past the last field, the short read alone.
  const auto load = [](std::size_t size) {
    return LoadPilotBytes(std::vector<std::uint8_t>(size, 0), static_cast<std::int64_t>(kPilotFileSize),
                          "x.plt");
  };
  const LoadResult half = load(kPilotFileSize / 2);
  EXPECT_GT(half.errorCount, 2);
  EXPECT_EQ(half.messages, std::vector<std::string>{LoadErrorCountMessage(half.errorCount)});
  const LoadResult oneByteShort = load(kPilotFileSize - 1);
  EXPECT_EQ(oneByteShort.messages,
            std::vector<std::string>{"1 Errors while loading file! This may not be a XWA pilotfile."});
  EXPECT_TRUE(oneByteShort.record.BytesOnDisk.empty());
}

TEST(PilotLoadBytes, HandedOverBytesBecomeTheRecordsCopyOnlyWhenTheLoadSucceeds) {
  const std::vector<std::uint8_t> file = EncodePilotFile(DistinctRecord());
  std::vector<std::uint8_t> bytes = file;
  const std::uint8_t* const storage = bytes.data();
  const LoadResult loaded = LoadPilotBytes(std::move(bytes), static_cast<std::int64_t>(file.size()), "x.plt");
  ASSERT_TRUE(loaded.Succeeded());
  EXPECT_EQ(loaded.record.BytesOnDisk, file);
  EXPECT_EQ(loaded.record.BytesOnDisk.data(), storage) << "the bytes were copied, not handed over";

  std::vector<std::uint8_t> kept = file;
  const LoadResult refused =
      LoadPilotBytes(std::move(kept), static_cast<std::int64_t>(file.size()) + 1, "x.plt");
  EXPECT_FALSE(refused.Succeeded());
  EXPECT_TRUE(refused.record.BytesOnDisk.empty());
  EXPECT_EQ(kept, file) << "a failed load must leave the caller its bytes";
}

}  // namespace
}  // namespace orlenda

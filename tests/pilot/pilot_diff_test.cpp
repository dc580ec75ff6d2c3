// Comparing two pilot files: every byte that differs is reported, by the field or mission record that
// reads it or among the bytes of unknown meaning, over many generated pilots with random changes.

#include "pilot/pilot_diff.h"

#include <gtest/gtest.h>

#include <random>

#include "pilot/file_layout.h"
#include "pilot/mission_record.h"
#include "pilot/pilot_load.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda {
namespace {

struct LoadedFile {
  std::vector<std::uint8_t> bytes;
  PilotRecord record;
};

LoadedFile Load(std::vector<std::uint8_t> bytes) {
  const LoadResult result = LoadPilotBytes(bytes, static_cast<std::int64_t>(bytes.size()), "pilot.plt");
  EXPECT_TRUE(result.Succeeded());
  return {std::move(bytes), result.record};
}

PilotDiff Compare(const LoadedFile& oldFile, const LoadedFile& newFile) {
  return ComparePilotFiles({oldFile.record, oldFile.bytes}, {newFile.record, newFile.bytes});
}

// The differing bytes outside the reported fields and records are exactly the unknown bytes, and
// every reported field holds a byte that differs.
void ExpectEveryDifferenceReported(const LoadedFile& a, const LoadedFile& b, const PilotDiff& diff) {
  std::vector<bool> reported(kPilotFileSize, false);
  auto mark = [&](const ByteSpan& span) {
    bool differs = false;
    for (std::size_t i = span.offset; i < span.offset + span.size; ++i) {
      reported[i] = true;
      differs = differs || a.bytes[i] != b.bytes[i];
    }
    return differs;
  };
  for (const FieldDifference& d : diff.fields)
    EXPECT_TRUE(mark(d.bytes)) << d.field << " at " << d.bytes.offset;
  for (const MissionDifference& d : diff.missions)
    for (const ByteSpan& span : d.bytes) mark(span);
  std::vector<std::size_t> unexplained;
  for (std::size_t i = 0; i < kPilotFileSize; ++i)
    if (a.bytes[i] != b.bytes[i] && !reported[i]) unexplained.push_back(i);
  EXPECT_EQ(diff.unknownBytes.count, unexplained.size());
  unexplained.resize(std::min(unexplained.size(), kUnknownOffsetLimit));
  EXPECT_EQ(diff.unknownBytes.firstOffsets, unexplained);
  EXPECT_EQ(diff.Identical(), a.bytes == b.bytes);
}

// Offsets near the layout's fields, where random changes meet texts, numbers, lists and records.
std::vector<std::size_t> FieldAnchors() {
  std::vector<std::size_t> anchors{field::PilotName.offset};
  for (const auto& f : kGameNameFields) anchors.push_back(f.offset);
  for (const auto& f : kInt32Fields) anchors.push_back(f.offset);
  for (const auto& f : kCraftListFields) anchors.push_back(f.offset);
  for (const auto& f : kRatingListFields) anchors.push_back(f.offset);
  for (const auto& list : kMissionListFields)
    for (std::size_t slot = 0; slot < 12; ++slot) anchors.push_back(MissionSlotOffset(list, slot));
  return anchors;
}

// Sets `count` bytes to other values: half anywhere, half near a field; now and then a zero, which
// can end a mission list early or shorten a text.
void ChangeRandomBytes(std::vector<std::uint8_t>& bytes, std::mt19937& random, int count) {
  static const std::vector<std::size_t> anchors = FieldAnchors();
  for (int n = 0; n < count; ++n) {
    std::size_t at = random() % kPilotFileSize;
    if (random() % 2 == 0)
      at = std::min(anchors[random() % anchors.size()] + random() % 64, kPilotFileSize - 1);
    const auto value = static_cast<std::uint8_t>(random() % 8 == 0 ? 0 : random() % 256);
    bytes[at] = value != bytes[at] ? value : static_cast<std::uint8_t>(value + 1);
  }
}

TEST(PilotDiff, EveryDifferingByteIsReportedOverRandomChanges) {
  const std::vector<std::uint8_t> sample = tools::EncodePilotFile(tools::SamplePilotRecord(), 0x5A);
  std::mt19937 random(20260812);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::vector<std::uint8_t> oldBytes = sample;
    std::vector<std::uint8_t> newBytes = sample;
    ChangeRandomBytes(oldBytes, random, round % 3 == 0 ? 3 : 0);  // sometimes both sides changed
    ChangeRandomBytes(newBytes, random, 1 + static_cast<int>(random() % 40));
    const LoadedFile a = Load(oldBytes);
    const LoadedFile b = Load(newBytes);
    ExpectEveryDifferenceReported(a, b, Compare(a, b));
    ExpectEveryDifferenceReported(b, a, Compare(b, a));
  }
}

TEST(PilotDiff, IdenticalFilesHaveNoDifference) {
  const LoadedFile a = Load(tools::EncodePilotFile(tools::SamplePilotRecord(), 0x5A));
  EXPECT_TRUE(Compare(a, a).Identical());
}

// What the load does not read counts as unknown: a text's bytes after its end, and the bytes of a
// mission record besides its five values (the completed flag among them).
TEST(PilotDiff, UnreadBytesOfTextsAndRecordsAreUnknown) {
  const std::vector<std::uint8_t> sample = tools::EncodePilotFile(tools::SamplePilotRecord());
  std::vector<std::uint8_t> changed = sample;
  const std::size_t nameEnd = FieldText(tools::SamplePilotRecord().PilotName).size();
  changed[field::PilotName.offset + nameEnd + 1] = 'x';
  const std::size_t slot = MissionSlotOffset(field::CampaignMissions, 2);
  changed[slot + mission_record::kCompletedFlag] = 0;
  changed[slot + 5] = 7;

  const PilotDiff diff = Compare(Load(sample), Load(changed));
  EXPECT_TRUE(diff.fields.empty());
  EXPECT_TRUE(diff.missions.empty());
  EXPECT_EQ(diff.unknownBytes.count, 3u);
  EXPECT_EQ(diff.unknownBytes.firstOffsets,
            (std::vector<std::size_t>{nameEnd + 1, slot + 5, slot + mission_record::kCompletedFlag}));
}

// A value stored times ten can change in its last digit alone: the field is reported with the
// stored values, since the held ones are equal.
TEST(PilotDiff, BonusThatDiffersOnlyAsStoredIsReported) {
  const std::vector<std::uint8_t> sample = tools::EncodePilotFile(tools::SamplePilotRecord());
  std::vector<std::uint8_t> changed = sample;
  tools::PatchInt32(changed, field::TODBonus.offset, 10 * tools::SamplePilotRecord().TODBonus + 7);
  const std::size_t slot = MissionSlotOffset(field::CampaignMissions, 1);
  const std::int32_t missionBonus = tools::SamplePilotRecord().CampaignMissions[1].Bonus;
  tools::PatchInt32(changed, slot + mission_record::kBonus, 10 * missionBonus + 3);

  const PilotDiff diff = Compare(Load(sample), Load(changed));
  ASSERT_EQ(diff.fields.size(), 1u);
  EXPECT_EQ(diff.fields[0].field, "TODBonus");
  EXPECT_EQ(diff.fields[0].oldValue, diff.fields[0].newValue);
  EXPECT_EQ(diff.fields[0].newStored, 10 * tools::SamplePilotRecord().TODBonus + 7);
  ASSERT_EQ(diff.missions.size(), 1u);
  EXPECT_EQ(diff.missions[0].change, MissionChange::kChanged);
  EXPECT_EQ(diff.missions[0].index, 1u);
  EXPECT_EQ(diff.missions[0].newStoredBonus, 10 * missionBonus + 3);
  EXPECT_EQ(diff.unknownBytes.count, 0u);
}

}  // namespace
}  // namespace orlenda

// One mission record's bytes and its entry: the decoder and the encoder that every reader and writer
// of a record goes through.

#include "pilot/mission_record.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "pilot/le_int32.h"

namespace orlenda {
namespace {

using Record = std::array<std::uint8_t, kMissionRecordSize>;

void PutInt32(Record& record, std::size_t offset, std::int32_t value) {
  WriteInt32LE(value, std::span(record).subspan(offset).first<4>());
}

TEST(MissionRecordTest, DecodesEachFieldAtItsOffsetAndTheBonusDividedTowardZero) {
  Record record;
  record.fill(0xA5);  // the gaps and the flag are not read
  PutInt32(record, 0, 0x01020304);
  PutInt32(record, 16, 7);
  PutInt32(record, 24, -300);
  PutInt32(record, 28, 1234);
  PutInt32(record, 40, -15);
  const MissionEntry entry = DecodeMissionRecord(record);
  EXPECT_EQ(entry.MissionTag, 0x01020304);
  EXPECT_EQ(entry.PresenceMark, 7);
  EXPECT_EQ(entry.Score, -300);
  EXPECT_EQ(entry.Time, 1234);
  EXPECT_EQ(entry.Bonus, -1);
}

TEST(MissionRecordTest, EncodesACompletedMissionAndKeepsTheBytesOfUnknownMeaning) {
  Record record;
  record.fill(0xA5);
  const MissionEntry entry{.MissionTag = 9, .PresenceMark = 1, .Score = 500, .Time = 61, .Bonus = 123};
  EncodeCompletedMission(entry, record);
  EXPECT_EQ(record[mission_record::kCompletedFlag], 1);
  EXPECT_EQ(ReadInt32LE(std::span(record).subspan(mission_record::kBonus).first<4>()), 1230);
  EXPECT_EQ(DecodeMissionRecord(record), entry);
  for (std::size_t gap : {4u, 14u, 20u, 23u, 32u, 39u, 44u, 47u}) EXPECT_EQ(record[gap], 0xA5) << gap;
}

}  // namespace
}  // namespace orlenda

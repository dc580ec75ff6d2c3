#include "pilot/mission_record.h"

#include <algorithm>

#include "pilot/le_int32.h"

namespace orlenda {

MissionEntry DecodeMissionRecord(ConstMissionRecordBytes record) {
  MissionEntry entry;
  for (const auto& f : kMissionEntryFields) {
    const std::int32_t stored = ReadInt32LE(record.subspan(f.offset).first<4>());
    entry.*f.member = f.storedTimesTen ? StoredTimesTenToValue(stored) : stored;
  }
  return entry;
}

std::int32_t StoredMissionBonus(ConstMissionRecordBytes record) {
  constexpr MissionRecordField bonus =
      *std::find_if(kMissionEntryFields.begin(), kMissionEntryFields.end(),
                    [](const MissionRecordField& f) { return f.member == &MissionEntry::Bonus; });
  static_assert(bonus.storedTimesTen);
  return ReadInt32LE(record.subspan(bonus.offset).first<4>());
}

void EncodeCompletedMission(const MissionEntry& entry, MissionRecordBytes record) {
  for (const auto& f : kMissionEntryFields) {
    const std::int32_t value = entry.*f.member;
    WriteInt32LE(f.storedTimesTen ? WrappingMultiply(value, 10) : value, record.subspan(f.offset).first<4>());
  }
  record[mission_record::kCompletedFlag] = 1;
}

}  // namespace orlenda

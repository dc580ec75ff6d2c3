#include "pilot/details_patch.h"

#include <algorithm>
#include <cstring>

#include "pilot/file_layout.h"
#include "pilot/le_int32.h"

namespace orlenda {
namespace {

using RecordBytes = std::span<std::uint8_t, kMissionRecordSize>;

std::span<std::uint8_t, 4> FourBytes(std::span<std::uint8_t> bytes, std::size_t offset) {
  return bytes.subspan(offset).first<4>();
}

void PatchCompletedRecord(RecordBytes record, const MissionEntry& entry) {
  const auto bits = static_cast<std::uint32_t>(entry.MissionTag);
  record[mission_record::kMissionTag] = static_cast<std::uint8_t>(bits & 0xFFu);
  record[mission_record::kCompletedFlag] = 1;
  if (ReadInt32LE(FourBytes(record, mission_record::kPresenceMark)) == 0)
    WriteInt32LE(1, FourBytes(record, mission_record::kPresenceMark));
  WriteInt32LE(entry.Score, FourBytes(record, mission_record::kScore));
  WriteInt32LE(entry.Time, FourBytes(record, mission_record::kTime));
  WriteInt32LE(WrappingMultiply(entry.Bonus, 10), FourBytes(record, mission_record::kBonus));
}

ByteRange PatchCampaignList(PilotFileImage image, std::size_t activeMission, const MissionList& campaign) {
  for (std::size_t slot = 0; slot < activeMission; ++slot) {
    const std::size_t offset = MissionSlotOffset(field::CampaignMissions, slot);
    PatchCompletedRecord(RecordBytes(image.data() + offset, kMissionRecordSize), campaign[slot]);
  }
  const std::size_t terminator = MissionSlotOffset(field::CampaignMissions, activeMission);
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(terminator), kMissionRecordSize, std::uint8_t{0});
  return {field::CampaignMissions.offset, kMissionRecordSize * (activeMission + 1)};
}

void PatchInt32Field(PilotFileImage image, const Int32Field& f, const std::optional<int>& value,
                     std::vector<ByteRange>& written) {
  if (!value) return;
  WriteInt32LE(*value, FourBytes(image, f.offset));
  written.push_back({f.offset, 4});
}

}  // namespace

std::vector<ByteRange> PatchPilotDetails(PilotFileImage image, const StoredPilotName& name,
                                         const PilotDetails& details, const MissionList& campaign) {
  std::vector<ByteRange> written;
  std::memcpy(image.data() + field::PilotName.offset, name.data(), name.size());
  written.push_back({field::PilotName.offset, name.size()});
  if (details.activeMission && *details.activeMission >= 0 &&
      static_cast<std::size_t>(*details.activeMission) < kMissionSlotCount)
    written.push_back(PatchCampaignList(image, static_cast<std::size_t>(*details.activeMission), campaign));
  PatchInt32Field(image, field::Rating, details.rating, written);
  PatchInt32Field(image, field::Rank, details.rank, written);
  PatchInt32Field(image, field::KalidorStatus, details.kalidorStatus, written);
  return written;
}

}  // namespace orlenda

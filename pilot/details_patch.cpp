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

ByteRange PatchCampaignList(PilotFileImage image, const CampaignChange& change, const MissionList& campaign) {
  const auto from = static_cast<std::size_t>(change.fromCount);
  const auto to = static_cast<std::size_t>(change.toCount);
  for (std::size_t slot = from; slot < to; ++slot) {
    const std::size_t offset = MissionSlotOffset(field::CampaignMissions, slot);
    PatchCompletedRecord(RecordBytes(image.data() + offset, kMissionRecordSize), campaign[slot]);
  }
  const std::size_t terminator = MissionSlotOffset(field::CampaignMissions, to);
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(terminator), kMissionRecordSize, std::uint8_t{0});
  const std::size_t first = std::min(from, to);
  return {MissionSlotOffset(field::CampaignMissions, first), kMissionRecordSize * (to + 1 - first)};
}

bool IsWritableCampaignChange(const std::optional<CampaignChange>& change) {
  return change && change->fromCount >= 0 && change->toCount >= 0 &&
         static_cast<std::size_t>(change->toCount) < kMissionSlotCount;
}

void PatchInt32Field(PilotFileImage image, const Int32Field& f, const std::optional<int>& value,
                     std::vector<ByteRange>& written) {
  if (!value) return;
  WriteInt32LE(*value, FourBytes(image, f.offset));
  written.push_back({f.offset, 4});
}

}  // namespace

std::vector<ByteRange> PatchPilotDetails(PilotFileImage image, const DetailsChanges& changes,
                                         const MissionList& campaign) {
  std::vector<ByteRange> written;
  if (changes.name) {
    std::memcpy(image.data() + field::PilotName.offset, changes.name->data(), changes.name->size());
    written.push_back({field::PilotName.offset, changes.name->size()});
  }
  if (IsWritableCampaignChange(changes.campaign))
    written.push_back(PatchCampaignList(image, *changes.campaign, campaign));
  PatchInt32Field(image, field::Rating, changes.rating, written);
  PatchInt32Field(image, field::Rank, changes.rank, written);
  PatchInt32Field(image, field::KalidorStatus, changes.kalidorStatus, written);
  return written;
}

}  // namespace orlenda

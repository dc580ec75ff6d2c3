#include "pilot/details_patch.h"

#include <algorithm>
#include <cstring>

#include "pilot/file_layout.h"
#include "pilot/le_int32.h"
#include "pilot/mission_record.h"

namespace orlenda {
namespace {

std::span<std::uint8_t, 4> FourBytes(std::span<std::uint8_t> bytes, std::size_t offset) {
  return bytes.subspan(offset).first<4>();
}

// What a slot gets for a completed mission: the entry, of whose tag only the low byte is written (the
// slot keeps its other three), with a presence mark that a later load finds (the slot's own when it has
// one, else 1). A slot that an earlier move back cleared gets the whole entry that the load read again.
MissionEntry CompletedRecordFor(const MissionEntry& entry, const MissionEntry& inSlot) {
  const MissionEntry& kept = inSlot.MissionTag == 0 && inSlot.PresenceMark == 0 ? entry : inSlot;
  const auto keptBits = static_cast<std::uint32_t>(kept.MissionTag) & ~0xFFu;
  const auto lowByte = static_cast<std::uint32_t>(entry.MissionTag) & 0xFFu;
  MissionEntry written = entry;
  written.MissionTag = static_cast<std::int32_t>(keptBits | lowByte);
  written.PresenceMark = kept.PresenceMark != 0 ? kept.PresenceMark : 1;
  return written;
}

void PatchCompletedRecord(MissionRecordBytes record, const MissionEntry& entry) {
  EncodeCompletedMission(CompletedRecordFor(entry, DecodeMissionRecord(record)), record);
}

ByteRange PatchCampaignList(PilotFileImage image, const CampaignChange& change, const MissionList& campaign) {
  const auto from = static_cast<std::size_t>(change.fromCount);
  const auto to = static_cast<std::size_t>(change.toCount);
  for (std::size_t slot = from; slot < to; ++slot) {
    const std::size_t offset = MissionSlotOffset(field::CampaignMissions, slot);
    PatchCompletedRecord(MissionRecordBytes(image.data() + offset, kMissionRecordSize), campaign[slot]);
  }
  // The terminating record, and on a move back every record that leaves the list after it.
  const std::size_t cleared = std::max(from, to + 1) - to;
  const std::size_t terminator = MissionSlotOffset(field::CampaignMissions, to);
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(terminator), kMissionRecordSize * cleared,
              std::uint8_t{0});
  const std::size_t first = std::min(from, to);
  return {MissionSlotOffset(field::CampaignMissions, first), kMissionRecordSize * (to + cleared - first)};
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

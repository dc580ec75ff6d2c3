#include "tools/pilot_file_writer.h"

#include <cstring>
#include <fstream>
#include <span>

#include "pilot/file_layout.h"
#include "pilot/le_int32.h"
#include "pilot/mission_record.h"

namespace orlenda::tools {
namespace {

std::span<std::uint8_t, 4> FourBytesAt(std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return std::span<std::uint8_t, 4>(bytes.data() + offset, 4);
}

void WriteMissionList(std::vector<std::uint8_t>& bytes, const MissionListField& list,
                      const MissionList& entries) {
  for (std::size_t slot = 0; slot < kMissionSlotCount; ++slot) {
    const MissionEntry& entry = entries[slot];
    const std::size_t base = MissionSlotOffset(list, slot);
    if (entry.PresenceMark == 0) {
      std::memset(bytes.data() + base, 0, kMissionRecordSize);
      return;
    }
    EncodeCompletedMission(entry, MissionRecordBytes(bytes.data() + base, kMissionRecordSize));
  }
}

}  // namespace

void PatchInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
  WriteInt32LE(value, FourBytesAt(bytes, offset));
}

std::vector<std::uint8_t> EncodePilotFile(const PilotRecord& record, std::uint8_t filler) {
  std::vector<std::uint8_t> bytes(kPilotFileSize, filler);
  std::memcpy(bytes.data() + field::PilotName.offset, record.PilotName.data(), kPilotNameSize);
  for (const auto& f : kGameNameFields)
    std::memcpy(bytes.data() + f.offset, (record.*f.member).data(), kGameNameSize);
  for (const auto& f : kInt32Fields) {
    const std::int32_t value = record.*f.member;
    PatchInt32(bytes, f.offset, f.storedTimesTen ? WrappingMultiply(value, 10) : value);
  }
  for (const auto& f : kCraftListFields)
    for (std::size_t i = 0; i < kCraftTypeCount; ++i)
      PatchInt32(bytes, f.offset + 4 * i, (record.*f.member)[i]);
  for (const auto& f : kRatingListFields)
    for (std::size_t i = 0; i < kRatingCount; ++i) PatchInt32(bytes, f.offset + 4 * i, (record.*f.member)[i]);
  for (const auto& f : kMissionListFields) WriteMissionList(bytes, f, record.*f.member);
  return bytes;
}

bool WriteBytesToFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

MissionEntry PresentMission(std::int32_t score, std::int32_t bonus, std::int32_t time, std::int32_t tag) {
  MissionEntry entry;
  entry.MissionTag = tag;
  entry.PresenceMark = 1;
  entry.Score = score;
  entry.Bonus = bonus;
  entry.Time = time;
  return entry;
}

}  // namespace orlenda::tools

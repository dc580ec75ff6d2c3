#pragma once

// The pilot data held in memory for one loaded pilot file: the known fields under their own names,
// the two mission lists, and the state derived at load.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pilot/file_fields.h"
#include "pilot/mission_record_fields.h"

namespace orlenda {

inline constexpr std::size_t kPilotFileSize = 152'076;
inline constexpr std::size_t kCraftTypeCount = 231;
inline constexpr std::size_t kRatingCount = 25;
inline constexpr std::size_t kMissionSlotCount = 255;   // slots of one mission list in the file
inline constexpr std::size_t kMissionEntryCount = 256;  // entries held in memory (the last stays zero)
inline constexpr std::size_t kMissionRecordSize = 48;
inline constexpr std::size_t kPilotNameSize = 13;
inline constexpr std::size_t kGameNameSize = 31;

// The types of the file's fields in memory, as pilot/file_fields.h names them.
using PilotNameText = std::array<char, kPilotNameSize>;
using GameNameText = std::array<char, kGameNameSize>;
using Int32 = std::int32_t;
using CraftList = std::array<std::int32_t, kCraftTypeCount>;
using RatingList = std::array<std::int32_t, kRatingCount>;

// One mission record as held in memory: its int32 fields, in record order, under the names
// pilot/mission_record_fields.h gives them; Bonus is already divided by ten. The completed flag is
// written, never read, and has no member.
struct MissionEntry {
#define ORLENDA_MEMBER(name, offset) std::int32_t name = 0;
#define ORLENDA_NO_MEMBER(name, offset)
  ORLENDA_MISSION_RECORD_FIELDS(ORLENDA_MEMBER, ORLENDA_MEMBER, ORLENDA_NO_MEMBER)
#undef ORLENDA_MEMBER
#undef ORLENDA_NO_MEMBER

  friend bool operator==(const MissionEntry&, const MissionEntry&) = default;
};

using MissionList = std::array<MissionEntry, kMissionEntryCount>;

struct PilotRecord {
  // The fields of the file, in file order, under the names pilot/file_fields.h gives them. Texts keep
  // their raw Windows-1252 bytes (the text is the bytes before the first zero byte); the fields that the
  // file holds times ten are kept divided by ten.
#define ORLENDA_MEMBER(name, offset, type) type name{};
  ORLENDA_PILOT_FILE_FIELDS(ORLENDA_MEMBER, ORLENDA_MEMBER)
#undef ORLENDA_MEMBER

  std::uint8_t CampaignMissionCount = 0;
  std::uint8_t SimMissionCount = 0;
  std::int32_t CampaignTotal = 0;  // sum of Score + Bonus over the loaded campaign entries, wrapping
  std::string PilotFileName;
  // The whole file as this program last read or wrote it (empty until a load succeeds): an update
  // writes only when the file on disk still holds exactly these bytes.
  std::vector<std::uint8_t> BytesOnDisk;
};

// The text of a fixed-size text field: the bytes before the first zero byte, or all of them.
template <std::size_t N>
std::string FieldText(const std::array<char, N>& field) {
  std::size_t length = 0;
  while (length < N && field[length] != '\0') ++length;
  return std::string(field.data(), length);
}

}  // namespace orlenda

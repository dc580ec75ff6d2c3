#pragma once

// The descriptors of the fields of one 48-byte mission record, made from the list in
// pilot/mission_record_fields.h, and the one decoder and encoder of a record: the load, the update, the
// diff and the file writer read and write records through here; no other place names an offset within
// a record. pilot/file_layout_check.cpp checks the descriptors while compiling.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "pilot/mission_record_fields.h"
#include "pilot/pilot_record.h"

namespace orlenda {

// Where one field lies within a record, how many bytes it takes, the MissionEntry member that holds
// it in memory (none for the completed flag) and its name.
struct MissionRecordField {
  std::size_t offset;
  std::size_t width;
  std::int32_t MissionEntry::*member;  // nullptr: not held in memory
  std::string_view name;
  bool storedTimesTen = false;

  constexpr std::size_t end() const { return offset + width; }
};

// Every descriptor, in record order.
#define ORLENDA_INT32(name, offset) MissionRecordField{offset, 4, &MissionEntry::name, #name},
#define ORLENDA_INT32_TIMES_TEN(name, offset) MissionRecordField{offset, 4, &MissionEntry::name, #name, true},
#define ORLENDA_FLAG(name, offset) MissionRecordField{offset, 1, nullptr, #name},
inline constexpr std::array kMissionRecordFields{
    ORLENDA_MISSION_RECORD_FIELDS(ORLENDA_INT32, ORLENDA_INT32_TIMES_TEN, ORLENDA_FLAG)};
#undef ORLENDA_INT32
#undef ORLENDA_INT32_TIMES_TEN
#undef ORLENDA_FLAG

// The fields that MissionEntry holds (every field but the completed flag), in record order.
consteval auto HeldMissionFields() {
  constexpr std::size_t count = [] {
    std::size_t n = 0;
    for (const auto& f : kMissionRecordFields) n += f.member != nullptr ? 1 : 0;
    return n;
  }();
  std::array<MissionRecordField, count> held{};
  std::size_t next = 0;
  for (const auto& f : kMissionRecordFields)
    if (f.member != nullptr) held[next++] = f;
  return held;
}
inline constexpr auto kMissionEntryFields = HeldMissionFields();

// The offset of each field within a record, under the field's name: mission_record::kScore.
namespace mission_record {
#define ORLENDA_FIELD_OFFSET(name, offset) inline constexpr std::size_t k##name = offset;
ORLENDA_MISSION_RECORD_FIELDS(ORLENDA_FIELD_OFFSET, ORLENDA_FIELD_OFFSET, ORLENDA_FIELD_OFFSET)
#undef ORLENDA_FIELD_OFFSET
}  // namespace mission_record

using MissionRecordBytes = std::span<std::uint8_t, kMissionRecordSize>;
using ConstMissionRecordBytes = std::span<const std::uint8_t, kMissionRecordSize>;

// The entry that the load keeps of a record: each held field, the bonus divided by ten.
MissionEntry DecodeMissionRecord(ConstMissionRecordBytes record);

// The bonus as the record stores it: ten times the entry's value, with the last digit that the entry
// drops.
std::int32_t StoredMissionBonus(ConstMissionRecordBytes record);

// Writes an entry into the record of a completed mission: each held field (the bonus times ten) and the
// completed flag set to 1. The bytes of unknown meaning keep what they hold.
void EncodeCompletedMission(const MissionEntry& entry, MissionRecordBytes record);

}  // namespace orlenda

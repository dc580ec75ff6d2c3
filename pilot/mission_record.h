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

// The descriptor of each field, under the field's name: mission_field::Score.
namespace mission_field {
#define ORLENDA_MISSION_WIDTH_Int32 4
#define ORLENDA_MISSION_WIDTH_Flag 1
#define ORLENDA_MISSION_MEMBER_Int32(name) &MissionEntry::name
#define ORLENDA_MISSION_MEMBER_Flag(name) nullptr
#define ORLENDA_FIELD(name, offset, type)                                        \
  inline constexpr MissionRecordField name{offset, ORLENDA_MISSION_WIDTH_##type, \
                                           ORLENDA_MISSION_MEMBER_##type(name), #name};
#define ORLENDA_FIELD_TIMES_TEN(name, offset, type)                              \
  inline constexpr MissionRecordField name{offset, ORLENDA_MISSION_WIDTH_##type, \
                                           ORLENDA_MISSION_MEMBER_##type(name), #name, true};
ORLENDA_MISSION_RECORD_FIELDS(ORLENDA_FIELD, ORLENDA_FIELD_TIMES_TEN)
#undef ORLENDA_FIELD
#undef ORLENDA_FIELD_TIMES_TEN
#undef ORLENDA_MISSION_MEMBER_Int32
#undef ORLENDA_MISSION_MEMBER_Flag
#undef ORLENDA_MISSION_WIDTH_Int32
#undef ORLENDA_MISSION_WIDTH_Flag
}  // namespace mission_field

// Every descriptor, in record order.
#define ORLENDA_FIELD_DESCRIPTOR(name, ...) mission_field::name,
inline constexpr std::array kMissionRecordFields{
    ORLENDA_MISSION_RECORD_FIELDS(ORLENDA_FIELD_DESCRIPTOR, ORLENDA_FIELD_DESCRIPTOR)};
#undef ORLENDA_FIELD_DESCRIPTOR

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
#define ORLENDA_FIELD_OFFSET(name, offset, type) inline constexpr std::size_t k##name = offset;
ORLENDA_MISSION_RECORD_FIELDS(ORLENDA_FIELD_OFFSET, ORLENDA_FIELD_OFFSET)
#undef ORLENDA_FIELD_OFFSET
}  // namespace mission_record

using MissionRecordBytes = std::span<std::uint8_t, kMissionRecordSize>;
using ConstMissionRecordBytes = std::span<const std::uint8_t, kMissionRecordSize>;

// The entry that the load keeps of a record: each held field, the bonus divided by ten.
MissionEntry DecodeMissionRecord(ConstMissionRecordBytes record);

// Writes an entry into the record of a completed mission: each held field (the bonus times ten) and the
// completed flag set to 1. The bytes of unknown meaning keep what they hold.
void EncodeCompletedMission(const MissionEntry& entry, MissionRecordBytes record);

}  // namespace orlenda

#pragma once

// The descriptors of the pilot file's fields, made from the list in pilot/file_fields.h: each field's
// offset, its PilotRecord member and its name. Every read and write of the file goes through these
// descriptors; no other place names an offset. pilot/file_layout_check.cpp checks them while
// compiling: in file order, no overlap, inside the file, each in one of the groups below.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "pilot/file_fields.h"
#include "pilot/pilot_record.h"

namespace orlenda {

// Where one field of the file lies, the PilotRecord member that holds it in memory, and its name.
template <typename Value>
struct FileField {
  std::size_t offset;
  Value PilotRecord::*member;
  std::string_view name;
};

// An int32 field also says whether the file holds ten times the value kept in memory.
template <>
struct FileField<Int32> {
  std::size_t offset;
  Int32 PilotRecord::*member;
  std::string_view name;
  bool storedTimesTen = false;
};

template <std::size_t N>
using TextField = FileField<std::array<char, N>>;
using Int32Field = FileField<Int32>;
template <std::size_t N>
using Int32ListField = FileField<std::array<std::int32_t, N>>;
using MissionListField = FileField<MissionList>;

// The descriptor of each field of pilot/file_fields.h, under the field's name: field::Rank.
namespace field {
#define ORLENDA_FIELD(name, offset, type) \
  inline constexpr FileField<type> name{offset, &PilotRecord::name, #name};
#define ORLENDA_FIELD_TIMES_TEN(name, offset, type) \
  inline constexpr FileField<type> name{offset, &PilotRecord::name, #name, true};
ORLENDA_PILOT_FILE_FIELDS(ORLENDA_FIELD, ORLENDA_FIELD_TIMES_TEN)
#undef ORLENDA_FIELD
#undef ORLENDA_FIELD_TIMES_TEN
}  // namespace field

// Every descriptor, in file order.
#define ORLENDA_FIELD_DESCRIPTOR(name, ...) field::name,
inline constexpr std::tuple kPilotFileFields{
    ORLENDA_PILOT_FILE_FIELDS(ORLENDA_FIELD_DESCRIPTOR, ORLENDA_FIELD_DESCRIPTOR)};
#undef ORLENDA_FIELD_DESCRIPTOR

// The descriptors of one type, in file order.
template <typename Field, typename... Fields>
consteval auto FieldsOfType(const std::tuple<Fields...>& fields) {
  std::array<Field, (std::size_t{std::is_same_v<Field, Fields>} + ...)> group{};
  std::size_t next = 0;
  const auto take = [&](const auto& f) {
    if constexpr (std::is_same_v<Field, std::remove_cvref_t<decltype(f)>>) group[next++] = f;
  };
  std::apply([&](const auto&... f) { (take(f), ...); }, fields);
  return group;
}

// The fields grouped by kind, in file order, for code that treats every field of a kind alike. The
// pilot's name, the only text of its length, stands alone as field::PilotName.
inline constexpr auto kGameNameFields = FieldsOfType<FileField<GameNameText>>(kPilotFileFields);
inline constexpr auto kInt32Fields = FieldsOfType<FileField<Int32>>(kPilotFileFields);
inline constexpr auto kCraftListFields = FieldsOfType<FileField<CraftList>>(kPilotFileFields);
inline constexpr auto kRatingListFields = FieldsOfType<FileField<RatingList>>(kPilotFileFields);
inline constexpr auto kMissionListFields = FieldsOfType<FileField<MissionList>>(kPilotFileFields);

inline constexpr std::size_t MissionSlotOffset(const MissionListField& list, std::size_t slot) {
  return list.offset + kMissionRecordSize * slot;
}

}  // namespace orlenda

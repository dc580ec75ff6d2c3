// Checks of the pilot file's layout and of the mission record's, made while compiling: a field that
// overlaps another, stands out of order, reaches past the end of the file or record, or is in none of the
// groups stops the build. Nothing here runs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>

#include "pilot/file_layout.h"
#include "pilot/mission_record.h"

namespace orlenda {
namespace {

// The bytes one descriptor covers.
struct FieldSpan {
  std::size_t offset;
  std::size_t size;

  constexpr std::size_t end() const { return offset + size; }
};

template <std::size_t N>
constexpr FieldSpan SpanOf(const TextField<N>& f) {
  return {f.offset, N};
}
constexpr FieldSpan SpanOf(const Int32Field& f) { return {f.offset, 4}; }
template <std::size_t N>
constexpr FieldSpan SpanOf(const Int32ListField<N>& f) {
  return {f.offset, 4 * N};
}
constexpr FieldSpan SpanOf(const MissionListField& f) {
  return {f.offset, kMissionRecordSize * kMissionSlotCount};
}

// The bytes of every descriptor, in file order.
constexpr auto kLayout =
    std::apply([](const auto&... fields) { return std::array{SpanOf(fields)...}; }, kPilotFileFields);

// The bytes of every field of a mission record, in record order.
constexpr auto kRecordLayout = [] {
  std::array<FieldSpan, kMissionRecordFields.size()> spans{};
  for (std::size_t i = 0; i < spans.size(); ++i)
    spans[i] = {kMissionRecordFields[i].offset, kMissionRecordFields[i].width};
  return spans;
}();

// The index of the first span that starts before the previous one ends (so out of order or
// overlapping), or the table's size when there is none.
template <std::size_t N>
constexpr std::size_t FirstOverlap(const std::array<FieldSpan, N>& layout) {
  for (std::size_t i = 1; i < N; ++i)
    if (layout[i].offset < layout[i - 1].end()) return i;
  return N;
}

static_assert(FirstOverlap(kLayout) == kLayout.size(),
              "pilot file layout: a field starts before the one above it ends");
static_assert(kLayout.back().end() <= kPilotFileSize,
              "pilot file layout: a field reaches past the end of the file");
// The groups are picked from the descriptors by type, so a field of a new type (a text or a list of
// another length) would be in none of them; field::PilotName stands alone.
static_assert(1 + kGameNameFields.size() + kInt32Fields.size() + kCraftListFields.size() +
                      kRatingListFields.size() + kMissionListFields.size() ==
                  kLayout.size(),
              "pilot file layout: a field is in none of the groups");

static_assert(FirstOverlap(kRecordLayout) == kRecordLayout.size(),
              "mission record layout: a field starts before the one above it ends");
static_assert(kRecordLayout.back().end() <= kMissionRecordSize,
              "mission record layout: a field reaches past the end of the record");
// Each int32 of a record is held by a MissionEntry member, which the record's decoder and encoder walk.
static_assert(kMissionEntryFields.size() * sizeof(std::int32_t) == sizeof(MissionEntry),
              "mission record layout: a MissionEntry member is not a field of the record");

}  // namespace
}  // namespace orlenda

// Checks of the pilot file's layout, made while compiling: a field that overlaps another, stands out of
// file order, reaches past the end of the file or is in none of the groups stops the build. Nothing
// here runs.

#include <array>
#include <cstddef>
#include <tuple>

#include "pilot/file_layout.h"

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

// The index of the first descriptor that starts before the previous one ends (so out of order or
// overlapping), or the table's size when there is none.
constexpr std::size_t FirstOverlap() {
  for (std::size_t i = 1; i < kLayout.size(); ++i)
    if (kLayout[i].offset < kLayout[i - 1].end()) return i;
  return kLayout.size();
}

static_assert(FirstOverlap() == kLayout.size(),
              "pilot file layout: a field starts before the one above it ends");
static_assert(kLayout.back().end() <= kPilotFileSize,
              "pilot file layout: a field reaches past the end of the file");
// The groups are picked from the descriptors by type, so a field of a new type (a text or a list of
// another length) would be in none of them; field::PilotName stands alone.
static_assert(1 + kGameNameFields.size() + kInt32Fields.size() + kCraftListFields.size() +
                      kRatingListFields.size() + kMissionListFields.size() ==
                  kLayout.size(),
              "pilot file layout: a field is in none of the groups");
static_assert(mission_record::kBonus + 4 <= kMissionRecordSize);

}  // namespace
}  // namespace orlenda

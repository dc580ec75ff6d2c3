// Checks of the pilot file's layout table, made while compiling: a descriptor that overlaps another,
// stands out of file order, reaches past the end of the file or is missing from its group stops the
// build. Nothing here runs.

#include <array>
#include <cstddef>
#include <string_view>

#include "pilot/file_layout.h"

namespace orlenda {
namespace {

// The bytes one descriptor covers.
struct FieldSpan {
  std::size_t offset;
  std::size_t size;
  std::string_view name;

  constexpr std::size_t end() const { return offset + size; }
  constexpr bool operator==(const FieldSpan&) const = default;
};

template <std::size_t N>
constexpr FieldSpan SpanOf(const TextField<N>& f) {
  return {f.offset, N, f.name};
}
constexpr FieldSpan SpanOf(const Int32Field& f) { return {f.offset, 4, f.name}; }
template <std::size_t N>
constexpr FieldSpan SpanOf(const Int32ListField<N>& f) {
  return {f.offset, 4 * N, f.name};
}
constexpr FieldSpan SpanOf(const MissionListField& f) {
  return {f.offset, kMissionRecordSize * kMissionSlotCount, f.name};
}

// Every descriptor, in file order.
constexpr std::array kLayout{
    SpanOf(field::PilotName),
    SpanOf(field::MPJoinGameName),
    SpanOf(field::MPHostGameName),
    SpanOf(field::ToNextRating),
    SpanOf(field::TODScoreA),
    SpanOf(field::AzzScoreA),
    SpanOf(field::SimScoreA),
    SpanOf(field::TODKillsA),
    SpanOf(field::AzzKills),
    SpanOf(field::SimKillsA),
    SpanOf(field::TODAssistsA),
    SpanOf(field::AzzAssistsA),
    SpanOf(field::SimAssists),
    SpanOf(field::TODMissileHits),
    SpanOf(field::TODMissilesFired),
    SpanOf(field::LaserHitA),
    SpanOf(field::MissileCountAB),
    SpanOf(field::CampaignMissions),
    SpanOf(field::SimMissions),
    SpanOf(field::Rating),
    SpanOf(field::Rank),
    SpanOf(field::KalidorStatus),
    SpanOf(field::TODScoreB),
    SpanOf(field::TODBonus),
    SpanOf(field::TODScoreC),
    SpanOf(field::TODScoreD),
    SpanOf(field::TODKillCount),
    SpanOf(field::TODKillsB),
    SpanOf(field::TODAssistsB),
    SpanOf(field::TODLaserHit),
    SpanOf(field::TotalLaserA),
    SpanOf(field::SimScoreB),
    SpanOf(field::SimBonus),
    SpanOf(field::SimScoreC),
    SpanOf(field::SimScoreD),
    SpanOf(field::SimKillsB),
    SpanOf(field::PlayersKilledByRating),
    SpanOf(field::CraftLosses),
    SpanOf(field::LossesFromCollisions),
    SpanOf(field::LossesToStarships),
    SpanOf(field::LossesToMines),
    SpanOf(field::KilledByPlayersByRating),
    SpanOf(field::LossesToNonPlayerCraft),
    SpanOf(field::AzzScoreB),
    SpanOf(field::AzzBonus),
    SpanOf(field::AzzScoreC),
    SpanOf(field::AzzScoreD),
    SpanOf(field::AzzKillCount),
    SpanOf(field::AzzAssistsB),
};

// The index of the first descriptor that starts before the previous one ends (so out of order or
// overlapping), or the table's size when there is none.
constexpr std::size_t FirstOverlap() {
  for (std::size_t i = 1; i < kLayout.size(); ++i)
    if (kLayout[i].offset < kLayout[i - 1].end()) return i;
  return kLayout.size();
}

constexpr bool InLayout(const FieldSpan& span) {
  for (const FieldSpan& entry : kLayout)
    if (entry == span) return true;
  return false;
}

// Every member of the group is in the table, in file order; returns the member count.
template <typename Group>
constexpr std::size_t CheckedGroupSize(const Group& group) {
  std::size_t previousEnd = 0;
  for (const auto& member : group) {
    const FieldSpan span = SpanOf(member);
    if (!InLayout(span) || span.offset < previousEnd)
      throw "group member missing from the layout or out of order";
    previousEnd = span.end();
  }
  return group.size();
}

static_assert(FirstOverlap() == kLayout.size(),
              "pilot file layout: a field starts before the one above it ends");
static_assert(kLayout.back().end() <= kPilotFileSize,
              "pilot file layout: a field reaches past the end of the file");
static_assert(1 + CheckedGroupSize(kGameNameFields) + CheckedGroupSize(kInt32Fields) +
                      CheckedGroupSize(kCraftListFields) + CheckedGroupSize(kRatingListFields) +
                      CheckedGroupSize(kMissionListFields) ==
                  kLayout.size(),
              "pilot file layout: a field is missing from its group, or a group holds it twice");
static_assert(mission_record::kBonus + 4 <= kMissionRecordSize);

}  // namespace
}  // namespace orlenda

#include "pilot/unwritten_fields.h"

#include <algorithm>

#include "pilot/file_layout.h"

namespace orlenda {
namespace {

bool IsWrittenByUpdate(const Int32Field& f) {
  return f.offset == field::Rank.offset || f.offset == field::Rating.offset ||
         f.offset == field::KalidorStatus.offset;
}

bool SameSimMissions(const PilotRecord& a, const PilotRecord& b) {
  return a.SimMissionCount == b.SimMissionCount &&
         std::equal(a.SimMissions.begin(), a.SimMissions.begin() + a.SimMissionCount, b.SimMissions.begin());
}

}  // namespace

bool UnwrittenFieldsMatch(const PilotRecord& a, const PilotRecord& b) {
  for (const auto& f : kGameNameFields)
    if (a.*f.member != b.*f.member) return false;
  for (const auto& f : kInt32Fields)
    if (!IsWrittenByUpdate(f) && a.*f.member != b.*f.member) return false;
  for (const auto& f : kCraftListFields)
    if (a.*f.member != b.*f.member) return false;
  for (const auto& f : kRatingListFields)
    if (a.*f.member != b.*f.member) return false;
  return SameSimMissions(a, b);
}

}  // namespace orlenda

#pragma once

// Byte-level checks for tests of the pilot details update: which bytes of a file changed, and
// whether they all lie inside the ranges that the update may write.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pilot/details_patch.h"
#include "pilot/file_layout.h"

namespace orlenda::test {

// The ranges the update may write: the name, the three enumerations, and with an active mission A
// the campaign slots 0 to A.
inline std::vector<ByteRange> UpdatableRanges(std::optional<int> activeMission) {
  std::vector<ByteRange> ranges{{field::PilotName.offset, kPilotNameSize}, {field::Rating.offset, 12}};
  if (activeMission)
    ranges.push_back(
        {field::CampaignMissions.offset, kMissionRecordSize * static_cast<std::size_t>(*activeMission + 1)});
  return ranges;
}

// The offsets at which the two files differ outside `allowed`, at most the first ten.
inline std::vector<std::size_t> ChangesOutside(const std::vector<std::uint8_t>& before,
                                               const std::vector<std::uint8_t>& after,
                                               const std::vector<ByteRange>& allowed) {
  std::vector<std::size_t> changes;
  if (before.size() != after.size()) return {before.size()};
  for (std::size_t i = 0; i < before.size() && changes.size() < 10; ++i) {
    if (before[i] == after[i]) continue;
    bool inside = false;
    for (const ByteRange& r : allowed) inside = inside || (i >= r.offset && i < r.offset + r.size);
    if (!inside) changes.push_back(i);
  }
  return changes;
}

}  // namespace orlenda::test

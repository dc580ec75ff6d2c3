#pragma once

// The bytes that the update writes, worked out on an image of the whole pilot file in memory, so that
// the file itself receives only finished ranges.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "pilot/pilot_details.h"
#include "pilot/pilot_record.h"

namespace orlenda {

struct ByteRange {
  std::size_t offset = 0;
  std::size_t size = 0;
};

using PilotFileImage = std::span<std::uint8_t, kPilotFileSize>;

// Writes the name, each present enumeration value and, with an active mission A, the campaign records
// 0 to A-1 and the all-zero terminating record at slot A into `image`; returns the ranges written, in
// file order. A campaign record keeps what its slot held in the bytes the update does not define;
// its presence mark keeps a non-zero value and is 1 otherwise, so that the next load finds it.
std::vector<ByteRange> PatchPilotDetails(PilotFileImage image, const StoredPilotName& name,
                                         const PilotDetails& details, const MissionList& campaign);

}  // namespace orlenda

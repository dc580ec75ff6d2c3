#pragma once

// The bytes that the update writes, worked out on an image of the whole pilot file in memory, so that
// the file itself receives only finished ranges.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "pilot/details_changes.h"
#include "pilot/pilot_record.h"

namespace orlenda {

struct ByteRange {
  std::size_t offset = 0;
  std::size_t size = 0;
};

using PilotFileImage = std::span<std::uint8_t, kPilotFileSize>;

// Writes each change into `image` and returns the ranges written, in file order. A campaign list
// that goes from C to A completed missions keeps records 0 to min(A, C) - 1 as they are; for A > C
// the records C to A - 1 are built from the campaign entries; the all-zero terminating record goes
// to slot A, and for A < C the records A + 1 to C - 1, which leave the list, are cleared to zero as
// well: the game's own files hold no record past the active mission, and one left there would still
// count as flown for whatever reads every slot. Nothing from slot C on is written by a move back. A
// built record keeps what its slot held in the bytes the update does not define; its
// presence mark keeps a non-zero value and is 1 otherwise, so that the next load finds it.
std::vector<ByteRange> PatchPilotDetails(PilotFileImage image, const DetailsChanges& changes,
                                         const MissionList& campaign);

}  // namespace orlenda

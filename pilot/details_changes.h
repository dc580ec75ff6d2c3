#pragma once

// What an update changes: each of the pilot's details only where the chosen value differs from what
// the file holds, as this program last read or wrote it. An untouched detail is not written at all,
// so a save never alters bytes that the player did not ask to change.

#include <optional>
#include <string>
#include <vector>

#include "pilot/pilot_details.h"
#include "pilot/pilot_record.h"

namespace orlenda {

// The campaign list goes from `fromCount` completed missions (what the file holds) to `toCount`.
struct CampaignChange {
  int fromCount = 0;
  int toCount = 0;
};

struct DetailsChanges {
  std::optional<StoredPilotName> name;
  std::optional<int> rank;
  std::optional<int> rating;
  std::optional<int> kalidorStatus;
  std::optional<CampaignChange> campaign;

  bool Empty() const { return !name && !rank && !rating && !kalidorStatus && !campaign; }
  // A move of the active mission back: the missions after it leave the list with their scores.
  bool LosesScores() const { return campaign && campaign->toCount < campaign->fromCount; }
};

// The record as its file holds it now: the last bytes this program read or wrote, loaded again.
PilotRecord RecordOnDisk(const PilotRecord& record);

// The changes that `details` (checked by CheckPilotDetails) make to the file that `record` was
// loaded from. A name counts as changed when its stored text differs from the name in the file.
DetailsChanges PlanChanges(const PilotDetails& details, const PilotRecord& record);

// One line per change for the player to read before saying Yes, such as
// "Active mission: 59 → 1 (58 completed missions leave the list)".
std::vector<std::string> DescribeChanges(const DetailsChanges& changes, const PilotRecord& record);

}  // namespace orlenda

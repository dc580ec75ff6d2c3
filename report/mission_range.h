#pragma once

// The range of campaign missions to list: the "From:" and "To:" fields of the pilot file view.

namespace orlenda {

struct MissionRange {
  int From = 0;
  int To = 0;
};

// Pulls the range into 0 <= From <= To <= missionCount, in place. A From above To ends one below To
// (or at 0): From 5, To 3 gives 2..3; From 50, To 300 with 40 missions gives 39..40.
void NormaliseMissionRange(MissionRange& range, int missionCount);

}  // namespace orlenda

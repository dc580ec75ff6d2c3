#pragma once

// Telling whether a pilot file still holds what was loaded from it, in the fields that the update
// does not write: if another program (the game after a mission) has written to the file since, saving
// the view's stale campaign entries over it would lose that progress.

#include "pilot/pilot_record.h"

namespace orlenda {

// True when both records agree in every loaded field except the name, rank, rating, Kalidor Crescent
// status and campaign list, which an earlier save of this run may have changed.
bool UnwrittenFieldsMatch(const PilotRecord& a, const PilotRecord& b);

}  // namespace orlenda

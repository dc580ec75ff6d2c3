#pragma once

// What a move of the active mission may overwrite. The move writes the campaign slots from the end of
// the loaded list up to the new active mission, and a terminating record there. A slot among them
// that holds a record which the list does not reach (a campaign that leaves gaps, or starts after
// slot 0) would lose that record: such a move is refused, and the active-mission box says how far a
// move may go.

#include <optional>
#include <string>

#include "pilot/pilot_record.h"

namespace orlenda {

// The furthest active mission (a number of completed missions) that a move may choose in the file as
// this program last read or wrote it: any move back, and forward up to the slot before the first
// record past the end of the list; the last item of the mission list when no such record limits it.
int FurthestActiveMission(const PilotRecord& record);

// Why the active mission cannot move past FurthestActiveMission, or nothing when it can go anywhere:
// "The active mission cannot move past mission 3: mission 4 holds a record past the end of the
// campaign list (total conversion), which a move there would overwrite."
std::optional<std::string> ActiveMissionLimitNote(const PilotRecord& record);

// Why a move to `activeMission` completed missions is refused, naming the missions that it would
// overwrite and their scores; nothing when it overwrites none.
std::optional<std::string> CampaignMoveRefusal(int activeMission, const PilotRecord& record);

}  // namespace orlenda

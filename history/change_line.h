#pragma once

// What changed from one kept state to the next, in one line of the words players use: "Rank Flight
// Cadet → Flight Officer, + missions 56–58, total 2,176 → 15,490". The list, the History window's
// table and the lost-missions warning all say it so.

#include <string>

#include "history/state_summary.h"

namespace orlenda {

// "56–58, 60": the missions (numbered from 1) in runs.
std::string MissionRunsText(const WonMissions& missions);

// The change line from `before` to `after`; "first state" without a state before, "no change of
// career" when only bytes outside the named values changed.
std::string ChangeLine(const StateSummary* before, const StateSummary& after);

// The missions that `before` had won and `after` has not.
WonMissions LostMissions(const StateSummary& before, const StateSummary& after);

// "It drops the scores of missions 12–14.": what a restore from `now` to `restored` costs in won
// missions; empty when it drops none.
std::string DroppedScoresLine(const StateSummary& now, const StateSummary& restored);

// Whether the file now holds less than the newest kept state: missions lost or a lower campaign total.
bool CareerWentBack(const StateSummary& kept, const StateSummary& now);

// "Ace has lost missions 56–58 since 3 Dec 2026 (campaign total 15,490 → 2,176). History holds the
// earlier state."; `since` is the date the kept state was last seen, as the caller writes dates.
std::string LostMissionsWarning(const StateSummary& kept, const StateSummary& now, const std::string& since);

}  // namespace orlenda

#pragma once

// The checks of one pilot file's review, each on its own, in the order ReviewCheckIds lists them.
// Private to the review room: pilot_review.cpp runs them.

#include <string>
#include <string_view>
#include <vector>

#include "pilot/campaign_career.h"
#include "pilot/pilot_load.h"
#include "review/pilot_review.h"

namespace orlenda::review_checks {

// A check of that id, with its title, that did not run, and why.
ReviewCheck NotRun(std::string_view id, std::string detail);

ReviewCheck LoadCheck(const LoadResult& load);
// The battle asked for, else the one that the layout names; `battle` gets it.
ReviewCheck BattleCheck(const ReviewRequest& request, const CampaignCareer& career,
                        std::optional<BattleMissions>& battle);
ReviewCheck AllWonCheck(const PilotReview& review);
ReviewCheck TotalsCheck(const PilotReview& review, const PilotRecord& record);
ReviewCheck OnlyBattleCheck(const PilotReview& review, const CampaignCareer& career,
                            const PilotRecord& record);
ReviewCheck ScoreCopiesCheck(const PilotRecord& record);
ReviewCheck FriendlyKillsCheck(const PilotRecord& record, const std::vector<int>& craft);
ReviewCheck HighScoresCheck(const PilotReview& review);
ReviewCheck Sha256Check(const PilotReview& review);
// Passes until MarkSameFlights finds another file with the same flight; not run without a flight.
ReviewCheck SameFlightCheck(const PilotReview& review);

// "4, 5 and 6": mission numbers in words, at most ten and then how many more.
std::string MissionNumbersText(const std::vector<int>& missions);
// "mission 4" or "missions 4, 5 and 6".
std::string MissionsText(const std::vector<int>& missions);

}  // namespace orlenda::review_checks

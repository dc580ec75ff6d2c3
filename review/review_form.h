#pragma once

// The submission form of one reviewed pilot: plain text that a member pastes into an e-mail to the
// club, with the file's digest, the battle's missions one a line, the totals, kills, losses and shots,
// and the verdict with every check.

#include <string>
#include <vector>

#include "review/pilot_review.h"

namespace orlenda {

// The form's lines, each without its line end.
std::vector<std::string> ReviewFormLines(const PilotReview& review);

// The forms of several pilots, an empty line between two, each line ended by "\n".
std::string ReviewForms(const std::vector<PilotReview>& reviews);

}  // namespace orlenda

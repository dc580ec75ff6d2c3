#pragma once

// The review's four answers on standard output: the aligned table (file, pilot, verdict, the first
// failed check), the CSV and JSON of every check, and the submission forms.

#include <ostream>
#include <vector>

#include "review/pilot_review.h"

namespace orlenda::cli {

void WriteReviewTable(const std::vector<PilotReview>& reviews, std::ostream& out);
void WriteReviewCsv(const std::vector<PilotReview>& reviews, std::ostream& out);
// An array of one object per file: its verdict, battle, missions, tallies and every check with its
// numbers.
void WriteReviewJson(const std::vector<PilotReview>& reviews, std::ostream& out);
void WriteReviewForms(const std::vector<PilotReview>& reviews, std::ostream& out);

}  // namespace orlenda::cli

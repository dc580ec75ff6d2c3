#pragma once

// The reviews as RFC 4180 CSV for a club's database, through the roster's CSV writer: a heading row,
// then one record per file with its verdict, its battle and sums, and every check's result and detail.
// Texts from the files are made safe to show first.

#include <string>
#include <vector>

#include "review/pilot_review.h"
#include "roster/roster_row.h"

namespace orlenda {

std::vector<std::string> ReviewCsvHeading();
std::vector<std::string> ReviewCsvFields(const PilotReview& review);
std::string ReviewCsv(const std::vector<PilotReview>& reviews);

// The roster's CSV (roster/roster_csv.h) with two columns more, `verdict` and `first_failed_check`,
// as the Pilots window saves it after a review; `reviews` has one entry per row, nullptr for a file
// not reviewed (its two fields empty).
std::string RosterCsvWithVerdicts(const std::vector<RosterRow>& rows,
                                  const std::vector<const PilotReview*>& reviews);

// "pass" or "fail", as the CSV's verdict column holds it.
std::string VerdictWord(const PilotReview& review);

}  // namespace orlenda

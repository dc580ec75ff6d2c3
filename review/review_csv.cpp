#include "review/review_csv.h"

#include "base/display_text.h"
#include "roster/roster_columns.h"
#include "roster/roster_csv.h"

namespace orlenda {

std::string VerdictWord(const PilotReview& review) { return review.Passed() ? "pass" : "fail"; }

std::vector<std::string> ReviewCsvHeading() {
  std::vector<std::string> heading{"file",   "pilot",    "verdict",      "first_failed_check",
                                   "battle", "missions", "missions_won", "score",
                                   "bonus",  "time"};
  for (std::string_view id : ReviewCheckIds()) {
    heading.emplace_back(id);
    heading.push_back(std::string(id) + "_detail");
  }
  return heading;
}

std::vector<std::string> ReviewCsvFields(const PilotReview& review) {
  const ReviewCheck* failure = review.FirstFailure();
  const bool battle = review.battle.has_value();
  std::vector<std::string> fields{EscapedText(review.file),
                                  EscapedText(review.pilot),
                                  VerdictWord(review),
                                  failure != nullptr ? failure->title : std::string(),
                                  battle ? BattleMissionsText(*review.battle) : std::string(),
                                  battle ? std::to_string(review.missions.size()) : std::string(),
                                  battle ? std::to_string(review.missionsWon) : std::string(),
                                  battle ? std::to_string(review.score) : std::string(),
                                  battle ? std::to_string(review.bonus) : std::string(),
                                  battle ? std::to_string(review.time) : std::string()};
  for (std::string_view id : ReviewCheckIds()) {
    const ReviewCheck* check = review.Check(id);
    fields.emplace_back(check != nullptr ? CheckResultName(check->result)
                                         : CheckResultName(CheckResult::kNotRun));
    fields.push_back(check != nullptr ? EscapedText(check->detail) : std::string());
  }
  return fields;
}

std::string RosterCsvWithVerdicts(const std::vector<RosterRow>& rows,
                                  const std::vector<const PilotReview*>& reviews) {
  std::vector<std::string> heading = RosterColumnIds();
  heading.insert(heading.end(), {"verdict", "first_failed_check"});
  std::string csv = CsvRecord(heading);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::vector<std::string> fields = RosterCsvFields(rows[i]);
    const PilotReview* review = i < reviews.size() ? reviews[i] : nullptr;
    const ReviewCheck* failure = review != nullptr ? review->FirstFailure() : nullptr;
    fields.push_back(review != nullptr ? VerdictWord(*review) : std::string());
    fields.push_back(failure != nullptr ? failure->title : std::string());
    csv += CsvRecord(fields);
  }
  return csv;
}

std::string ReviewCsv(const std::vector<PilotReview>& reviews) {
  return CsvTable(ReviewCsvHeading(), reviews, ReviewCsvFields);
}

}  // namespace orlenda

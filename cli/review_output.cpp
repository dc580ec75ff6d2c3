#include "cli/review_output.h"

#include <array>
#include <string>

#include "base/display_text.h"
#include "cli/json_writer.h"
#include "cli/text_table.h"
#include "review/review_csv.h"
#include "review/review_form.h"

namespace orlenda::cli {
namespace {

std::array<std::string, 4> TableRow(const PilotReview& review) {
  const ReviewCheck* failure = review.FirstFailure();
  return {review.file, EscapedText(review.pilot), failure == nullptr ? "Pass" : "Fail",
          failure == nullptr ? std::string() : EscapedText(failure->title + ": " + failure->detail)};
}

void WriteMission(const ReviewedMission& mission, JsonWriter& json) {
  json.BeginObject();
  json.Member("mission", mission.mission);
  json.Member("held", mission.held);
  json.Member("attempts", mission.attempts);
  json.Member("wins", mission.wins);
  json.Member("score", mission.score);
  json.Member("bonus", mission.bonus);
  json.Member("time", mission.time);
  json.Key("high_score");
  if (mission.highScore)
    json.Number(*mission.highScore);
  else
    json.Null();
  json.EndObject();
}

void WriteCheck(const ReviewCheck& check, JsonWriter& json) {
  json.BeginObject();
  json.Member("id", check.id);
  json.Member("title", check.title);
  json.Member("result", CheckResultName(check.result));
  json.Member("detail", check.detail);
  json.Key("numbers");
  json.BeginObject();
  for (const ReviewNumber& number : check.numbers) json.Member(number.name, number.value);
  json.EndObject();
  json.EndObject();
}

void WriteBattle(const PilotReview& review, JsonWriter& json) {
  json.Key("battle");
  if (!review.battle) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Member("first_mission", review.battle->first);
  json.Member("last_mission", review.battle->last);
  json.Member("missions_won", review.missionsWon);
  json.Member("score", review.score);
  json.Member("bonus", review.bonus);
  json.Member("time", review.time);
  json.Key("missions");
  json.BeginArray();
  for (const ReviewedMission& mission : review.missions) WriteMission(mission, json);
  json.EndArray();
  json.EndObject();
}

void WriteTallies(const PilotTallies& tallies, JsonWriter& json) {
  json.Member("kills", tallies.kills);
  json.Member("losses", tallies.losses);
  json.Member("lasers_fired", tallies.lasersFired);
  json.Member("laser_hits", tallies.laserHits);
  json.Member("warheads_fired", tallies.warheadsFired);
  json.Member("warhead_hits", tallies.warheadHits);
}

void WriteReview(const PilotReview& review, JsonWriter& json) {
  json.BeginObject();
  json.Member("file", review.file);
  json.Member("loaded", review.loaded);
  json.Key("pilot");
  if (review.loaded)
    json.String(review.pilot);
  else
    json.Null();
  json.Member("verdict", VerdictWord(review));
  json.Key("first_failed_check");
  if (const ReviewCheck* failure = review.FirstFailure())
    json.String(failure->id);
  else
    json.Null();
  json.Key("sha256");
  if (review.loaded)
    json.String(review.sha256);
  else
    json.Null();
  WriteBattle(review, json);
  if (review.loaded) WriteTallies(review.tallies, json);
  json.Key("checks");
  json.BeginArray();
  for (const ReviewCheck& check : review.checks) WriteCheck(check, json);
  json.EndArray();
  json.EndObject();
}

}  // namespace

void WriteReviewTable(const std::vector<PilotReview>& reviews, std::ostream& out) {
  const std::array<std::string, 4> heading{"file", "pilot", "verdict", "first failed check"};
  std::array<std::size_t, 4> widths{};
  std::vector<std::array<std::string, 4>> rows{heading};
  for (const PilotReview& review : reviews) rows.push_back(TableRow(review));
  for (const auto& row : rows)
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c)
      line += (c == 0 ? "" : "  ") + Padded(row[c], widths[c], false);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << '\n';
  }
}

void WriteReviewCsv(const std::vector<PilotReview>& reviews, std::ostream& out) { out << ReviewCsv(reviews); }

void WriteReviewJson(const std::vector<PilotReview>& reviews, std::ostream& out) {
  JsonWriter json(out);
  json.BeginArray();
  for (const PilotReview& review : reviews) WriteReview(review, json);
  json.EndArray();
  json.Flush();
  out << '\n';
}

void WriteReviewForms(const std::vector<PilotReview>& reviews, std::ostream& out) {
  out << ReviewForms(reviews);
}

}  // namespace orlenda::cli

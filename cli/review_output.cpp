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
  return {EscapedText(review.file), EscapedText(review.pilot), failure == nullptr ? "Pass" : "Fail",
          failure == nullptr ? std::string() : EscapedText(failure->title + ": " + failure->detail)};
}

void WriteMission(const ReviewedMission& mission, JsonWriter& json) {
  json.Object([&] {
    json.Members("mission", mission.mission, "held", mission.held, "attempts", mission.attempts, "wins",
                 mission.wins, "score", mission.score, "bonus", mission.bonus, "time", mission.time);
    json.MemberOrNull("high_score", mission.highScore);
  });
}

void WriteCheck(const ReviewCheck& check, JsonWriter& json) {
  json.Object([&] {
    json.Members("id", check.id, "title", check.title, "result", CheckResultName(check.result), "detail",
                 check.detail);
    json.Key("numbers");
    json.Object([&] {
      for (const ReviewNumber& number : check.numbers) json.Member(number.name, number.value);
    });
  });
}

void WriteBattle(const PilotReview& review, JsonWriter& json) {
  json.Key("battle");
  if (!review.battle) {
    json.Null();
    return;
  }
  json.Object([&] {
    json.Members("first_mission", review.battle->first, "last_mission", review.battle->last, "missions_won",
                 review.missionsWon, "score", review.score, "bonus", review.bonus, "time", review.time);
    json.ArrayMember("missions", review.missions,
                     [&json](const ReviewedMission& mission) { WriteMission(mission, json); });
  });
}

void WriteTallies(const PilotTallies& tallies, JsonWriter& json) {
  json.Members("kills", tallies.kills, "losses", tallies.losses, "lasers_fired", tallies.lasersFired,
               "laser_hits", tallies.laserHits, "warheads_fired", tallies.warheadsFired, "warhead_hits",
               tallies.warheadHits);
}

void WriteReview(const PilotReview& review, JsonWriter& json) {
  json.Object([&] {
    json.Members("file", EscapedText(review.file), "loaded", review.loaded);  // as the table shows it
    json.MemberOrNull("pilot", review.loaded, review.pilot);
    json.Member("verdict", VerdictWord(review));
    const ReviewCheck* failure = review.FirstFailure();
    json.MemberOrNull("first_failed_check", failure != nullptr,
                      failure != nullptr ? failure->id : std::string());
    json.MemberOrNull("sha256", review.loaded, review.sha256);
    WriteBattle(review, json);
    if (review.loaded) WriteTallies(review.tallies, json);
    json.ArrayMember("checks", review.checks, [&json](const ReviewCheck& check) { WriteCheck(check, json); });
  });
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
  WriteJsonAnswer(out, [&reviews](JsonWriter& json) {
    json.Array(reviews, [&json](const PilotReview& review) { WriteReview(review, json); });
  });
}

void WriteReviewForms(const std::vector<PilotReview>& reviews, std::ostream& out) {
  out << ReviewForms(reviews);
}

}  // namespace orlenda::cli

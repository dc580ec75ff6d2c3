#include "review/review_form.h"

#include "base/display_text.h"
#include "report/number_text.h"

namespace orlenda {
namespace {

std::string ShotsText(std::int32_t fired, std::int32_t hits) {
  std::string text = IntText(fired) + " fired, " + IntText(hits) + " hits";
  if (fired > 0) text += " (" + PercentageText(hits, fired, ".") + "%)";
  return text;
}

std::string HighScoreText(const ReviewedMission& mission) {
  if (!mission.highScore) return {};
  std::string text = ", high score " + IntText(*mission.highScore);
  if (mission.flown && mission.score > *mission.highScore) return text + ", new high score";
  if (*mission.highScore > 0) text += " (" + PercentageText(mission.score, *mission.highScore, ".") + "%)";
  return text;
}

std::string MissionLine(const ReviewedMission& mission) {
  std::string line = "Mission " + std::to_string(mission.mission) + ": ";
  if (!mission.held) return line + "not flown";
  line += "score " + IntText(mission.score) + ", bonus " + IntText(mission.bonus) + ", time " +
          MissionTimeText(mission.time, TimeSeconds::kTwoDigits) + ", attempts " + IntText(mission.attempts);
  if (!mission.won) line += mission.flown ? ", not won" : ", not flown";
  return line + HighScoreText(mission);
}

void AppendBattle(const PilotReview& review, std::vector<std::string>& lines) {
  lines.push_back("Battle: missions " + BattleMissionsText(*review.battle));
  for (const ReviewedMission& mission : review.missions) lines.push_back(MissionLine(mission));
  lines.push_back("Total: score " + IntText(review.score) + ", bonus " + IntText(review.bonus) + ", time " +
                  MissionTimeText(review.time, TimeSeconds::kTwoDigits) + ", " +
                  std::to_string(review.missionsWon) + " of " + std::to_string(review.missions.size()) +
                  " missions won");
}

void AppendTallies(const PilotTallies& tallies, std::vector<std::string>& lines) {
  lines.push_back("Kills: " + IntText(tallies.kills));
  lines.push_back("Losses: " + IntText(tallies.losses));
  lines.push_back("Lasers: " + ShotsText(tallies.lasersFired, tallies.laserHits));
  lines.push_back("Warheads: " + ShotsText(tallies.warheadsFired, tallies.warheadHits));
}

}  // namespace

std::vector<std::string> ReviewFormLines(const PilotReview& review) {
  std::vector<std::string> lines;
  lines.push_back("Pilot: " + (review.loaded ? EscapedText(review.pilot) : std::string("-")));
  lines.push_back("File: " + EscapedText(review.file));
  lines.push_back("SHA-256: " + (review.sha256.empty() ? std::string("-") : review.sha256));
  if (review.battle)
    AppendBattle(review, lines);
  else
    lines.push_back("Battle: -");
  if (review.loaded) AppendTallies(review.tallies, lines);
  lines.push_back("Verdict: " + EscapedText(VerdictText(review)));
  for (const ReviewCheck& check : review.checks)
    if (check.id != "sha256")
      lines.push_back("- " + check.title + ": " + std::string(CheckResultName(check.result)) +
                      (check.detail.empty() ? "" : " (" + EscapedText(check.detail) + ")"));
  return lines;
}

std::string ReviewForms(const std::vector<PilotReview>& reviews) {
  std::string text;
  for (std::size_t i = 0; i < reviews.size(); ++i) {
    if (i > 0) text += '\n';
    for (const std::string& line : ReviewFormLines(reviews[i])) text += line + '\n';
  }
  return text;
}

}  // namespace orlenda

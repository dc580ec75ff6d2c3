#include "review/review_checks.h"

#include <algorithm>
#include <utility>

#include "base/display_text.h"
#include "pilot/enumerations.h"
#include "pilot/le_int32.h"
#include "report/consistency_check.h"
#include "report/number_text.h"
#include "report/text_sink.h"
#include "roster/roster_build.h"
#include "settings/settings_snapshot.h"

namespace orlenda::review_checks {
namespace {

ReviewCheck Made(std::string_view id, CheckResult result, std::string detail,
                 std::vector<ReviewNumber> numbers = {}) {
  return {std::string(id), std::string(ReviewCheckTitle(id)), result, std::move(detail), std::move(numbers)};
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator = "; ") {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : std::string(separator)) + part;
  return text;
}

// The first of the copies that is not zero, or zero.
std::int32_t FirstNonZero(std::initializer_list<std::int32_t> copies) {
  for (std::int32_t copy : copies)
    if (copy != 0) return copy;
  return 0;
}

// The layouts that hold no one battle, each with what it says against the file; the club battle
// layouts say nothing.
constexpr std::pair<CampaignLayout, std::string_view> kNoBattleLayouts[] = {
    {CampaignLayout::kStock, "the file holds the stock campaign, not one battle"},
    {CampaignLayout::kTotalConversion, "the file holds a total conversion campaign, not one battle"},
    {CampaignLayout::kOther, "the file's missions lie in no known layout"},
};

std::string TheLayoutSays(CampaignLayout layout) {
  for (const auto& [each, says] : kNoBattleLayouts)
    if (each == layout) return std::string(says);
  return {};
}

std::vector<int> MissionsOutside(const PilotReview& review, const CampaignCareer& career) {
  std::vector<int> outside;
  for (const CampaignSlot& slot : career.slots)
    if (!review.battle->HoldsSlot(slot.slot) && !slot.Skipped()) outside.push_back(slot.slot + 1);
  return outside;
}

}  // namespace

std::string MissionsText(const std::vector<int>& missions) {
  return (missions.size() == 1 ? "mission " : "missions ") + MissionNumbersText(missions);
}

ReviewCheck NotRun(std::string_view id, std::string detail) {
  return Made(id, CheckResult::kNotRun, std::move(detail));
}

std::string MissionNumbersText(const std::vector<int>& missions) {
  constexpr std::size_t kShown = 10;
  std::string text;
  const std::size_t shown = std::min(missions.size(), kShown);
  for (std::size_t i = 0; i < shown; ++i) {
    if (i > 0) text += (i + 1 == shown && missions.size() <= kShown) ? " and " : ", ";
    text += std::to_string(missions[i]);
  }
  if (missions.size() > kShown) text += " and " + std::to_string(missions.size() - kShown) + " more";
  return text;
}

ReviewCheck LoadCheck(const LoadResult& load) {
  if (load.Succeeded()) return Made("load", CheckResult::kPass, "loaded");
  return Made("load", CheckResult::kFail, JoinedMessages(load.messages), {{"errors", load.errorCount}});
}

ReviewCheck BattleCheck(const ReviewRequest& request, const CampaignCareer& career,
                        std::optional<BattleMissions>& battle) {
  if (request.battle) {
    battle = request.battle;
    return Made("battle", CheckResult::kPass, "missions " + BattleMissionsText(*battle) + ", as asked",
                {{"first_mission", battle->first}, {"last_mission", battle->last}});
  }
  BattleChoice choice = BattleOfLayout(career);
  if (!choice.battle) return Made("battle", CheckResult::kFail, std::move(choice.reason));
  battle = choice.battle;
  return Made(
      "battle", CheckResult::kPass,
      "missions " + BattleMissionsText(*battle) + ", the " + std::string(CampaignLayoutName(career.layout)),
      {{"first_mission", battle->first}, {"last_mission", battle->last}});
}

ReviewCheck AllWonCheck(const PilotReview& review) {
  std::vector<int> notFlown;
  std::vector<int> notWon;
  std::vector<std::string> retries;
  std::int64_t attempts = 0;
  for (const ReviewedMission& mission : review.missions) {
    attempts += mission.attempts;
    if (!mission.flown)
      notFlown.push_back(mission.mission);
    else if (!mission.won)
      notWon.push_back(mission.mission);
    if (mission.attempts > 1)
      retries.push_back("mission " + std::to_string(mission.mission) + ": " +
                        std::to_string(mission.attempts) + " attempts");
  }
  std::vector<std::string> parts;
  if (!notFlown.empty()) parts.push_back(MissionsText(notFlown) + " not flown");
  if (!notWon.empty()) parts.push_back(MissionsText(notWon) + " not won");
  const auto count = static_cast<std::int64_t>(review.missions.size());
  parts.push_back(std::to_string(review.missionsWon) + " of " + std::to_string(count) + " missions won");
  parts.insert(parts.end(), retries.begin(), retries.end());
  const bool allWon = notFlown.empty() && notWon.empty();
  return Made("all_won", allWon ? CheckResult::kPass : CheckResult::kFail, Joined(parts),
              {{"missions", count}, {"won", review.missionsWon}, {"attempts", attempts}});
}

ReviewCheck TotalsCheck(const PilotReview& review, const PilotRecord& record) {
  const bool scores = review.score == record.TODScoreA;
  const bool bonuses = review.bonus == record.TODBonus;
  const std::string detail = "the missions' scores sum to " + IntText(review.score) +
                             (scores ? ", " : ", but ") + "the TOD score is " + IntText(record.TODScoreA) +
                             "; their bonuses sum to " + IntText(review.bonus) + (bonuses ? ", " : ", but ") +
                             "the TOD bonus is " + IntText(record.TODBonus);
  return Made("totals", scores && bonuses ? CheckResult::kPass : CheckResult::kFail, detail,
              {{"mission_scores", review.score},
               {"tod_score", record.TODScoreA},
               {"mission_bonuses", review.bonus},
               {"tod_bonus", record.TODBonus}});
}

ReviewCheck OnlyBattleCheck(const PilotReview& review, const CampaignCareer& career,
                            const PilotRecord& record) {
  const std::vector<int> outside = MissionsOutside(review, career);
  const std::int32_t azzScore =
      FirstNonZero({record.AzzScoreA, record.AzzScoreB, record.AzzScoreC, record.AzzScoreD, record.AzzBonus});
  const std::int32_t simScore =
      FirstNonZero({record.SimScoreA, record.SimScoreB, record.SimScoreC, record.SimScoreD, record.SimBonus});
  std::vector<std::string> faults;
  if (!outside.empty()) {
    faults.push_back(MissionsText(outside) + " outside the battle flown or scored");
    if (std::string says = TheLayoutSays(career.layout); !says.empty()) faults.push_back(std::move(says));
  }
  if (azzScore != 0) faults.push_back("an Azzameen score of " + IntText(azzScore));
  if (record.SimMissionCount > 0)
    faults.push_back(std::to_string(record.SimMissionCount) + " combat simulator missions");
  if (simScore != 0) faults.push_back("a combat simulator score of " + IntText(simScore));
  std::vector<ReviewNumber> numbers{{"missions_outside", static_cast<std::int64_t>(outside.size())},
                                    {"azzameen_score", azzScore},
                                    {"simulator_missions", record.SimMissionCount},
                                    {"simulator_score", simScore}};
  if (faults.empty())
    return Made("only_battle", CheckResult::kPass, "no other mission, Azzameen or combat simulator score",
                std::move(numbers));
  return Made("only_battle", CheckResult::kFail, Joined(faults), std::move(numbers));
}

ReviewCheck ScoreCopiesCheck(const PilotRecord& record) {
  // The check runs whatever the player's settings say, without the compared values.
  static const SettingsSnapshot kCheckOn =
      SettingsSnapshot::OfText("[Orlenda]\nCheckCheat=1\nShowErrorDetailes=0\n");
  LineCollector lines;
  const int errors = AppendConsistencyCheck(record, kCheckOn, lines);
  std::vector<std::string> found;  // the copies that disagree and the count, or "Pilotfile seems OK."
  for (const std::string& line : lines.lines())
    if (line.ends_with('!') || line == "Pilotfile seems OK.") found.push_back(line);
  return Made("score_copies", errors == 0 ? CheckResult::kPass : CheckResult::kFail, Joined(found),
              {{"errors", errors}});
}

ReviewCheck FriendlyKillsCheck(const PilotRecord& record, const std::vector<int>& craft) {
  if (craft.empty()) return NotRun("friendly_kills", "no friendly craft named");
  std::vector<std::string> kills;
  std::vector<std::string> names;
  std::int64_t total = 0;
  for (int index : craft) {
    const auto i = static_cast<std::size_t>(index);
    const std::int32_t count = std::max({record.TODKillsA[i], record.TODKillsB[i], record.AzzKills[i], 0});
    const std::string& name = CraftTypeNames()[i];
    names.push_back(name);
    if (count > 0) kills.push_back(name + ": " + IntText(count) + (count == 1 ? " kill" : " kills"));
    total += count;
  }
  if (kills.empty())
    return Made("friendly_kills", CheckResult::kPass, "no kill of " + Joined(names, ", "), {{"kills", 0}});
  return Made("friendly_kills", CheckResult::kFail, Joined(kills), {{"kills", total}});
}

ReviewCheck HighScoresCheck(const PilotReview& review) {
  std::vector<std::string> parts;
  std::int64_t beaten = 0;
  for (const ReviewedMission& mission : review.missions) {
    std::string part = "mission " + std::to_string(mission.mission) + ": " + IntText(mission.score);
    if (!mission.highScore) {
      parts.push_back(part + ", no high score given");
      continue;
    }
    part += " of " + IntText(*mission.highScore);
    if (*mission.highScore > 0) part += " (" + PercentageText(mission.score, *mission.highScore, ".") + "%)";
    if (mission.flown && mission.score > *mission.highScore) {
      part += ", new high score";
      ++beaten;
    }
    parts.push_back(std::move(part));
  }
  return Made("high_scores", CheckResult::kNote, Joined(parts), {{"new_high_scores", beaten}});
}

ReviewCheck Sha256Check(const PilotReview& review) {
  return Made("sha256", CheckResult::kNote, review.sha256);
}

ReviewCheck SameFlightCheck(const PilotReview& review) {
  const bool flown = std::ranges::any_of(review.missions, [](const ReviewedMission& m) { return m.flown; });
  if (!flown) return NotRun("same_flight", "no battle mission flown");
  return Made("same_flight", CheckResult::kPass, "no other file reviewed holds this flight");
}

}  // namespace orlenda::review_checks

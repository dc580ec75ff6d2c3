#include "review/pilot_review.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/path_names.h"
#include "base/sha256.h"
#include "base/system_file.h"
#include "pilot/campaign_career.h"
#include "pilot/le_int32.h"
#include "pilot/sister_games.h"
#include "report/decoded_text.h"
#include "review/review_checks.h"
#include "roster/roster_build.h"

namespace orlenda {
namespace {

using namespace review_checks;

// Every check once: its id and title, in the order the reviews list them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kChecks{{
    {"load", "The file loads"},
    {"battle", "The battle is known"},
    {"all_won", "Every battle mission flown and won"},
    {"totals", "The mission scores add up to the TOD score"},
    {"only_battle", "Only the battle flown"},
    {"score_copies", "The score copies agree"},
    {"friendly_kills", "No kill of a friendly craft"},
    {"same_flight", "A flight of its own"},
    {"high_scores", "Against the high scores"},
    {"sha256", "SHA-256"},
}};

PilotTallies TalliesOf(const PilotRecord& record) {
  return {record.TODKillCount, record.CraftLosses,      record.TotalLaserA,
          record.TODLaserHit,  record.TODMissilesFired, record.TODMissileHits};
}

// The battle's missions as the file holds them, with their sums.
void TakeMissions(PilotReview& review, const CampaignCareer& career,
                  const std::optional<HighScores>& highScores) {
  for (int mission = review.battle->first; mission <= review.battle->last; ++mission) {
    ReviewedMission& reviewed = review.missions.emplace_back();
    reviewed.mission = mission;
    if (const CampaignSlot* slot = career.SlotAt(mission - 1)) {
      reviewed.held = true;
      reviewed.flown = slot->Flown();
      reviewed.won = slot->Won();
      reviewed.attempts = slot->attempts;
      reviewed.wins = slot->wins;
      reviewed.score = slot->score;
      reviewed.bonus = slot->bonus;
      reviewed.time = slot->time;
    }
    if (highScores) reviewed.highScore = highScores->ScoreOf(mission);
    if (reviewed.won) ++review.missionsWon;
    review.score = WrappingAdd(review.score, reviewed.score);
    review.bonus = WrappingAdd(review.bonus, reviewed.bonus);
    review.time = WrappingAdd(review.time, reviewed.time);
  }
}

// The checks that need the battle, run or not run, in their order.
void AddBattleChecks(PilotReview& review, const CampaignCareer& career, const PilotRecord& record) {
  if (!review.battle) {
    for (std::string_view id : {"all_won", "totals", "only_battle"})
      review.checks.push_back(NotRun(id, "no battle"));
    return;
  }
  review.checks.push_back(AllWonCheck(review));
  review.checks.push_back(TotalsCheck(review, record));
  review.checks.push_back(OnlyBattleCheck(review, career, record));
}

void AddLoadedChecks(PilotReview& review, const PilotRecord& record, const ReviewRequest& request) {
  const CampaignCareer career = CampaignCareerOf(record);
  review.checks.push_back(BattleCheck(request, career, review.battle));
  if (review.battle) TakeMissions(review, career, request.highScores);
  AddBattleChecks(review, career, record);
  review.checks.push_back(ScoreCopiesCheck(record));
  review.checks.push_back(FriendlyKillsCheck(record, request.friendlyCraft));
  review.checks.push_back(review.battle ? SameFlightCheck(review) : NotRun("same_flight", "no battle"));
  if (!request.highScores)
    review.checks.push_back(NotRun("high_scores", "no high scores given"));
  else
    review.checks.push_back(review.battle ? HighScoresCheck(review) : NotRun("high_scores", "no battle"));
  review.checks.push_back(request.digest ? Sha256Check(review) : NotRun("sha256", "not asked"));
}

// A sister game's pilot that failed to load is named as such, beside the load's own messages (once,
// where the load named it already).
LoadResult WithSisterGameNamed(LoadResult load, const std::string& path) {
  if (load.Succeeded()) return load;
  const bool named = std::ranges::any_of(load.messages, [](const std::string& message) {
    return message.find("; this program reads X-Wing Alliance pilot files.") != std::string::npos;
  });
  SystemFile file(path, SystemFile::Mode::kRead);
  const auto game = file.IsOpen() ? SisterGameOfSize(file.RegularFileSize()) : std::nullopt;
  if (game && !named) load.messages.push_back(SisterGameMessage(std::string(LastPathComponent(path)), *game));
  return load;
}

}  // namespace

std::string_view CheckResultName(CheckResult result) {
  switch (result) {
    case CheckResult::kPass:
      return "pass";
    case CheckResult::kFail:
      return "fail";
    case CheckResult::kNote:
      return "note";
    case CheckResult::kNotRun:
      break;
  }
  return "not run";
}

const std::vector<std::string_view>& ReviewCheckIds() {
  static const std::vector<std::string_view> ids = [] {
    std::vector<std::string_view> all;
    for (const auto& check : kChecks) all.push_back(check.first);
    return all;
  }();
  return ids;
}

std::string_view ReviewCheckTitle(std::string_view id) {
  const auto* found = std::ranges::find(kChecks, id, &std::pair<std::string_view, std::string_view>::first);
  return found == kChecks.end() ? id : found->second;
}

bool PilotReview::Passed() const { return FirstFailure() == nullptr; }

const ReviewCheck* PilotReview::FirstFailure() const {
  const auto found = std::ranges::find(checks, CheckResult::kFail, &ReviewCheck::result);
  return found == checks.end() ? nullptr : &*found;
}

const ReviewCheck* PilotReview::Check(std::string_view id) const {
  const auto found = std::ranges::find(checks, id, &ReviewCheck::id);
  return found == checks.end() ? nullptr : &*found;
}

ReviewCheck* PilotReview::Check(std::string_view id) {
  return const_cast<ReviewCheck*>(std::as_const(*this).Check(id));
}

std::string VerdictText(const PilotReview& review) {
  const ReviewCheck* failure = review.FirstFailure();
  if (failure == nullptr) return "Pass";
  return "Fail: " + failure->title + ": " + failure->detail;
}

PilotReview ReviewLoadedPilot(const LoadResult& load, const std::string& path, const ReviewRequest& request) {
  PilotReview review;
  review.path = path;
  review.file = LastPathComponent(path);
  review.checks.push_back(LoadCheck(load));
  if (!load.Succeeded()) {
    for (std::string_view id : ReviewCheckIds())
      if (id != "load") review.checks.push_back(NotRun(id, "the file did not load"));
    return review;
  }
  review.loaded = true;
  review.pilot = DecodedFieldText(load.record.PilotName);
  if (request.digest) review.sha256 = Sha256Hex(load.record.BytesOnDisk);
  review.tallies = TalliesOf(load.record);
  AddLoadedChecks(review, load.record, request);
  return review;
}

PilotReview ReviewPilotFile(const std::string& path, const ReviewRequest& request) {
  return ReviewLoadedPilot(WithSisterGameNamed(LoadPilotFile(path), path), path, request);
}

std::vector<PilotReview> ReviewPilotFiles(const std::vector<std::string>& paths,
                                          const ReviewRequest& request) {
  std::vector<PilotReview> reviews;
  reviews.reserve(paths.size());
  for (const std::string& path : paths) reviews.push_back(ReviewPilotFile(path, request));
  MarkSameFlights(reviews);
  return reviews;
}

}  // namespace orlenda

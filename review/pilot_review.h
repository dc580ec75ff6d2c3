#pragma once

// A club's review of pilot files for one battle: each file gets one verdict, pass or fail, and the list
// of checks behind it, each with its result, what it found in words and the numbers it compared.
// The header holds plain values only (the windows include it beside Qt's headers).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pilot/pilot_load.h"
#include "review/battle_missions.h"
#include "review/high_scores.h"

namespace orlenda {

// kNote: numbers for the record (the file's digest, the shares of the high scores), never a failure.
// kNotRun: the check was not asked for, or what it needs is missing (a file that did not load).
enum class CheckResult { kPass, kFail, kNote, kNotRun };

// "pass", "fail", "note", "not run".
std::string_view CheckResultName(CheckResult result);

struct ReviewNumber {
  std::string name;
  std::int64_t value = 0;
};

struct ReviewCheck {
  std::string id;     // "all_won", ...: CSV columns and JSON keys
  std::string title;  // "Every battle mission flown and won"
  CheckResult result = CheckResult::kNotRun;
  std::string detail;  // what it found, in words ("mission 59 not flown")
  std::vector<ReviewNumber> numbers;
};

// The checks' ids in the order every review lists them, and each one's title.
const std::vector<std::string_view>& ReviewCheckIds();
std::string_view ReviewCheckTitle(std::string_view id);

struct ReviewRequest {
  std::optional<BattleMissions> battle;  // nothing: the battle that each file's layout names
  std::optional<HighScores> highScores;
  std::vector<int> friendlyCraft;  // indexes of the craft list; empty: not asked
  // The SHA-256 of each file. Hashing its 152,076 bytes is most of a review's work, and an output that
  // shows neither the digest nor its check (which never fails) turns it off.
  bool digest = true;
};

// One mission of the battle as the career model reads its slot; all zero where the slot holds nothing.
struct ReviewedMission {
  int mission = 0;  // the game's mission number
  bool held = false;
  bool flown = false;  // as the career model tells them (CampaignSlot::Flown, Won)
  bool won = false;
  std::int32_t attempts = 0, wins = 0, score = 0, bonus = 0, time = 0;
  std::optional<std::int32_t> highScore;
};

// Kills, losses and shots as the report's tables give them.
struct PilotTallies {
  std::int32_t kills = 0, losses = 0;
  std::int32_t lasersFired = 0, laserHits = 0, warheadsFired = 0, warheadHits = 0;
};

struct PilotReview {
  std::string path;
  std::string file;   // the name shown: the path's last component, made safe to show
  std::string pilot;  // the pilot's name as the reports show it; empty when the file did not load
  bool loaded = false;
  std::string sha256;  // of the bytes the load read; empty when it did not load or was not asked
  std::optional<BattleMissions> battle;
  std::vector<ReviewedMission> missions;  // every mission of the battle, in order
  int missionsWon = 0;
  std::int32_t score = 0, bonus = 0, time = 0;  // over the battle's missions, wrapping as the file's int32
  PilotTallies tallies;
  std::vector<ReviewCheck> checks;  // every check, in the order of ReviewCheckIds

  bool Passed() const;
  const ReviewCheck* FirstFailure() const;  // nullptr when it passed
  const ReviewCheck* Check(std::string_view id) const;
  ReviewCheck* Check(std::string_view id);
};

// "Pass", or "Fail: " and the first failed check's title and detail.
std::string VerdictText(const PilotReview& review);

// The review of a file as loaded; `load` keeps its messages for the load check.
PilotReview ReviewLoadedPilot(const LoadResult& load, const std::string& path, const ReviewRequest& request);

PilotReview ReviewPilotFile(const std::string& path, const ReviewRequest& request);

// Each file reviewed, then the files checked against each other for the same flight.
std::vector<PilotReview> ReviewPilotFiles(const std::vector<std::string>& paths,
                                          const ReviewRequest& request);

// Fails, in each review, the check that its battle's records equal those of another file reviewed with
// it ("the same flight as FILE": a shared or re-sent pilot). A battle with no mission flown is no flight.
void MarkSameFlights(std::vector<PilotReview>& reviews);

}  // namespace orlenda

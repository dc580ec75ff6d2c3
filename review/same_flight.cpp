#include <map>
#include <vector>

#include "review/pilot_review.h"

namespace orlenda {
namespace {

// What two files of one flight share: the battle's missions, and in each slot the score, bonus and
// time (attempts and wins are left out: a re-sent file of the same flight may have been flown again
// without a better result).
std::vector<std::int32_t> FlightOf(const PilotReview& review) {
  std::vector<std::int32_t> flight{review.battle->first, review.battle->last};
  for (const ReviewedMission& mission : review.missions) {
    flight.push_back(mission.held ? 1 : 0);
    flight.push_back(mission.score);
    flight.push_back(mission.bonus);
    flight.push_back(mission.time);
  }
  return flight;
}

std::string OthersText(const std::vector<PilotReview>& reviews, const std::vector<std::size_t>& group,
                       std::size_t self) {
  std::string text;
  std::size_t named = 0;
  for (std::size_t other : group) {
    if (other == self) continue;
    if (named == 3) return text + " and " + std::to_string(group.size() - 1 - named) + " more";
    text += (named == 0 ? "" : ", ") + reviews[other].file;
    ++named;
  }
  return text;
}

}  // namespace

void MarkSameFlights(std::vector<PilotReview>& reviews) {
  std::map<std::vector<std::int32_t>, std::vector<std::size_t>> flights;
  for (std::size_t i = 0; i < reviews.size(); ++i) {
    const ReviewCheck* check = reviews[i].Check("same_flight");
    if (check != nullptr && check->result == CheckResult::kPass) flights[FlightOf(reviews[i])].push_back(i);
  }
  for (const auto& [flight, group] : flights) {
    if (group.size() < 2) continue;
    for (std::size_t i : group) {
      ReviewCheck* check = reviews[i].Check("same_flight");
      check->result = CheckResult::kFail;
      check->detail = "the same flight as " + OthersText(reviews, group, i);
      check->numbers = {{"same_flights", static_cast<std::int64_t>(group.size() - 1)}};
    }
  }
}

}  // namespace orlenda

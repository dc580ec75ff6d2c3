#include "history/change_line.h"

#include <span>
#include <string_view>
#include <vector>

#include "base/grouped_number.h"
#include "pilot/enumerations.h"

namespace orlenda {
namespace {

constexpr std::string_view kArrow = " \u2192 ";
constexpr std::string_view kRunDash = "\u2013";

std::string ItemName(std::span<const std::string_view> names, std::int32_t index) {
  if (index >= 0 && static_cast<std::size_t>(index) < names.size()) return std::string(names[index]);
  return std::to_string(index);
}

void AddItemChange(std::vector<std::string>& parts, const char* what, std::span<const std::string_view> names,
                   std::int32_t before, std::int32_t after) {
  if (before != after)
    parts.push_back(std::string(what) + " " + ItemName(names, before) + std::string(kArrow) +
                    ItemName(names, after));
}

void AddMissions(std::vector<std::string>& parts, const char* sign, const WonMissions& missions) {
  if (missions.any())
    parts.push_back(std::string(sign) + (missions.count() == 1 ? " mission " : " missions ") +
                    MissionRunsText(missions));
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string line;
  for (const std::string& part : parts) line += (line.empty() ? "" : ", ") + part;
  return line;
}

}  // namespace

std::string MissionRunsText(const WonMissions& missions) {
  std::string text;
  for (std::size_t slot = 0; slot < missions.size(); ++slot) {
    if (!missions.test(slot)) continue;
    std::size_t last = slot;
    while (last + 1 < missions.size() && missions.test(last + 1)) ++last;
    if (!text.empty()) text += ", ";
    text += std::to_string(slot + 1);
    if (last > slot) text += std::string(kRunDash) + std::to_string(last + 1);
    slot = last;
  }
  return text;
}

std::string ChangeLine(const StateSummary* before, const StateSummary& after) {
  if (before == nullptr) return "first state";
  std::vector<std::string> parts;
  if (before->name != after.name)
    parts.push_back("Name \"" + before->name + "\"" + std::string(kArrow) + "\"" + after.name + "\"");
  AddItemChange(parts, "Rank", RankNames(), before->rank, after.rank);
  AddItemChange(parts, "Rating", RatingNames(), before->rating, after.rating);
  AddItemChange(parts, "Kalidor Crescent", KalidorStatusNames(), before->kalidorStatus, after.kalidorStatus);
  AddMissions(parts, "+", after.won & ~before->won);
  AddMissions(parts, "-", before->won & ~after.won);
  if (before->campaignTotal != after.campaignTotal)
    parts.push_back("total " + GroupedNumber(before->campaignTotal) + std::string(kArrow) +
                    GroupedNumber(after.campaignTotal));
  return parts.empty() ? "no change of career" : Joined(parts);
}

WonMissions LostMissions(const StateSummary& before, const StateSummary& after) {
  return before.won & ~after.won;
}

std::string DroppedScoresLine(const StateSummary& now, const StateSummary& restored) {
  const WonMissions dropped = LostMissions(now, restored);
  if (dropped.none()) return {};
  return std::string("It drops the scores of ") + (dropped.count() == 1 ? "mission " : "missions ") +
         MissionRunsText(dropped) + ".";
}

bool CareerWentBack(const StateSummary& kept, const StateSummary& now) {
  return LostMissions(kept, now).any() || now.campaignTotal < kept.campaignTotal;
}

std::string LostMissionsWarning(const StateSummary& kept, const StateSummary& now, const std::string& since) {
  const WonMissions lost = LostMissions(kept, now);
  std::string text = now.name + " has lost ";
  if (lost.any())
    text += (lost.count() == 1 ? "mission " : "missions ") + MissionRunsText(lost);
  else
    text += "campaign score";
  text += " since " + since + " (campaign total " + GroupedNumber(kept.campaignTotal) + std::string(kArrow) +
          GroupedNumber(now.campaignTotal) + "). History holds the earlier state.";
  return text;
}

}  // namespace orlenda

#include "pilot/details_changes.h"

#include <cstdint>

#include "base/grouped_number.h"
#include "base/windows1252.h"
#include "pilot/enumerations.h"
#include "pilot/pilot_load.h"

namespace orlenda {
namespace {

constexpr const char* kArrow = " \u2192 ";

std::optional<int> IfChanged(const std::optional<int>& chosen, std::int32_t inFile) {
  if (chosen && *chosen != inFile) return chosen;
  return std::nullopt;
}

template <typename Text>
std::string ItemOrNumber(std::span<const Text> items, std::int64_t value) {
  if (const auto text = ItemText(items, value)) return std::string(*text);
  return std::to_string(value);
}

template <typename Text>
void DescribeItem(std::vector<std::string>& lines, std::string_view label, std::span<const Text> items,
                  std::int32_t from, const std::optional<int>& to) {
  if (to)
    lines.push_back(std::string(label) + ": " + ItemOrNumber(items, from) + kArrow +
                    ItemOrNumber(items, *to));
}

std::string Missions(int count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// Missions are numbered from 1 as the mission list names them; the active mission follows the
// completed ones.
std::string DescribeCampaign(const CampaignChange& change) {
  std::string line = "Active mission: " + std::to_string(change.fromCount + 1) + kArrow +
                     std::to_string(change.toCount + 1) + " (";
  if (change.toCount < change.fromCount)
    line += Missions(change.fromCount - change.toCount, "completed mission leaves the list",
                     "completed missions leave the list");
  else
    line += Missions(change.toCount - change.fromCount, "mission joins the list as completed",
                     "missions join the list as completed");
  return line + ")";
}

// The missions numbered `first` to `last` (from 1): named one by one ("missions 56, 57 and 58"), or as
// a range when there are many of them.
std::string MissionNumbers(int first, int last) {
  constexpr int kNamedOneByOne = 6;
  if (first == last) return "mission " + std::to_string(first);
  if (last - first >= kNamedOneByOne)
    return "missions " + std::to_string(first) + " to " + std::to_string(last);
  std::string text = "missions ";
  for (int mission = first; mission <= last; ++mission) {
    if (mission > first) text += mission == last ? " and " : ", ";
    text += std::to_string(mission);
  }
  return text;
}

// The sum of score and bonus over the first `count` campaign entries, wrapping as the load's total.
std::int32_t CampaignTotalOf(const PilotRecord& record, int count) {
  std::uint32_t total = 0;
  for (int i = 0; i < count && i < static_cast<int>(kMissionEntryCount); ++i) {
    const MissionEntry& entry = record.CampaignMissions[static_cast<std::size_t>(i)];
    total += static_cast<std::uint32_t>(entry.Score) + static_cast<std::uint32_t>(entry.Bonus);
  }
  return static_cast<std::int32_t>(total);
}

// What the move costs: the missions whose scores the file no longer lists, and the campaign total
// before and after; or, for missions that join, that they join without a score. A record cut off the
// list is not brought back by a later move forward, so the loss is named before the player says Yes.
std::string DescribeCampaignCost(const CampaignChange& change, const PilotRecord& onDisk) {
  const std::string total = "campaign total " + GroupedNumber(CampaignTotalOf(onDisk, change.fromCount)) +
                            kArrow + GroupedNumber(CampaignTotalOf(onDisk, change.toCount));
  if (change.toCount < change.fromCount) {
    std::string missions = MissionNumbers(change.toCount + 1, change.fromCount);
    missions[0] = 'M';
    const bool one = change.fromCount - change.toCount == 1;
    return missions + (one ? " loses its score" : " lose their scores") +
           "; a later move forward does not bring " + (one ? "it" : "them") + " back (" + total + ").";
  }
  std::string missions = MissionNumbers(change.fromCount + 1, change.toCount);
  missions[0] = 'M';
  return missions + (change.toCount - change.fromCount == 1 ? " gets" : " get") + " no score (" + total +
         ").";
}

}  // namespace

PilotRecord RecordOnDisk(const PilotRecord& record) {
  return LoadPilotBytes(record.BytesOnDisk, static_cast<std::int64_t>(record.BytesOnDisk.size()),
                        record.PilotFileName)
      .record;
}

DetailsChanges PlanChanges(const PilotDetails& details, const PilotRecord& record) {
  const PilotRecord onDisk = RecordOnDisk(record);
  DetailsChanges changes;
  const StoredPilotName name = StoredNameOf(details.name);
  if (FieldText(name) != FieldText(onDisk.PilotName)) changes.name = name;
  changes.rank = IfChanged(details.rank, onDisk.Rank);
  changes.rating = IfChanged(details.rating, onDisk.Rating);
  changes.kalidorStatus = IfChanged(details.kalidorStatus, onDisk.KalidorStatus);
  if (details.activeMission && *details.activeMission != onDisk.CampaignMissionCount)
    changes.campaign = CampaignChange{onDisk.CampaignMissionCount, *details.activeMission};
  return changes;
}

std::vector<std::string> DescribeChanges(const DetailsChanges& changes, const PilotRecord& record) {
  const PilotRecord onDisk = RecordOnDisk(record);
  std::vector<std::string> lines;
  if (changes.name)
    lines.push_back("Name: \"" + DecodeWindows1252(FieldText(onDisk.PilotName)) + "\"" + kArrow + "\"" +
                    DecodeWindows1252(FieldText(*changes.name)) + "\"");
  DescribeItem(lines, "Rank", RankNames(), onDisk.Rank, changes.rank);
  DescribeItem(lines, "Rating", RatingNames(), onDisk.Rating, changes.rating);
  DescribeItem(lines, "Kalidor Crescent status", KalidorStatusNames(), onDisk.KalidorStatus,
               changes.kalidorStatus);
  if (changes.campaign) {
    lines.push_back(DescribeCampaign(*changes.campaign));
    lines.push_back(DescribeCampaignCost(*changes.campaign, onDisk));
  }
  return lines;
}

}  // namespace orlenda

#include "pilot/details_changes.h"

#include <algorithm>
#include <cstdint>

#include "base/ascii_text.h"
#include "base/grouped_number.h"
#include "base/windows1252.h"
#include "pilot/campaign_total.h"
#include "pilot/enumerations.h"
#include "pilot/le_int32.h"
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

// The campaign total of the first `count` entries.
std::int32_t TotalOfFirst(const MissionList& entries, int count) {
  return CampaignTotalOf(std::span(entries).first(static_cast<std::size_t>(count)));
}

std::string Capitalised(std::string text) {
  if (!text.empty()) text[0] = UpperAscii(text[0]);
  return text;
}

// A move back: the missions whose scores the file no longer lists. A record cut off the list is not
// brought back by a later move forward after the next load, so the loss is named before the player says
// Yes.
std::string DescribeLoss(const CampaignChange& change, const std::string& total) {
  const bool one = change.fromCount - change.toCount == 1;
  return Capitalised(MissionNumbers(change.toCount + 1, change.fromCount)) +
         (one ? " loses its score" : " lose their scores") + "; a later move forward does not bring " +
         (one ? "it" : "them") + " back (" + total + ").";
}

// A move forward writes the missions after the file's list from the loaded entries: those that the load
// read (the file's list was shortened since) get their scores back, the others join without a score.
std::string DescribeGain(const CampaignChange& change, int loadedCount, const std::string& total) {
  const int restoredEnd = std::min(change.toCount, std::max(change.fromCount, loadedCount));
  std::string text;
  if (restoredEnd > change.fromCount)
    text = MissionNumbers(change.fromCount + 1, restoredEnd) +
           (restoredEnd - change.fromCount == 1 ? " gets back the score" : " get back the scores") +
           " that the load read";
  if (change.toCount > restoredEnd)
    text += (text.empty() ? "" : "; ") + MissionNumbers(restoredEnd + 1, change.toCount) +
            (change.toCount - restoredEnd == 1 ? " gets" : " get") + " no score";
  return Capitalised(text) + " (" + total + ").";
}

// What the move costs: the campaign total before and after, counted from what the write really puts
// into the file (the file's records kept, the loaded entries written after them).
std::string DescribeCampaignCost(const CampaignChange& change, const PilotRecord& onDisk,
                                 const PilotRecord& record) {
  const std::int32_t before = TotalOfFirst(onDisk.CampaignMissions, change.fromCount);
  std::int32_t after = TotalOfFirst(onDisk.CampaignMissions, std::min(change.fromCount, change.toCount));
  if (change.toCount > change.fromCount)
    after = WrappingAdd(
        after, CampaignTotalOf(std::span(record.CampaignMissions)
                                   .subspan(static_cast<std::size_t>(change.fromCount),
                                            static_cast<std::size_t>(change.toCount - change.fromCount))));
  const std::string total = "campaign total " + GroupedNumber(before) + kArrow + GroupedNumber(after);
  if (change.toCount < change.fromCount) return DescribeLoss(change, total);
  return DescribeGain(change, record.CampaignMissionCount, total);
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
    lines.push_back(DescribeCampaignCost(*changes.campaign, onDisk, record));
  }
  return lines;
}

}  // namespace orlenda

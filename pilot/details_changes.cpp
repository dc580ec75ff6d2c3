#include "pilot/details_changes.h"

#include <cstdint>

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
  if (changes.campaign) lines.push_back(DescribeCampaign(*changes.campaign));
  return lines;
}

}  // namespace orlenda

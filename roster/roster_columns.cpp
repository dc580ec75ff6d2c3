#include "roster/roster_columns.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "base/local_date.h"
#include "pilot/enumerations.h"

namespace orlenda {
namespace {

using enum RosterColumn;
using enum ColumnKind;

constexpr std::array kColumns = {
    RosterColumnInfo{kFile, "file", "File", kText},
    RosterColumnInfo{kName, "name", "Name", kText},
    RosterColumnInfo{kRank, "rank", "Rank", kValue},
    RosterColumnInfo{kRating, "rating", "Rating", kValue},
    RosterColumnInfo{kKalidor, "kalidor", "Kalidor Crescent", kValue},
    RosterColumnInfo{kMissions, "missions", "Missions", kNumber},
    RosterColumnInfo{kActiveMission, "active_mission", "Active mission", kText},
    RosterColumnInfo{kCampaignTotal, "campaign_total", "Campaign total", kNumber},
    RosterColumnInfo{kTodScore, "tod_score", "TOD score", kNumber},
    RosterColumnInfo{kTodBonus, "tod_bonus", "TOD bonus", kNumber},
    RosterColumnInfo{kAzzScore, "azz_score", "Azz score", kNumber},
    RosterColumnInfo{kAzzBonus, "azz_bonus", "Azz bonus", kNumber},
    RosterColumnInfo{kTotal, "total", "Total", kNumber},
    RosterColumnInfo{kSimScore, "sim_score", "Sim score", kNumber},
    RosterColumnInfo{kSimBonus, "sim_bonus", "Sim bonus", kNumber},
    RosterColumnInfo{kScore, "score", "Score", kText},
    RosterColumnInfo{kErrors, "errors", "Errors", kNumber},
    RosterColumnInfo{kModified, "modified", "Modified", kNumber},
    RosterColumnInfo{kMessage, "message", "Message", kText},
};

template <typename Text>
std::string NameOrNumber(std::span<const Text> names, std::int32_t value) {
  const std::optional<std::string_view> name = ItemText(names, value);
  return name ? std::string(*name) : std::to_string(value);
}

std::string ActiveMissionText(const RosterRow& row) {
  return std::string(ItemText(MissionIndexNames(), row.missionsCompleted).value_or(""));
}

std::optional<std::int64_t> PilotNumber(const RosterRow& row, RosterColumn column) {
  switch (column) {
    case kRank:
      return row.rank;
    case kRating:
      return row.rating;
    case kKalidor:
      return row.kalidorStatus;
    case kMissions:
      return row.missionsCompleted;
    case kCampaignTotal:
      return row.campaignTotal;
    case kTodScore:
      return row.todScore;
    case kTodBonus:
      return row.todBonus;
    case kAzzScore:
      return row.azzScore;
    case kAzzBonus:
      return row.azzBonus;
    case kTotal:
      return row.total;
    case kSimScore:
      return row.simScore;
    case kSimBonus:
      return row.simBonus;
    case kErrors:
      return row.checkErrorCount;
    default:
      return std::nullopt;
  }
}

std::string PilotText(const RosterRow& row, RosterColumn column) {
  switch (column) {
    case kName:
      return row.pilotName;
    case kRank:
      return NameOrNumber(RankNames(), row.rank);
    case kRating:
      return NameOrNumber(RatingNames(), row.rating);
    case kKalidor:
      return NameOrNumber(KalidorStatusNames(), row.kalidorStatus);
    case kActiveMission:
      return ActiveMissionText(row);
    case kScore:
      return row.scorePart;
    default: {
      const std::optional<std::int64_t> number = PilotNumber(row, column);
      return number ? std::to_string(*number) : std::string();
    }
  }
}

int CompareTexts(std::string_view a, std::string_view b) {
  const auto lower = [](unsigned char c) { return std::tolower(c); };
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return lower(a[i]) < lower(b[i]) ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

std::span<const RosterColumnInfo> RosterColumns() { return kColumns; }

const RosterColumnInfo& InfoOf(RosterColumn column) { return kColumns[static_cast<std::size_t>(column)]; }

std::optional<RosterColumn> RosterColumnNamed(std::string_view id) {
  for (const RosterColumnInfo& info : kColumns) {
    if (info.id == id) return info.column;
  }
  return std::nullopt;
}

std::vector<std::string> RosterColumnIds() {
  std::vector<std::string> ids;
  for (const RosterColumnInfo& info : kColumns) ids.emplace_back(info.id);
  return ids;
}

std::string CellText(const RosterRow& row, RosterColumn column) {
  switch (column) {
    case kFile:
      return row.fileName;
    case kModified:
      return row.modifiedTime ? LocalDateTimeText(*row.modifiedTime) : std::string();
    case kMessage:
      return row.message;
    default:
      return row.loaded ? PilotText(row, column) : std::string();
  }
}

std::optional<std::int64_t> CellNumber(const RosterRow& row, RosterColumn column) {
  if (column == kModified) return row.modifiedTime;
  return row.loaded ? PilotNumber(row, column) : std::nullopt;
}

bool SortsBefore(const RosterRow& a, const RosterRow& b, RosterColumn column) {
  if (a.loaded != b.loaded) return a.loaded;
  if (InfoOf(column).kind == kText) return CompareTexts(CellText(a, column), CellText(b, column)) < 0;
  const std::optional<std::int64_t> x = CellNumber(a, column);
  const std::optional<std::int64_t> y = CellNumber(b, column);
  if (x.has_value() != y.has_value()) return x.has_value();
  return x && *x > *y;
}

void SortRoster(std::vector<RosterRow>& rows, RosterColumn column) {
  std::stable_sort(rows.begin(), rows.end(),
                   [column](const RosterRow& a, const RosterRow& b) { return SortsBefore(a, b, column); });
}

}  // namespace orlenda

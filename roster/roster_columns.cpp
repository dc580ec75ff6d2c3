#include "roster/roster_columns.h"

#include <algorithm>
#include <array>

#include "base/ascii_text.h"
#include "base/local_date.h"
#include "pilot/campaign_career.h"
#include "pilot/campaign_total.h"
#include "pilot/enumerations.h"

namespace orlenda {
namespace {

using enum RosterColumn;
using enum ColumnKind;

// Reads one stored value of the pilot file for a column.
template <auto kField>
std::int32_t Stored(const PilotRecord& record) {
  return static_cast<std::int32_t>(record.*kField);
}

// The campaign missions won, in every slot that holds a record, as the career model counts them.
std::int32_t WonMissions(const PilotRecord& record) { return CampaignCareerOf(record).missionsWon; }

// The campaign total over every slot that holds a record, whatever the campaign's layout.
std::int32_t CareerCampaignTotal(const PilotRecord& record) {
  return CampaignTotalOf(CampaignCareerOf(record));
}

// In the order of RosterColumn. The missions column's number, CampaignMissionCount, is also the index
// of the active mission.
constexpr std::array kColumns = {
    RosterColumnInfo{kFile, "file", "File", kText},
    RosterColumnInfo{kName, "name", "Name", kText},
    RosterColumnInfo{kRank, "rank", "Rank", kValue, Stored<&PilotRecord::Rank>},
    RosterColumnInfo{kRating, "rating", "Rating", kValue, Stored<&PilotRecord::Rating>},
    RosterColumnInfo{kKalidor, "kalidor", "Kalidor Crescent", kValue, Stored<&PilotRecord::KalidorStatus>},
    RosterColumnInfo{kMissions, "missions", "Missions", kNumber, Stored<&PilotRecord::CampaignMissionCount>},
    RosterColumnInfo{kActiveMission, "active_mission", "Active mission", kText},
    RosterColumnInfo{kLayout, "layout", "Layout", kText},
    RosterColumnInfo{kWonMissions, "won_missions", "Won missions", kNumber, WonMissions},
    RosterColumnInfo{kCampaignTotal, "campaign_total", "Campaign total", kNumber, CareerCampaignTotal},
    RosterColumnInfo{kTodScore, "tod_score", "TOD score", kNumber, Stored<&PilotRecord::TODScoreA>},
    RosterColumnInfo{kTodBonus, "tod_bonus", "TOD bonus", kNumber, Stored<&PilotRecord::TODBonus>},
    RosterColumnInfo{kAzzScore, "azz_score", "Azz score", kNumber, Stored<&PilotRecord::AzzScoreB>},
    RosterColumnInfo{kAzzBonus, "azz_bonus", "Azz bonus", kNumber, Stored<&PilotRecord::AzzBonus>},
    RosterColumnInfo{kTotal, "total", "Total", kNumber},
    RosterColumnInfo{kSimScore, "sim_score", "Sim score", kNumber, Stored<&PilotRecord::SimScoreA>},
    RosterColumnInfo{kSimBonus, "sim_bonus", "Sim bonus", kNumber, Stored<&PilotRecord::SimBonus>},
    RosterColumnInfo{kScore, "score", "Score", kText},
    RosterColumnInfo{kErrors, "errors", "Errors", kNumber},
    RosterColumnInfo{kModified, "modified", "Modified", kNumber},
    RosterColumnInfo{kMessage, "message", "Message", kText},
};

constexpr bool ListedInColumnOrder() {
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    if (IndexOf(kColumns[i].column) != i) return false;
  }
  return kColumns.size() == kRosterColumnCount;
}
static_assert(ListedInColumnOrder(), "each roster column is listed once, at its own place");

template <typename Text>
std::string NameOrNumber(std::span<const Text> names, std::int32_t value) {
  const std::optional<std::string_view> name = ItemText(names, value);
  return name ? std::string(*name) : std::to_string(value);
}

std::string ActiveMissionText(const RosterRow& row) {
  return std::string(ItemText(MissionIndexNames(), row.Stored(kMissions)).value_or(""));
}

std::optional<std::int64_t> PilotNumber(const RosterRow& row, RosterColumn column) {
  if (column == kTotal) return row.total;
  if (column == kErrors) return row.checkErrorCount;
  if (kColumns[IndexOf(column)].storedValue != nullptr) return row.Stored(column);
  return std::nullopt;
}

std::string PilotText(const RosterRow& row, RosterColumn column) {
  switch (column) {
    case kName:
      return row.pilotName;
    case kRank:
      return NameOrNumber(RankNames(), row.Stored(kRank));
    case kRating:
      return NameOrNumber(RatingNames(), row.Stored(kRating));
    case kKalidor:
      return NameOrNumber(KalidorStatusNames(), row.Stored(kKalidor));
    case kActiveMission:
      return ActiveMissionText(row);
    case kLayout:
      return row.layout;
    case kScore:
      return row.scorePart;
    default: {
      const std::optional<std::int64_t> number = PilotNumber(row, column);
      return number ? std::to_string(*number) : std::string();
    }
  }
}

}  // namespace

std::span<const RosterColumnInfo> RosterColumns() { return kColumns; }

const RosterColumnInfo& InfoOf(RosterColumn column) { return kColumns[IndexOf(column)]; }

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
  if (InfoOf(column).kind == kText)
    return CompareIgnoringAsciiCase(CellText(a, column), CellText(b, column)) < 0;
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

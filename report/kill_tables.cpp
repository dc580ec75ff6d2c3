#include "report/kill_tables.h"

#include <string>
#include <string_view>

#include "pilot/enumerations.h"
#include "pilot/le_int32.h"
#include "report/number_text.h"

namespace orlenda {
namespace {

void AppendCraftTotal(std::string_view label, std::int32_t total, TextSink& sink) {
  sink.AppendLine(std::string(label) + IntText(total) + " kills.");
}

// A row of numbers after a craft type's label, each after a tab but the first, written into one buffer
// that every row of a table reuses.
class CraftRow {
 public:
  template <typename... Numbers>
  std::string_view Text(const std::string& label, std::int32_t first, Numbers... rest) {
    text_.assign(label);
    AppendIntText(text_, first);
    ((text_ += '\t', AppendIntText(text_, rest)), ...);
    return text_;
  }

 private:
  std::string text_;
};

// Rows for the craft types whose kills are positive: label, kills, then each assist list after a tab.
template <typename... AssistLists>
void AppendCraftRows(const CraftList& kills, TextSink& sink, const AssistLists&... assists) {
  const auto labels = CraftTypeLabels();
  CraftRow row;
  std::int32_t total = 0;
  for (std::size_t i = 0; i < kCraftTypeCount; ++i) {
    if (kills[i] <= 0) continue;
    sink.AppendLine(row.Text(labels[i], kills[i], assists[i]...));
    total = WrappingAdd(total, kills[i]);
  }
  AppendCraftTotal("Calculated total: ", total, sink);
}

std::int32_t AppendRatingRows(const RatingList& counts, TextSink& sink) {
  const auto names = RatingNames();
  std::int32_t total = 0;
  for (std::size_t i = 0; i < kRatingCount; ++i) {
    if (counts[i] <= 0) continue;
    sink.AppendLine(IntText(counts[i]) + " " + std::string(names[i]));
    total = WrappingAdd(total, counts[i]);
  }
  return total;
}

}  // namespace

void AppendCampaignKillTables(const PilotRecord& record, TextSink& sink) {
  sink.AppendLine("- Kills: -");
  sink.AppendLine("TOD Total number of kills : " + IntText(record.TODKillCount));
  sink.AppendLine("---");
  sink.AppendLine("TOD Kill details A (Kill list A + Assist list A):");
  sink.AppendLine("Shiptype:\t\tKills: \tAssits):");
  AppendCraftRows(record.TODKillsA, sink, record.TODAssistsA);
  sink.AppendLine("---");
  sink.AppendLine("TOD Kill details B (Kill list B + Assist list B):");
  sink.AppendLine("Shiptype:\t\tKills: \tAssits):");
  AppendCraftRows(record.TODKillsB, sink, record.TODAssistsB);
  sink.AppendLine("---");
  sink.AppendLine("Azzameen total number of kills : " + IntText(record.AzzKillCount));
  sink.AppendLine("---");
  sink.AppendLine("Azzameen Kill details (Kill list + Assist list A + Assist list B):");
  sink.AppendLine("Shiptype:\t\tKills:\tAssitsA:\tAssitsB:");
  AppendCraftRows(record.AzzKills, sink, record.AzzAssistsA, record.AzzAssistsB);
  sink.AppendLine("---");
}

void AppendSimulatorKillTable(const PilotRecord& record, TextSink& sink) {
  sink.AppendLine("Combat sim. kill details (Kill list A + Kill list B + Assist list :");
  sink.AppendLine("Shiptype:\t\tKillsA:\tKillsB:\tAssits:");
  const auto labels = CraftTypeLabels();
  CraftRow row;
  std::int32_t total = 0;
  for (std::size_t i = 0; i < kCraftTypeCount; ++i) {
    if (record.SimKillsA[i] <= 0 && record.SimKillsB[i] <= 0) continue;
    sink.AppendLine(row.Text(labels[i], record.SimKillsA[i], record.SimKillsB[i], record.SimAssists[i]));
    total = WrappingAdd(total, record.SimKillsA[i]);  // whatever its sign
  }
  AppendCraftTotal("Calculated total (Kill list A): ", total, sink);
}

std::int32_t AppendPlayerTables(const PilotRecord& record, TextSink& sink) {
  sink.AppendLine("Number of players this pilot have killed listed by rating:");
  const std::int32_t playerKills = AppendRatingRows(record.PlayersKilledByRating, sink);
  sink.AppendLine("Total number of player kills: " + IntText(playerKills));
  sink.AppendLine("");
  sink.AppendLine("Number times this pilot has been killed by players (listed by rating):");
  const std::int32_t timesKilled = AppendRatingRows(record.KilledByPlayersByRating, sink);
  sink.AppendLine("Total number times killed: " + IntText(timesKilled));
  return timesKilled;
}

}  // namespace orlenda

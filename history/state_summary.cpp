#include "history/state_summary.h"

#include "base/windows1252.h"
#include "history/career_counts.h"
#include "report/consistency_check.h"
#include "report/summary_block.h"
#include "report/text_sink.h"
#include "settings/settings_snapshot.h"

namespace orlenda {
namespace {

// The check is counted whatever the player's CheckCheat says: the count belongs to the state.
int CheckErrorsOf(const PilotRecord& record) {
  static const SettingsSnapshot kCheckOn = SettingsSnapshot::OfText("[Orlenda]\nCheckCheat=1\n");
  DiscardedLines lines;
  return AppendConsistencyCheck(record, kCheckOn, lines);
}

}  // namespace

StateSummary SummaryOf(const PilotRecord& record) {
  StateSummary summary;
  summary.name = Utf8FromUtf8OrWindows1252(FieldText(record.PilotName));
  summary.rank = record.Rank;
  summary.rating = record.Rating;
  summary.kalidorStatus = record.KalidorStatus;
  const CareerCounts career = CareerCountsOf(record);
  summary.won = career.won;
  summary.missionsWon = static_cast<int>(career.won.count());
  summary.campaignTotal = career.campaignTotal;
  summary.todScore = record.TODScoreA;
  summary.total = ComputeScoreTotals(record).total;
  summary.checkErrors = CheckErrorsOf(record);
  return summary;
}

std::string WonMissionsBytes(const WonMissions& won) {
  std::string bytes((kMissionSlotCount + 7) / 8, '\0');
  for (std::size_t slot = 0; slot < kMissionSlotCount; ++slot)
    if (won.test(slot)) bytes[slot / 8] = static_cast<char>(bytes[slot / 8] | (1 << (slot % 8)));
  return bytes;
}

WonMissions WonMissionsOfBytes(const std::string& bytes) {
  WonMissions won;
  for (std::size_t slot = 0; slot < kMissionSlotCount && slot / 8 < bytes.size(); ++slot)
    won.set(slot, (static_cast<unsigned char>(bytes[slot / 8]) >> (slot % 8)) & 1);
  return won;
}

}  // namespace orlenda

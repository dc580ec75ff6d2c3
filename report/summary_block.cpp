#include "report/summary_block.h"

#include <string>

#include "pilot/le_int32.h"
#include "report/decoded_text.h"
#include "report/number_text.h"

namespace orlenda {
namespace {

constexpr std::string_view kRule = "-------------------------------------------------";

std::string MissileLine(const PilotRecord& record, const ReportContext& context) {
  std::string line =
      "TOD Missile accuracy: " + IntText(record.TODMissileHits) + "/" + IntText(record.TODMissilesFired);
  if (record.TODMissilesFired > 0)
    line += " (" + PercentageText(record.TODMissileHits, record.TODMissilesFired, context.decimalSeparator) +
            "%)";
  return line;
}

std::string LaserLine(const PilotRecord& record, const ReportContext& context) {
  if (record.TotalLaserA <= 0) return "TODLaser accuracy: -";
  return "TOD Laser accuracy: " + IntText(record.TODLaserHit) + "/" + IntText(record.TotalLaserA) + " (" +
         PercentageText(record.TODLaserHit, record.TotalLaserA, context.decimalSeparator) + "%)";
}

}  // namespace

ScoreTotals ComputeScoreTotals(const PilotRecord& record) {
  ScoreTotals totals;
  totals.scoreSum = WrappingAdd(record.TODScoreA, record.AzzScoreB);
  totals.bonusSum = WrappingAdd(record.TODBonus, record.AzzBonus);
  totals.total = WrappingAdd(totals.scoreSum, totals.bonusSum);
  return totals;
}

void AppendSummaryBlock(const PilotRecord& record, const ReportContext& context, TextSink& sink) {
  sink.AppendLine("Name: " + DecodedFieldText(record.PilotName));
  sink.AppendLine("TOD Score: " + IntText(record.TODScoreA) + " TOD Bonus: " + IntText(record.TODBonus));
  sink.AppendLine("Azz Score: " + IntText(record.AzzScoreB) + " Azz Bonus: " + IntText(record.AzzBonus));
  sink.AppendLine(kRule);
  sink.AppendLine(MissileLine(record, context));
  sink.AppendLine(LaserLine(record, context));
  sink.AppendLine(kRule);
  sink.AppendLine("Total: " + IntText(ComputeScoreTotals(record).total));
}

}  // namespace orlenda

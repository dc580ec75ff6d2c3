#include "report/pilot_comparison.h"

#include "report/summary_block.h"

namespace orlenda {

PilotDiff ComparePilots(const PilotImage& oldFile, const PilotImage& newFile) {
  PilotDiff diff = ComparePilotFiles(oldFile, newFile);
  const std::int32_t oldTotal = ComputeScoreTotals(oldFile.record).total;
  const std::int32_t newTotal = ComputeScoreTotals(newFile.record).total;
  if (oldTotal != newTotal) diff.derived.push_back({"Total", oldTotal, newTotal});
  return diff;
}

}  // namespace orlenda

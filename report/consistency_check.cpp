#include "report/consistency_check.h"

#include <string>

#include "pilot/le_int32.h"
#include "report/number_text.h"
#include "report/summary_block.h"
#include "settings/typed_settings.h"

namespace orlenda {
namespace {

int CountCopyMismatches(const PilotRecord& record, TextSink& sink) {
  int errors = 0;
  const auto compare = [&](std::int32_t a, std::int32_t b, std::string_view message) {
    if (a == b) return;
    sink.AppendLine(message);
    ++errors;
  };
  compare(record.TODScoreA, record.TODScoreB, "TODScoreA <> TODScoreB!");
  compare(record.TODScoreA, record.TODScoreC, "TODScoreA <> TODScoreC!");
  compare(record.TODScoreA, record.TODScoreD, "TODScoreA <> TODScoreD!");
  compare(record.AzzScoreB, record.AzzScoreD, "AzzScore1 <> AzzScore2!");
  return errors;
}

// The campaign's missions may count toward the Azz score in either of two copies, so the total only
// fails when neither copy makes it match.
void AppendTotalTest(const PilotRecord& record, TextSink& sink) {
  const std::int32_t withoutAzzScore =
      WrappingAdd(WrappingAdd(record.TODScoreA, record.TODBonus), record.AzzBonus);
  if (WrappingAdd(withoutAzzScore, record.AzzScoreB) != record.CampaignTotal &&
      WrappingAdd(withoutAzzScore, record.AzzScoreC) != record.CampaignTotal)
    sink.AppendLine(
        "TODScore+TODBonuns+AzzScore+AzzBonus <> Calculated Total Score. This may not be a real error.");
}

void AppendComparedValues(const PilotRecord& record, TextSink& sink) {
  sink.AppendLine("TODScoreA= " + IntText(record.TODScoreA));
  sink.AppendLine("TODScoreB= " + IntText(record.TODScoreB));
  sink.AppendLine("TODScoreC= " + IntText(record.TODScoreC));
  sink.AppendLine("TODScoreD= " + IntText(record.TODScoreD));
  sink.AppendLine("TODBonus= " + IntText(record.TODBonus));
  sink.AppendLine("AzzScore1= " + IntText(record.AzzScoreB));
  sink.AppendLine("AzzScore2= " + IntText(record.AzzScoreD));
  sink.AppendLine("AzzBonus= " + IntText(record.AzzBonus));
  sink.AppendLine("TODScoreA+TODBonuns+AzzScore1+AzzBonus= " + IntText(ComputeScoreTotals(record).total));
  sink.AppendLine("Calculated Total Score= " + IntText(record.CampaignTotal));
}

}  // namespace

std::string CheckErrorCountText(int errors) {
  return errors == 0 ? std::string() : IntText(errors) + " error(s) found!";
}

int AppendConsistencyCheck(const PilotRecord& record, const SettingsReader& settings, TextSink& sink) {
  if (!ReadFlag(settings, SettingNamed("CheckCheat"))) return 0;
  sink.AppendLine("File Cheat/Error check:");
  const int errors = CountCopyMismatches(record, sink);
  AppendTotalTest(record, sink);
  sink.AppendLine(errors == 0 ? std::string("Pilotfile seems OK.") : CheckErrorCountText(errors));
  if (ReadFlag(settings, SettingNamed("ShowErrorDetailes")) && errors > 0) AppendComparedValues(record, sink);
  return errors;
}

}  // namespace orlenda

#include "report/full_details.h"

#include <string>

#include "report/decoded_text.h"
#include "report/kill_tables.h"
#include "report/number_text.h"
#include "report/sim_listing.h"

namespace orlenda {
namespace {

constexpr std::string_view kHeadingRule = " ------------------------------------- ";

std::string FourScores(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  return IntText(a) + ", " + IntText(b) + ", " + IntText(c) + " and " + IntText(d);
}

// "first/second", with second over first as a percentage when first is positive.
std::string RatioText(std::int32_t first, std::int32_t second, const ReportContext& context) {
  std::string text = IntText(first) + "/" + IntText(second);
  if (first > 0) text += " (" + PercentageText(second, first, context.decimalSeparator) + "%)";
  return text;
}

void AppendHeading(TextSink& sink) {
  sink.AppendLine("");
  sink.AppendLine(kHeadingRule);
  sink.AppendLine("--- All other known details: ---");
  sink.AppendLine(kHeadingRule);
}

void AppendWarheadBlock(const PilotRecord& record, const ReportContext& context, TextSink& sink) {
  sink.AppendLine("Warhead / Laser statistics:");
  sink.AppendLine("TOD Missile Fired/Hit: " +
                  RatioText(record.TODMissilesFired, record.TODMissileHits, context));
  sink.AppendLine("LaserHitA (?): " + IntText(record.LaserHitA) +
                  "  TODLaserHit: " + IntText(record.TODLaserHit));
  sink.AppendLine("TotalLaserA: " + IntText(record.TotalLaserA));
  if (record.TotalLaserA > 0)
    sink.AppendLine("Laser accuracy (TODLaserHit / TotalLaserA): " +
                    PercentageText(record.TODLaserHit, record.TotalLaserA, context.decimalSeparator) + "%");
  sink.AppendLine("2 Unknown (Total Missiles?)");
  sink.AppendLine("A/B: " + RatioText(record.MissileCountAB, record.MissileCountAB, context));
  sink.AppendLine("End experimental data.");
}

void AppendScoreGroups(const PilotRecord& record, TextSink& sink) {
  sink.AppendLine("");
  sink.AppendLine("TOD total score A, B, C and D: = " +
                  FourScores(record.TODScoreA, record.TODScoreB, record.TODScoreC, record.TODScoreD));
  sink.AppendLine("TOD bonus score: = " + IntText(record.TODBonus));
  sink.AppendLine("Azzameen total score A, B, C and D: = " +
                  FourScores(record.AzzScoreA, record.AzzScoreB, record.AzzScoreC, record.AzzScoreD));
  sink.AppendLine("Azzameen bonus score: = " + IntText(record.AzzBonus));
  sink.AppendLine("Combat Sim. total score A, B, C and D: = " +
                  FourScores(record.SimScoreA, record.SimScoreB, record.SimScoreC, record.SimScoreD));
  sink.AppendLine("Comabat Sim. bonus score: = " + IntText(record.SimBonus));
  sink.AppendLine("");
  sink.AppendLine("To next rating: " + IntText(record.ToNextRating) + "%");
  sink.AppendLine("");
}

void AppendSimulatorAndMultiplayer(const PilotRecord& record, const SettingsReader& settings,
                                   TextSink& sink) {
  sink.AppendLine("- Combat Sim. data: -");
  SimRipScore(record, settings, sink);
  sink.AppendLine("");
  sink.AppendLine("Combat sim. / Multi-Player gaming:");
  sink.AppendLine("MP join game name: " + DecodedFieldText(record.MPJoinGameName));
  sink.AppendLine("MP host game name: " + DecodedFieldText(record.MPHostGameName));
  sink.AppendLine("");
  AppendSimulatorKillTable(record, sink);
  sink.AppendLine("");
}

void AppendLosses(const PilotRecord& record, std::int32_t timesKilledByPlayers, TextSink& sink) {
  sink.AppendLine("Total player Craft losses:");
  sink.AppendLine("Total craft losses: " + IntText(record.CraftLosses));
  sink.AppendLine("To players: " + IntText(timesKilledByPlayers));
  sink.AppendLine("To non-player crafts: " + IntText(record.LossesToNonPlayerCraft));
  sink.AppendLine("To Starships: " + IntText(record.LossesToStarships));
  sink.AppendLine("To mines: " + IntText(record.LossesToMines));
  sink.AppendLine("From collisions: " + IntText(record.LossesFromCollisions));
}

}  // namespace

void AppendFullDetails(const PilotRecord& record, const SettingsReader& settings,
                       const ReportContext& context, TextSink& sink) {
  AppendHeading(sink);
  AppendWarheadBlock(record, context, sink);
  AppendScoreGroups(record, sink);
  AppendCampaignKillTables(record, sink);
  AppendSimulatorAndMultiplayer(record, settings, sink);
  const std::int32_t timesKilledByPlayers = AppendPlayerTables(record, sink);
  sink.AppendLine("");
  AppendLosses(record, timesKilledByPlayers, sink);
}

}  // namespace orlenda

#include "report/career_section.h"

#include <cstdint>
#include <string>

#include "report/number_text.h"
#include "report/summary_block.h"

namespace orlenda {
namespace {

// The section's lines are each built in one buffer that the whole section reuses.

// "4 to 9", "54" or "from 54" for an open battle that holds nothing yet; missions as the game numbers
// them.
void AppendBattleMissions(std::string& line, const CampaignBattle& battle) {
  const int first = battle.firstSlot + 1;
  line += battle.slotCount == 0 ? "from mission " : battle.slotCount == 1 ? "mission " : "missions ";
  AppendIntText(line, first);
  if (battle.slotCount < 2) return;
  line += " to ";
  AppendIntText(line, first + battle.slotCount - 1);
}

// " Score= 10492 Bonus= 0 Time= 23:32", as a battle and each of its missions end.
void AppendScoreBonusAndTime(std::string& line, std::int32_t score, std::int32_t bonus, std::int32_t time) {
  line += " Score= ";
  AppendIntText(line, score);
  line += " Bonus= ";
  AppendIntText(line, bonus);
  line += " Time= ";
  AppendMissionTimeText(line, time, TimeSeconds::kAsListed);
}

// "Battle 1 (missions 4 to 9): 4 of 6 won, incomplete; Score= 10492 Bonus= 0 Time= 23:32"
// A battle not flown says how many of its missions a club's fresh pilot marked as skipped.
void WriteBattleLine(std::string& line, const CampaignCareer& career, const CampaignBattle& battle) {
  line.assign("Battle ");
  AppendIntText(line, battle.number);
  line += " (";
  AppendBattleMissions(line, battle);
  line += "): ";
  if (battle.status == BattleStatus::kNotFlown) {
    int skipped = 0;
    for (const CampaignSlot* slot : career.SlotsOf(battle)) skipped += slot->Skipped() ? 1 : 0;
    line += "not flown";
    if (skipped == 0) return;
    line += ", ";
    AppendIntText(line, skipped);
    line += skipped == 1 ? " mission skipped" : " missions skipped";
    return;
  }
  AppendIntText(line, battle.missionsWon);
  line += " of ";
  AppendIntText(line, battle.slotCount);
  line += " won, ";
  line += BattleStatusName(battle.status);
  line += ';';
  AppendScoreBonusAndTime(line, battle.score, battle.bonus, battle.time);
}

// "  4 - battle 1, mission 1: Attempts= 1 Wins= 1 Score= 2490 Bonus= 0 Time= 3:17"; a stock mission by
// its own name.
void WriteMissionLine(std::string& line, const CampaignCareer& career, const CampaignSlot& slot) {
  line.assign("  ");
  AppendNumberedCampaignMissionLabel(line, career, slot.slot);
  line += ": Attempts= ";
  AppendIntText(line, slot.attempts);
  line += " Wins= ";
  AppendIntText(line, slot.wins);
  AppendScoreBonusAndTime(line, slot.score, slot.bonus, slot.time);
}

// "Missions' scores 67559 and bonuses 114350 add up to the stored TOD/Azzameen scores 67559 and
// bonuses 114350."
std::string SumsLine(const PilotRecord& record, const CampaignCareer& career) {
  const ScoreTotals stored = ComputeScoreTotals(record);
  const bool addUp = stored.scoreSum == career.scoreSum && stored.bonusSum == career.bonusSum;
  return "Missions' scores " + IntText(career.scoreSum) + " and bonuses " + IntText(career.bonusSum) +
         (addUp ? " add up" : " do not add up") + " to the stored TOD/Azzameen scores " +
         IntText(stored.scoreSum) + " and bonuses " + IntText(stored.bonusSum) + ".";
}

}  // namespace

bool ShowsCareerSection(const PilotRecord& record, const CampaignCareer& career) {
  return career.layout != CampaignLayout::kStock || career.slots.size() != record.CampaignMissionCount;
}

void AppendCareerSection(const PilotRecord& record, TextSink& sink) {
  const CampaignCareer career = CampaignCareerOf(record);
  if (!ShowsCareerSection(record, career)) return;
  sink.AppendLine("");
  sink.AppendLine("--- Campaign battles: ----------------------------");
  sink.AppendLine("Layout: " + std::string(CampaignLayoutName(career.layout)));
  std::string line;
  for (const CampaignBattle& battle : career.battles) {
    WriteBattleLine(line, career, battle);
    sink.AppendLine(line);
    for (const CampaignSlot* slot : career.SlotsOf(battle)) {
      if (!slot->Flown()) continue;
      WriteMissionLine(line, career, *slot);
      sink.AppendLine(line);
    }
  }
  sink.AppendLine(SumsLine(record, career));
}

}  // namespace orlenda

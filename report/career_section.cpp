#include "report/career_section.h"

#include <string>

#include "report/number_text.h"
#include "report/summary_block.h"

namespace orlenda {
namespace {

// "4 to 9", "54" or "from 54" for an open battle that holds nothing yet; missions as the game numbers
// them.
std::string BattleMissions(const CampaignBattle& battle) {
  const int first = battle.firstSlot + 1;
  if (battle.slotCount == 0) return "from mission " + IntText(first);
  if (battle.slotCount == 1) return "mission " + IntText(first);
  return "missions " + IntText(first) + " to " + IntText(first + battle.slotCount - 1);
}

// "Battle 1 (missions 4 to 9): 4 of 6 won, incomplete; Score= 10492 Bonus= 0 Time= 23:32"
// A battle not flown says how many of its missions a club's fresh pilot marked as skipped.
std::string BattleLine(const CampaignCareer& career, const CampaignBattle& battle) {
  std::string line = "Battle " + IntText(battle.number) + " (" + BattleMissions(battle) + "): ";
  if (battle.status == BattleStatus::kNotFlown) {
    int skipped = 0;
    for (const CampaignSlot* slot : career.SlotsOf(battle)) skipped += slot->Skipped() ? 1 : 0;
    if (skipped == 0) return line + "not flown";
    return line + "not flown, " + IntText(skipped) + (skipped == 1 ? " mission" : " missions") + " skipped";
  }
  line += IntText(battle.missionsWon) + " of " + IntText(battle.slotCount) + " won, " +
          std::string(BattleStatusName(battle.status)) + "; Score= " + IntText(battle.score) +
          " Bonus= " + IntText(battle.bonus) + " Time= ";
  AppendMissionTimeText(line, battle.time, TimeSeconds::kAsListed);
  return line;
}

// "  4 - battle 1, mission 1: Attempts= 1 Wins= 1 Score= 2490 Bonus= 0 Time= 3:17"; a stock mission by
// its own name.
std::string MissionLine(const CampaignCareer& career, const CampaignSlot& slot) {
  std::string line = "  " + NumberedCampaignMissionLabel(career, slot.slot) +
                     ": Attempts= " + IntText(slot.attempts) + " Wins= " + IntText(slot.wins) +
                     " Score= " + IntText(slot.score) + " Bonus= " + IntText(slot.bonus) + " Time= ";
  AppendMissionTimeText(line, slot.time, TimeSeconds::kAsListed);
  return line;
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
  for (const CampaignBattle& battle : career.battles) {
    sink.AppendLine(BattleLine(career, battle));
    for (const CampaignSlot* slot : career.SlotsOf(battle))
      if (slot->Flown()) sink.AppendLine(MissionLine(career, *slot));
  }
  sink.AppendLine(SumsLine(record, career));
}

}  // namespace orlenda

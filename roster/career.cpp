#include "roster/career.h"

#include <algorithm>

#include "base/grouped_number.h"
#include "base/path_names.h"
#include "pilot/campaign_career.h"
#include "pilot/campaign_total.h"
#include "pilot/enumerations.h"
#include "pilot/pilot_load.h"
#include "report/consistency_check.h"
#include "report/decoded_text.h"
#include "report/number_text.h"
#include "roster/roster_build.h"

namespace orlenda {
namespace {

// The active-mission list's text without the trailing blanks that three of the game's names carry;
// the list's last entries are blank, and those missions go by their number.
std::string CampaignMissionLabel(int number) {
  std::string name(ItemText(MissionIndexNames(), number - 1).value_or(""));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name.empty() ? "Mission " + IntText(number) : name;
}

std::string SimulatorMissionLabel(int number) { return "Combat simulator mission " + IntText(number); }

std::vector<CareerMission> MissionsOf(const MissionList& entries, int count, std::string (*label)(int)) {
  std::vector<CareerMission> missions;
  missions.reserve(static_cast<std::size_t>(count));
  for (int number = 1; number <= count; ++number) {
    CareerMission mission;
    mission.number = number;
    mission.label = label(number);
    mission.values = ValuesOf(entries[static_cast<std::size_t>(number - 1)]);
    mission.runningTotal = CampaignTotalOf(std::span(entries).first(static_cast<std::size_t>(number)));
    missions.push_back(std::move(mission));
  }
  return missions;
}

MissionEntry EntryOf(const CampaignSlot& slot) {
  MissionEntry entry;
  entry.Score = slot.score;
  entry.Bonus = slot.bonus;
  entry.Time = slot.time;
  return entry;
}

// "17 - Flight Staff Transfer" as the game names it; "54 - battle 1, mission 1" for a battle's mission
// that has no name; a slot outside the battles goes by the active-mission list.
std::string SlotLabel(const CampaignCareer& model, int slot) {
  if (model.BattleOf(slot) == nullptr) return CampaignMissionLabel(slot + 1);
  return NumberedCampaignMissionLabel(model, slot);
}

// The campaign's missions by the career model: every held slot but the ones marked without a flight,
// whose values still count in the running total, so that the last one is the career's campaign total.
std::vector<CareerMission> CampaignMissionsOf(const CampaignCareer& model) {
  std::vector<MissionEntry> entries;
  std::vector<CareerMission> missions;
  for (const CampaignSlot& slot : model.slots) {
    entries.push_back(EntryOf(slot));
    if (slot.Skipped()) continue;
    CareerMission mission;
    mission.number = slot.slot + 1;
    mission.label = SlotLabel(model, slot.slot);
    mission.values = ValuesOf(entries.back());
    mission.runningTotal = CampaignTotalOf(entries);
    missions.push_back(std::move(mission));
  }
  return missions;
}

std::vector<CareerBattle> BattlesOf(const CampaignCareer& model, const std::vector<CareerMission>& missions) {
  std::vector<CareerBattle> battles;
  for (const CampaignBattle& battle : model.battles) {
    const bool shown = std::any_of(missions.begin(), missions.end(),
                                   [&](const CareerMission& m) { return battle.Holds(m.number - 1); });
    if (!shown) continue;
    battles.push_back({battle.number, battle.firstSlot + 1, battle.firstSlot + battle.slotCount,
                       "Battle " + IntText(battle.number)});
  }
  return battles;
}

// "score 8,550 + bonus 530 = 9,080, time 12:05".
std::string ValuesText(const MissionValues& values) {
  return "score " + GroupedNumber(values.score) + " + bonus " + GroupedNumber(values.bonus) + " = " +
         GroupedNumber(values.total) + ", time " + MissionTimeText(values.time, TimeSeconds::kTwoDigits);
}

}  // namespace

PilotCareer CareerOf(const PilotRecord& record, const SettingsReader& settings) {
  PilotCareer career;
  career.pilotName = DecodedFieldText(record.PilotName);
  career.path = record.PilotFileName;
  career.fileName = std::string(LastPathComponent(record.PilotFileName));
  const CampaignCareer model = CampaignCareerOf(record);
  career.campaign = CampaignMissionsOf(model);
  career.battles = BattlesOf(model, career.campaign);
  career.simulator = MissionsOf(record.SimMissions, record.SimMissionCount, SimulatorMissionLabel);
  const int next = record.CampaignMissionCount + 1;
  if (next <= static_cast<int>(kMissionIndexCount)) {
    career.activeMission = next;
    career.activeMissionLabel = CampaignMissionLabel(next);
  }
  DiscardedLines checkLines;
  career.checkErrorCount = AppendConsistencyCheck(record, settings, checkLines);
  return career;
}

LoadedCareers LoadCareers(const std::vector<std::string>& paths, const SettingsReader& settings) {
  LoadedCareers loaded;
  for (const std::string& path : paths) {
    const LoadResult result = LoadPilotFile(path);
    if (result.Succeeded())
      loaded.careers.push_back(CareerOf(result.record, settings));
    else
      loaded.leftOut.push_back(std::string(LastPathComponent(path)) + ": " + JoinedMessages(result.messages));
  }
  return loaded;
}

std::string MissionSummary(const CareerMission& mission) {
  return mission.label + ": " + ValuesText(mission.values);
}

std::string RunningTotalSummary(const CareerMission& mission) {
  return mission.label + ": campaign total " + GroupedNumber(mission.runningTotal) + " (" +
         ValuesText(mission.values) + ")";
}

}  // namespace orlenda

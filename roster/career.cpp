#include "roster/career.h"

#include "base/grouped_number.h"
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

// "score 8,550 + bonus 530 = 9,080, time 12:5", the time as the listing writes it.
std::string ValuesText(const MissionValues& values) {
  return "score " + GroupedNumber(values.score) + " + bonus " + GroupedNumber(values.bonus) + " = " +
         GroupedNumber(values.total) + ", time " + MissionTimeText(values.time);
}

}  // namespace

PilotCareer CareerOf(const PilotRecord& record, const SettingsReader& settings) {
  PilotCareer career;
  career.pilotName = DecodedFieldText(record.PilotName);
  career.path = record.PilotFileName;
  career.fileName = ShownFileName(record.PilotFileName);
  career.campaign = MissionsOf(record.CampaignMissions, record.CampaignMissionCount, CampaignMissionLabel);
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
      loaded.leftOut.push_back(ShownFileName(path) + ": " + JoinedMessages(result.messages));
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

std::string CheckErrorNote(int checkErrorCount) {
  if (checkErrorCount == 0) return {};
  return IntText(checkErrorCount) + (checkErrorCount == 1 ? " error" : " errors") + " in the score check";
}

}  // namespace orlenda

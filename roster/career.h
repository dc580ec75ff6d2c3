#pragma once

// A pilot's career as the score charts show it: every campaign slot that the pilot flew (wherever it
// lies in the file, with the battle that holds it) and every combat simulator mission with the values that
// the mission listings print for it, the running campaign total, and the consistency check's count. It is
// made from a loaded pilot by the report's own functions, so a chart can never show a number that the report
// does not print.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pilot/pilot_record.h"
#include "report/mission_line.h"
#include "settings/settings_reader.h"

namespace orlenda {

struct CareerMission {
  int number = 0;     // as the listings number it, from 1 (a campaign slot's number is slot + 1)
  std::string label;  // "17 - Flight Staff Transfer", or "battle 8, mission 2" where no name is known
  MissionValues values;
  std::int32_t runningTotal = 0;  // the totals of the missions up to this one, wrapping as CampaignTotal
};

// A battle of the campaign that holds at least one of the missions shown: its missions' numbers.
struct CareerBattle {
  int number = 0;  // the battle's number as the game's mission list gives it
  int firstMission = 0;
  int lastMission = 0;
  std::string label;  // "Battle 8"
};

struct PilotCareer {
  std::string pilotName;  // UTF-8, as the report prints it
  std::string path;       // the pilot file, as loaded
  std::string fileName;   // the file's name without its folder, UTF-8
  // Every campaign slot that holds a mission the pilot flew or scored in, in slot order; the slots that a
  // club's fresh pilot marks as done without flying them are left out.
  std::vector<CareerMission> campaign;
  std::vector<CareerBattle> battles;     // the battles that hold the campaign missions above, in order
  std::vector<CareerMission> simulator;  // entries 1 to SimMissionCount
  // The mission the pilot flies next (the active-mission list's choice), after the completed ones;
  // none once all 255 are completed.
  std::optional<int> activeMission;
  std::string activeMissionLabel;
  int checkErrorCount = 0;  // as the report's check counts: 0 when CheckCheat is off
};

// The career of a loaded pilot. Reads CheckCheat from `settings`, as the report does.
PilotCareer CareerOf(const PilotRecord& record, const SettingsReader& settings);

// The careers of several pilot files, each loaded by the program's one load, in the order given. A
// file that fails to load is left out and named in `leftOut` with the load's messages.
struct LoadedCareers {
  std::vector<PilotCareer> careers;
  std::vector<std::string> leftOut;  // "broken.plt: The file have wrong size. ..."
};
LoadedCareers LoadCareers(const std::vector<std::string>& paths, const SettingsReader& settings);

// "17 - Flight Staff Transfer: score 8,550 + bonus 530 = 9,080, time 12:05".
std::string MissionSummary(const CareerMission& mission);

// "17 - Flight Staff Transfer: campaign total 152,100 (score 8,550 + bonus 530 = 9,080, time 12:05)".
std::string RunningTotalSummary(const CareerMission& mission);

}  // namespace orlenda

#pragma once

// The lines of a mission listing. The campaign and the combat simulator listings share the form and
// the settings; only their labels differ.

#include <cstdint>
#include <string_view>

#include "pilot/pilot_record.h"
#include "report/text_sink.h"
#include "settings/settings_reader.h"

namespace orlenda {

struct MissionLineFlags {
  bool showZeroMissions = false;
  bool showTotal = true;
  bool showScore = true;
  bool showBonus = true;
  bool showTime = false;
};

struct MissionLineLabels {
  std::string_view total;      // before S+B
  std::string_view bonusOnly;  // before B, closed by ")", when the bonus shows without the score
  std::string_view score;      // before S when the total does not show
  std::string_view bonus;      // before B after such a score
  std::string_view time;       // before the minutes
};

inline constexpr MissionLineLabels kCampaignLabels{"Tot. Score= ", " (Bonus=", "Score=", " Bonus=", " Time="};
inline constexpr MissionLineLabels kSimulatorLabels{
    "Best Tot. Score= ", " (Best Bonus=", "Best Score=", " Best Bonus=", " Best Time="};

// The values that a mission's line shows: score, bonus, their 32-bit sum and the time in seconds.
struct MissionValues {
  std::int32_t score = 0;
  std::int32_t bonus = 0;
  std::int32_t total = 0;
  std::int32_t time = 0;
};

MissionValues ValuesOf(const MissionEntry& entry);

// The listings' settings, read now. ShowZeroMissions has the listings' own test: on
// unless the text is exactly "0".
MissionLineFlags ReadMissionLineFlags(const SettingsReader& settings);

// Appends one line for each listed mission numbered `first` to `last` (mission n is missions[n - 1]):
// "n: " followed by the score part and the time, as the flags ask. Missions whose score, bonus and
// time are all 0 are left out unless ShowZeroMissions is on.
void AppendMissionLines(const MissionList& missions, int first, int last, const MissionLineFlags& flags,
                        const MissionLineLabels& labels, TextSink& sink);

}  // namespace orlenda

#include "report/mission_line.h"

#include <cstddef>
#include <string>

#include "pilot/le_int32.h"
#include "report/number_text.h"
#include "settings/typed_settings.h"

namespace orlenda {
namespace {

bool IsMissionListed(const MissionValues& values, const MissionLineFlags& flags) {
  return flags.showZeroMissions || values.score != 0 || values.bonus != 0 || values.time != 0;
}

// "Tot. Score= S+B", followed in brackets by whichever of score and bonus show.
void AppendTotalPart(std::string& line, const MissionValues& values, const MissionLineFlags& flags,
                     const MissionLineLabels& labels) {
  line += labels.total;
  AppendIntText(line, values.total);
  if (flags.showScore) {
    line += " (";
    AppendIntText(line, values.score);
    if (flags.showBonus) {
      line += '+';
      AppendIntText(line, values.bonus);
    }
    line += ')';
  } else if (flags.showBonus) {
    line += labels.bonusOnly;
    AppendIntText(line, values.bonus);
    line += ')';
  }
}

// Score and bonus on their own, when the total does not show.
void AppendScoreAndBonus(std::string& line, const MissionValues& values, const MissionLineFlags& flags,
                         const MissionLineLabels& labels) {
  if (flags.showScore) {
    line += labels.score;
    AppendIntText(line, values.score);
  }
  if (flags.showBonus) {
    line += flags.showScore ? labels.bonus : labels.bonusOnly;
    AppendIntText(line, values.bonus);
    if (!flags.showScore) line += ')';
  }
}

// Replaces the text of `line`, so that one buffer serves a whole listing.
void WriteMissionLine(std::string& line, int number, const MissionValues& values,
                      const MissionLineFlags& flags, const MissionLineLabels& labels) {
  line.clear();
  AppendIntText(line, number);
  line += ": ";
  if (flags.showTotal)
    AppendTotalPart(line, values, flags, labels);
  else
    AppendScoreAndBonus(line, values, flags, labels);
  if (flags.showTime) {
    line += labels.time;
    AppendMissionTimeText(line, values.time, TimeSeconds::kAsListed);
  }
}

}  // namespace

MissionValues ValuesOf(const MissionEntry& entry) {
  return {entry.Score, entry.Bonus, WrappingAdd(entry.Score, entry.Bonus), entry.Time};
}

MissionLineFlags ReadMissionLineFlags(const SettingsReader& settings) {
  MissionLineFlags flags;
  flags.showZeroMissions = ReadShowZeroMissionsForListing(settings);
  flags.showTotal = ReadFlag(settings, SettingNamed("ShowMissionTotal"));
  flags.showScore = ReadFlag(settings, SettingNamed("ShowMissionScore"));
  flags.showBonus = ReadFlag(settings, SettingNamed("ShowMissionBonus"));
  flags.showTime = ReadFlag(settings, SettingNamed("ShowMissionTime"));
  return flags;
}

void AppendMissionLines(const MissionList& missions, int first, int last, const MissionLineFlags& flags,
                        const MissionLineLabels& labels, TextSink& sink) {
  std::string line;
  for (int number = first; number <= last; ++number) {
    const MissionValues values = ValuesOf(missions[static_cast<std::size_t>(number - 1)]);
    if (!IsMissionListed(values, flags)) continue;
    WriteMissionLine(line, number, values, flags, labels);
    sink.AppendLine(line);
  }
}

}  // namespace orlenda

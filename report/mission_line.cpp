#include "mission_line.h"

#include "le_int32.h"
#include "number_text.h"
#include "setting_reads.h"

namespace orlenda {
namespace {

std::string ScorePart(const MissionEntry& entry, const MissionLineFlags& flags,
                      const MissionLineLabels& labels) {
  const std::string score = IntText(entry.Score);
  const std::string bonus = IntText(entry.Bonus);
  if (flags.showTotal) {
    std::string part = std::string(labels.total) + IntText(WrappingAdd(entry.Score, entry.Bonus));
    if (flags.showScore && flags.showBonus) return part + " (" + score + "+" + bonus + ")";
    if (flags.showScore) return part + " (" + score + ")";
    if (flags.showBonus) return part + std::string(labels.bonusOnly) + bonus + ")";
    return part;
  }
  if (flags.showScore && flags.showBonus)
    return std::string(labels.score) + score + std::string(labels.bonus) + bonus;
  if (flags.showScore) return std::string(labels.score) + score;
  if (flags.showBonus) return std::string(labels.bonusOnly) + bonus + ")";
  return {};
}

}  // namespace

MissionLineFlags ReadMissionLineFlags(const SettingsIni& store) {
  MissionLineFlags flags;
  flags.showZeroMissions = ReadShowZeroMissionsForListing(store);
  flags.showTotal = ReadFlag(store, key::ShowMissionTotal, "1");
  flags.showScore = ReadFlag(store, key::ShowMissionScore, "1");
  flags.showBonus = ReadFlag(store, key::ShowMissionBonus, "1");
  flags.showTime = ReadFlag(store, key::ShowMissionTime, "0");
  return flags;
}

bool IsMissionListed(const MissionEntry& entry, const MissionLineFlags& flags) {
  return flags.showZeroMissions || entry.Score != 0 || entry.Bonus != 0 || entry.Time != 0;
}

std::string MissionLine(int number, const MissionEntry& entry, const MissionLineFlags& flags,
                        const MissionLineLabels& labels) {
  std::string line = IntText(number) + ": " + ScorePart(entry, flags, labels);
  if (flags.showTime) line += std::string(labels.time) + MissionTimeText(entry.Time);
  return line;
}

}  // namespace orlenda

// The campaign mission listing over the From/To range.

#include <cstddef>

#include "mission_line.h"
#include "rip_pilot.h"

namespace orlenda {

void RipScore(const PilotRecord& record, const SettingsIni& store, MissionRange& range, TextSink& sink) {
  store.FlushSettings();
  NormaliseMissionRange(range, record.CampaignMissionCount);
  sink.AppendLine("--- Mission details: ----------------------------");
  const MissionLineFlags flags = ReadMissionLineFlags(store);
  for (int number = range.From == 0 ? 1 : range.From; number <= range.To; ++number) {
    const MissionEntry& entry = record.CampaignMissions[static_cast<std::size_t>(number - 1)];
    if (IsMissionListed(entry, flags)) sink.AppendLine(MissionLine(number, entry, flags, kCampaignLabels));
  }
}

}  // namespace orlenda

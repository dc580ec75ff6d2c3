#include "sim_listing.h"

#include "mission_line.h"

namespace orlenda {

void SimRipScore(const PilotRecord& record, const SettingsIni& store, TextSink& sink) {
  store.FlushSettings();
  sink.AppendLine("-- Combat simulator mission details: --");
  const MissionLineFlags flags = ReadMissionLineFlags(store);
  for (std::size_t index = 0; index < record.SimMissions.size(); ++index) {
    const MissionEntry& entry = record.SimMissions[index];
    if (IsMissionListed(entry, flags))
      sink.AppendLine(MissionLine(static_cast<int>(index) + 1, entry, flags, kSimulatorLabels));
  }
}

}  // namespace orlenda

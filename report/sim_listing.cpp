#include "report/sim_listing.h"

#include "report/mission_line.h"

namespace orlenda {

void SimRipScore(const PilotRecord& record, const SettingsReader& settings, TextSink& sink) {
  sink.AppendLine("-- Combat simulator mission details: --");
  const MissionLineFlags flags = ReadMissionLineFlags(settings);
  AppendMissionLines(record.SimMissions, 1, static_cast<int>(record.SimMissions.size()), flags,
                     kSimulatorLabels, sink);
}

}  // namespace orlenda

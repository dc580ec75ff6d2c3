#include "report/campaign_listing.h"

#include "report/mission_line.h"

namespace orlenda {

void AppendCampaignListing(const PilotRecord& record, const SettingsReader& settings, MissionRange& range,
                           TextSink& sink) {
  NormaliseMissionRange(range, record.CampaignMissionCount);
  sink.AppendLine("--- Mission details: ----------------------------");
  const MissionLineFlags flags = ReadMissionLineFlags(settings);
  AppendMissionLines(record.CampaignMissions, range.From == 0 ? 1 : range.From, range.To, flags,
                     kCampaignLabels, sink);
}

}  // namespace orlenda

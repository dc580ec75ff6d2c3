#include "report/campaign_listing.h"

#include "report/mission_line.h"
#include "report/rip_pilot.h"

namespace orlenda {

void AppendCampaignListing(const PilotRecord& record, const SettingsReader& settings, MissionRange& range,
                           TextSink& sink) {
  NormaliseMissionRange(range, record.CampaignMissionCount);
  sink.AppendLine("--- Mission details: ----------------------------");
  const MissionLineFlags flags = ReadMissionLineFlags(settings);
  AppendMissionLines(record.CampaignMissions, range.From == 0 ? 1 : range.From, range.To, flags,
                     kCampaignLabels, sink);
}

void RipScore(const PilotRecord& record, const SettingsIni& store, MissionRange& range, TextSink& sink) {
  AppendCampaignListing(record, store.Snapshot(), range, sink);
}

}  // namespace orlenda

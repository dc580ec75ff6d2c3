#pragma once

// The campaign mission listing over the From/To range.

#include "pilot/pilot_record.h"
#include "report/mission_range.h"
#include "report/text_sink.h"
#include "settings/settings_reader.h"

namespace orlenda {

// Appends the header and one line per listed mission of the range, which is first pulled into
// 0 <= From <= To <= CampaignMissionCount; the caller's fields then show the corrected values.
void AppendCampaignListing(const PilotRecord& record, const SettingsReader& settings, MissionRange& range,
                           TextSink& sink);

}  // namespace orlenda

#pragma once

// The campaign mission listing over the From/To range.

#include "mission_range.h"
#include "pilot_record.h"
#include "settings_reader.h"
#include "text_sink.h"

namespace orlenda {

// Appends the header and one line per listed mission of the range, which is first pulled into
// 0 <= From <= To <= CampaignMissionCount; the caller's fields then show the corrected values.
void AppendCampaignListing(const PilotRecord& record, const SettingsReader& settings, MissionRange& range,
                           TextSink& sink);

}  // namespace orlenda

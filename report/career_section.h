#pragma once

// The report's last section: the campaign as the career model reads it, for a file whose campaign
// slots hold more than the campaign listing shows (a club battle, a total conversion, records past the
// end of the list). It names the layout, lists each battle with its flown missions and closes with
// whether the missions' scores and bonuses add up to the file's stored ones.

#include "pilot/campaign_career.h"
#include "pilot/pilot_record.h"
#include "report/text_sink.h"

namespace orlenda {

// Whether the section has anything to show that the campaign listing does not: false for a stock
// campaign whose every held slot the loaded list reaches.
bool ShowsCareerSection(const PilotRecord& record, const CampaignCareer& career);

// Appends the section when ShowsCareerSection says so.
void AppendCareerSection(const PilotRecord& record, TextSink& sink);

}  // namespace orlenda

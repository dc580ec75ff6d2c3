#pragma once

// The score consistency check: compares the copies of the scores that the pilot file keeps in
// several places and prints what disagrees.

#include <string>

#include "pilot/pilot_record.h"
#include "report/text_sink.h"
#include "settings/settings_reader.h"

namespace orlenda {

// When CheckCheat is on, appends the check's lines and returns the number of disagreeing copies
// (0 to 4); otherwise appends nothing and returns 0. The total test is printed but never counted.
int AppendConsistencyCheck(const PilotRecord& record, const SettingsReader& settings, TextSink& sink);

// "2 error(s) found!": the check's count of disagreeing copies as the report words it, and as every
// other place that names the count shows it; empty for none.
std::string CheckErrorCountText(int errors);

}  // namespace orlenda

#pragma once

// The combat simulator mission listing: every one of the 256 simulator entries, best results.

#include "pilot_record.h"
#include "settings_ini.h"
#include "text_sink.h"

namespace orlenda {

// Appends the header and one line per listed entry, numbered 1 to 256.
void SimRipScore(const PilotRecord& record, const SettingsIni& store, TextSink& sink);

}  // namespace orlenda

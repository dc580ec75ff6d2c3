#pragma once

// The combat simulator mission listing: every one of the 256 simulator entries, best results.

#include "pilot/pilot_record.h"
#include "report/text_sink.h"
#include "settings/settings_reader.h"

namespace orlenda {

// Appends the header and one line per listed entry, numbered 1 to 256. The caller flushes the store
// before it reads the settings (RipPilot does, before it takes its snapshot).
void SimRipScore(const PilotRecord& record, const SettingsReader& settings, TextSink& sink);

}  // namespace orlenda

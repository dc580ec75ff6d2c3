#pragma once

#include "pilot/pilot_record.h"

namespace orlenda::tools {

// A mid-campaign pilot with scores, kills, missions and losses in every section of the report,
// consistent with itself so that the consistency check finds no errors.
PilotRecord SamplePilotRecord();

}  // namespace orlenda::tools

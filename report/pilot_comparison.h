#pragma once

// Two loaded pilot files compared as players read them: every field, record and byte of the files,
// and among the derived values the report's Total as well.

#include "pilot/pilot_diff.h"

namespace orlenda {

PilotDiff ComparePilots(const PilotImage& oldFile, const PilotImage& newFile);

}  // namespace orlenda

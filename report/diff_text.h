#pragma once

// `diff`'s answer as lines of text for players (UTF-8), as the command line prints it and the History
// window shows it.

#include <ostream>
#include <string>

#include "pilot/pilot_diff.h"

namespace orlenda {

// One line per difference: fields, list elements and mission records in file order, then the bytes of
// unknown meaning, the derived values and a summary line; "identical" alone when nothing differs.
void WriteDiffText(const PilotDiff& diff, std::ostream& out);

// "3 fields changed, 2 missions added": the fields counted once however many of their elements
// changed, then the mission records added, removed and changed where there are any.
std::string DiffSummary(const PilotDiff& diff);

}  // namespace orlenda

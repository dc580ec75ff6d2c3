#pragma once

// The two forms of `diff`'s answer, with the same content: lines of text for players, one JSON object
// for scripts. Texts are UTF-8.

#include <ostream>
#include <string>

#include "pilot/pilot_diff.h"

namespace orlenda::cli {

// One line per difference: fields, list elements and mission records in file order, then the bytes of
// unknown meaning, the derived values and a summary line; "identical" alone when nothing differs.
void WriteDiffText(const PilotDiff& diff, std::ostream& out);

// The same content as one JSON object and a line end, indented by two spaces a level; the unknown bytes
// with their full count and at most kUnknownOffsetLimit offsets. Written as it goes, without a tree of
// values: the answer for two unrelated pilots is several hundred kilobytes.
void WriteDiffJson(const PilotDiff& diff, const std::string& oldPath, const std::string& newPath,
                   std::ostream& out);

// "3 fields changed, 2 missions added": the fields counted once however many of their elements
// changed, then the mission records added, removed and changed where there are any.
std::string DiffSummary(const PilotDiff& diff);

}  // namespace orlenda::cli

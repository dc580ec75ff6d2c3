#pragma once

// The two forms of `diff`'s answer, with the same content: lines of text for players (report/diff_text.h),
// one JSON object for scripts. Texts are UTF-8.

#include <ostream>
#include <string>

#include "pilot/pilot_diff.h"
#include "report/diff_text.h"

namespace orlenda::cli {

// The same content as one JSON object and a line end, indented by two spaces a level; the unknown bytes
// with their full count and at most kUnknownOffsetLimit offsets. Written as it goes, without a tree of
// values: the answer for two unrelated pilots is several hundred kilobytes.
void WriteDiffJson(const PilotDiff& diff, const std::string& oldPath, const std::string& newPath,
                   std::ostream& out);

}  // namespace orlenda::cli

#pragma once

// The roster's three answers on standard output. Texts from the files (pilot and file names, load
// messages) are made printable in the table and the CSV; JSON escapes them itself.

#include <ostream>
#include <vector>

#include "roster/roster_row.h"

namespace orlenda::cli {

// Columns padded to their widest cell, numbers to the right; a file that failed to load shows its
// message after its name.
void WriteRosterTable(const std::vector<RosterRow>& rows, std::ostream& out);
void WriteRosterCsv(const std::vector<RosterRow>& rows, std::ostream& out);
// An array of one object per file: the columns' names as keys, numbers as numbers, a failed file's
// pilot values null, "loaded" true or false, and the export line.
void WriteRosterJson(const std::vector<RosterRow>& rows, std::ostream& out);

}  // namespace orlenda::cli

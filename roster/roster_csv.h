#pragma once

// The roster as RFC 4180 CSV, the same bytes from the command line's `roster --csv` and the Pilots
// window's "Save as CSV": a heading row of the column names, one record per pilot file, fields quoted
// when they hold a comma, a quote or a line end, records ended by CR LF. UTF-8. Texts from the files
// (pilot and file names, load messages) are made safe to show (base/display_text.h) first, since the
// command line prints the CSV on a terminal.

#include <string>
#include <vector>

#include "roster/roster_row.h"

namespace orlenda {

// One record of fields already safe to show, quoted where they need it, with its CR LF: the one CSV
// rule of both front ends, which the history's list follows too.
std::string CsvRecord(const std::vector<std::string>& fields);

// The heading and every row.
std::string RosterCsv(const std::vector<RosterRow>& rows);

}  // namespace orlenda

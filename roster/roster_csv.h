#pragma once

// The roster as RFC 4180 CSV: a heading row of the column names, one record per pilot file, fields
// quoted when they hold a comma, a quote or a line end, records ended by CR LF. UTF-8.

#include <string>
#include <string_view>
#include <vector>

#include "roster/roster_row.h"

namespace orlenda {

// The fields of a row, in column order (a failed file's pilot values are empty).
std::vector<std::string> RosterCsvFields(const RosterRow& row);
std::vector<std::string> RosterCsvHeading();

// One record, its line end included.
std::string CsvRecord(const std::vector<std::string>& fields);

// The heading and every row.
std::string RosterCsv(const std::vector<RosterRow>& rows);

}  // namespace orlenda

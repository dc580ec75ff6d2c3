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

// The heading and every row.
std::string RosterCsv(const std::vector<RosterRow>& rows);

// A row's fields in column order (a failed file's pilot values are empty), safe to show.
std::vector<std::string> RosterCsvFields(const RosterRow& row);

// One CSV record of these fields (quoted where needed), its CR LF included: the one CSV writer, which
// other tables of pilot files (the battle review, the history's list) write through too. The fields are taken
// as they are.
std::string CsvRecord(const std::vector<std::string>& fields);

// A whole table as CSV: the heading's record, then the record of `fieldsOf(item)` for each item.
template <typename Item, typename FieldsOf>
std::string CsvTable(const std::vector<std::string>& heading, const std::vector<Item>& items,
                     FieldsOf fieldsOf) {
  std::string csv = CsvRecord(heading);
  for (const Item& item : items) csv += CsvRecord(fieldsOf(item));
  return csv;
}

}  // namespace orlenda

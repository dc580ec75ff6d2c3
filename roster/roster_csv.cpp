#include "roster/roster_csv.h"

#include "base/display_text.h"
#include "roster/roster_columns.h"

namespace orlenda {
namespace {

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';  // a quote inside a field is doubled
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

}  // namespace

std::vector<std::string> RosterCsvFields(const RosterRow& row) {
  std::vector<std::string> fields;
  for (const RosterColumnInfo& info : RosterColumns())
    fields.push_back(EscapedText(CellText(row, info.column)));
  return fields;
}

std::string CsvRecord(const std::vector<std::string>& fields) {
  std::string record;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) record += ',';
    record += CsvField(fields[i]);
  }
  record += "\r\n";
  return record;
}

std::string RosterCsv(const std::vector<RosterRow>& rows) {
  return CsvTable(RosterColumnIds(), rows, RosterCsvFields);
}

}  // namespace orlenda

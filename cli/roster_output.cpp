#include "cli/roster_output.h"

#include <algorithm>
#include <string>

#include "base/display_text.h"
#include "cli/json_writer.h"
#include "cli/text_table.h"
#include "roster/roster_columns.h"
#include "roster/roster_csv.h"

namespace orlenda::cli {
namespace {

const std::string kGap = "  ";

// The table's columns: every column but the message, which a failed row shows in their place.
std::vector<RosterColumnInfo> TableColumns() {
  std::vector<RosterColumnInfo> columns;
  for (const RosterColumnInfo& info : RosterColumns())
    if (info.column != RosterColumn::kMessage) columns.push_back(info);
  return columns;
}

std::vector<std::vector<std::string>> TableCells(const std::vector<RosterRow>& rows,
                                                 const std::vector<RosterColumnInfo>& columns) {
  std::vector<std::vector<std::string>> cells;
  for (const RosterRow& row : rows) {
    std::vector<std::string>& line = cells.emplace_back();
    for (const RosterColumnInfo& info : columns) line.push_back(EscapedText(CellText(row, info.column)));
  }
  return cells;
}

}  // namespace

void WriteRosterTable(const std::vector<RosterRow>& rows, std::ostream& out) {
  const std::vector<RosterColumnInfo> columns = TableColumns();
  const std::vector<std::vector<std::string>> cells = TableCells(rows, columns);
  std::vector<std::size_t> widths;
  for (const RosterColumnInfo& info : columns) widths.push_back(info.heading.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::size_t measured = rows[r].loaded ? columns.size() : 1;  // a failed row: its file name
    for (std::size_t c = 0; c < measured; ++c) widths[c] = std::max(widths[c], DisplayWidth(cells[r][c]));
  }

  std::string line;
  for (std::size_t c = 0; c < columns.size(); ++c)
    line += (c == 0 ? std::string() : kGap) +
            Padded(std::string(columns[c].heading), widths[c], columns[c].kind == ColumnKind::kNumber);
  out << line << '\n';
  for (std::size_t r = 0; r < rows.size(); ++r) {
    line.clear();
    if (!rows[r].loaded) {
      line = Padded(cells[r][0], widths[0], false) + std::string(kGap) + EscapedText(rows[r].message);
    } else {
      for (std::size_t c = 0; c < columns.size(); ++c)
        line += (c == 0 ? std::string() : kGap) +
                Padded(cells[r][c], widths[c], columns[c].kind == ColumnKind::kNumber);
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << '\n';
  }
}

void WriteRosterCsv(const std::vector<RosterRow>& rows, std::ostream& out) { out << RosterCsv(rows); }

void WriteRosterJson(const std::vector<RosterRow>& rows, std::ostream& out) {
  WriteJsonAnswer(out, [&rows](JsonWriter& json) {
    json.Array(rows, [&json](const RosterRow& row) {
      json.Object([&] {
        json.Member("loaded", row.loaded);
        for (const RosterColumnInfo& info : RosterColumns()) {
          json.Key(info.id);
          const bool pilotValue = info.column != RosterColumn::kFile &&
                                  info.column != RosterColumn::kMessage &&
                                  info.column != RosterColumn::kModified;
          if (pilotValue && !row.loaded)
            json.Null();
          else if (info.kind == ColumnKind::kNumber && info.column != RosterColumn::kModified)
            json.Number(*CellNumber(row, info.column));
          else if (info.column == RosterColumn::kFile)
            json.String(EscapedText(row.fileName));  // as the table and the messages show a name
          else
            json.String(CellText(row, info.column));
        }
        json.MemberOrNull("export_line", row.loaded, row.exportLine);
      });
    });
  });
}

}  // namespace orlenda::cli

#pragma once

// The roster's columns, once: the name a script sorts by and CSV and JSON use, the heading a person
// reads, the pilot file's value it shows, the text of each cell and the order that sorting by the
// column gives. The terminal table, the CSV and JSON answers and the desktop program's table all come
// from this list.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pilot/pilot_record.h"
#include "roster/roster_column.h"
#include "roster/roster_row.h"

namespace orlenda {

enum class ColumnKind {
  kText,    // sorted A to Z
  kNumber,  // sorted highest first; right-aligned
  kValue,   // a name for a stored number (rank, rating, status), sorted by the number, highest first
};

struct RosterColumnInfo {
  RosterColumn column;
  std::string_view id;       // "total": --sort's value, the CSV heading, the JSON key
  std::string_view heading;  // "Total": the table's heading
  ColumnKind kind;
  // The pilot file's value that the column shows as it is stored; null for the columns made otherwise.
  std::int32_t (*storedValue)(const PilotRecord& record) = nullptr;
};

std::span<const RosterColumnInfo> RosterColumns();
const RosterColumnInfo& InfoOf(RosterColumn column);
std::optional<RosterColumn> RosterColumnNamed(std::string_view id);
std::vector<std::string> RosterColumnIds();

// The cell as shown: empty for a pilot value of a file that failed to load.
std::string CellText(const RosterRow& row, RosterColumn column);

// The number a kNumber or kValue column sorts by (the modification time for kModified); nothing for
// text columns and for the pilot values of a file that failed to load.
std::optional<std::int64_t> CellNumber(const RosterRow& row, RosterColumn column);

// The column's order: texts A to Z (letter case aside), numbers highest first, files that failed to
// load after all others; rows that tie keep their order.
bool SortsBefore(const RosterRow& a, const RosterRow& b, RosterColumn column);
void SortRoster(std::vector<RosterRow>& rows, RosterColumn column);

}  // namespace orlenda

#pragma once

// One line of the roster: what a player compares between pilot files, taken from one load of the file
// and the report's own sums, or the load's message when the file is no pilot file.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "roster/roster_column.h"

namespace orlenda {

struct RosterRow {
  std::string path;                          // as listed or given
  std::string fileName;                      // the path's last component, its bytes as they are
  std::optional<std::int64_t> modifiedTime;  // seconds since 1970 (UTC), when the file told it

  bool loaded = false;
  std::string message;  // the load's messages, one after the other, when it failed

  // Loaded pilots only: the values as the report shows them. The values stored in the pilot file (rank,
  // rating, status, missions, scores and bonuses) by column, as RosterColumns() says where each is read.
  std::string pilotName;
  std::string layout;  // the campaign's layout, as the career model names it
  std::array<std::int32_t, kRosterColumnCount> stored{};
  std::int32_t total = 0;  // the summary's "Total: "
  std::string scorePart;   // the export line's score part under the current settings, without " - Score: "
  std::string exportLine;  // the line that closing the pilot's view appends to the main log
  int checkErrorCount = 0;

  std::int32_t& Stored(RosterColumn column) { return stored[IndexOf(column)]; }
  std::int32_t Stored(RosterColumn column) const { return stored[IndexOf(column)]; }
};

}  // namespace orlenda

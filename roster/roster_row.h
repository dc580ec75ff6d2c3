#pragma once

// One line of the roster: what a player compares between pilot files, taken from one load of the file
// and the report's own sums, or the load's message when the file is no pilot file.

#include <cstdint>
#include <optional>
#include <string>

namespace orlenda {

struct RosterRow {
  std::string path;                          // as listed or given
  std::string fileName;                      // the path's last component, as UTF-8 text
  std::optional<std::int64_t> modifiedTime;  // seconds since 1970 (UTC), when the file told it

  bool loaded = false;
  std::string message;  // the load's messages, one after the other, when it failed

  // Loaded pilots only: the values as the report shows them.
  std::string pilotName;
  std::int32_t rank = 0;
  std::int32_t rating = 0;
  std::int32_t kalidorStatus = 0;
  int missionsCompleted = 0;  // CampaignMissionCount; the active mission is the one of that index
  std::int32_t campaignTotal = 0;
  std::int32_t todScore = 0;
  std::int32_t todBonus = 0;
  std::int32_t azzScore = 0;
  std::int32_t azzBonus = 0;
  std::int32_t total = 0;  // the summary's "Total: "
  std::int32_t simScore = 0;
  std::int32_t simBonus = 0;
  std::string scorePart;   // the export line's score part under the current settings, without " - Score: "
  std::string exportLine;  // the line that closing the pilot's view appends to the main log
  int checkErrorCount = 0;
};

}  // namespace orlenda

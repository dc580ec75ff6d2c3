#pragma once

// Writing the pilot's details back into the loaded pilot file, in place: the name, rank, rating,
// Kalidor Crescent status and the campaign mission list up to its terminating record. Every other
// byte of the file keeps its value.

#include <optional>
#include <set>
#include <string>

#include "pilot_record.h"

namespace orlenda {

// What the view's controls hold when the user saves. A value that is absent stands for a box without
// a chosen item: that field is left as it is in the file.
struct PilotDetails {
  std::string name;  // UTF-8, as typed; stored as Windows-1252
  std::optional<int> rank;
  std::optional<int> rating;
  std::optional<int> kalidorStatus;
  std::optional<int> activeMission;  // the number of completed campaign missions; absent: list untouched
};

// Keeps one copy of each pilot file as it was before this run first wrote to it (NAME.plt.bak).
class PilotBackups {
 public:
  // True when the copy exists already from this run or was made now; false (with a message for the
  // user) when it could not be made.
  bool EnsureBackup(const std::string& path, std::string& message);

 private:
  std::set<std::string> done_;
};

struct UpdateResult {
  bool succeeded = false;
  std::string message;  // the text shown to the user when the update failed
};

// Checks the details before anything is written (a name that Windows-1252 cannot store is refused),
// keeps the backup, writes the fields, flushes the file to disk. On success the record's PilotName,
// Rank, Rating and KalidorStatus take the written values; mission entries and counts are unchanged.
UpdateResult UpdatePilotFile(const std::string& path, const PilotDetails& details, PilotRecord& record,
                             PilotBackups& backups);

}  // namespace orlenda

#pragma once

// Writing the pilot's details back into the loaded pilot file, in place: the name, rank, rating,
// Kalidor Crescent status and the campaign mission list up to its terminating record. Every other
// byte of the file keeps its value.

#include <string>

#include "pilot/pilot_backup.h"
#include "pilot/pilot_details.h"
#include "pilot/pilot_record.h"

namespace orlenda {

struct UpdateResult {
  bool succeeded = false;
  std::string message;  // the text shown to the user when the update failed
};

// Checks the details before anything is written (CheckPilotDetails), opens the existing file for
// reading and writing (never creating it), makes sure it is still the pilot file that `record` was
// loaded from (its size, and the fields that the update does not write), keeps the backup, writes the
// fields and flushes the file to disk. Any failure is reported with a message naming the file and
// saying whether anything was written. On success the record's PilotName, Rank, Rating and
// KalidorStatus take the written values; mission entries and counts are unchanged.
UpdateResult UpdatePilotFile(const std::string& path, const PilotDetails& details, PilotRecord& record,
                             PilotBackups& backups);

}  // namespace orlenda

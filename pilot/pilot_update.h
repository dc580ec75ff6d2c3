#pragma once

// Writing the pilot's details back into the loaded pilot file, in place: of the name, rank, rating,
// Kalidor Crescent status and campaign mission list, only what the player changed. Every other byte
// of the file keeps its value.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/locked_file.h"
#include "pilot/pilot_backup.h"
#include "pilot/pilot_details.h"
#include "pilot/pilot_record.h"

namespace orlenda {

inline constexpr const char* kNothingToUpdate = "Nothing to update.";

struct UpdateResult {
  bool succeeded = false;
  bool nothingToUpdate = false;  // succeeded without touching the file: nothing was changed
  std::string message;           // the text shown to the user when the update failed
  std::string warning;           // shown to the user although the update succeeded; usually empty
};

// Why a save would be refused because the file no longer holds the bytes this program last read or
// wrote (another program changed, replaced or removed it), or nothing. Read without the lock, so
// that the player is told before being asked; the update checks again under the lock.
std::optional<std::string> ChangedSinceLoaded(const std::string& path, const PilotRecord& record);

// Checks the details (CheckPilotDetails) and works out what they change (PlanChanges); with nothing
// changed, it ends there. Otherwise it opens the existing file for reading and writing (never
// creating it) and holds its exclusive lock until it is closed, so that two of our programs never
// interleave; a lock that another program holds is waited for as `wait` says. Through that open file it
// refuses to go on unless the file holds exactly the bytes this program last read or wrote
// (record.BytesOnDisk); it keeps the backup, checks the file once more and that the path still names it,
// writes the changed ranges, flushes the file to disk and checks the path again. Any failure is reported with
// a message naming the file and saying whether anything was written. On success the record's PilotName, Rank,
// Rating and KalidorStatus take the written values and BytesOnDisk the file's new bytes; mission entries and
// counts are unchanged.
UpdateResult UpdatePilotFile(const std::string& path, const PilotDetails& details, PilotRecord& record,
                             PilotBackups& backups, const LockWait& wait = {});

// Writes a whole state of the file (`image`, kPilotFileSize bytes: an earlier state put back) over the
// loaded file by the same steps and with the same safety as UpdatePilotFile: the lock, the refusal of a
// file that is not exactly record.BytesOnDisk, the backup and its note, then only the bytes that differ.
// On success record.BytesOnDisk holds the image; the record's other members are left as they were, and
// the caller loads the file again to know them.
UpdateResult WritePilotImage(const std::string& path, std::vector<std::uint8_t> image, PilotRecord& record,
                             PilotBackups& backups, const LockWait& wait = {});

}  // namespace orlenda

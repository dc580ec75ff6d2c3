#pragma once

// The one restore of a kept state, shared by the command line and the desktop program: the file's
// present state is kept first, so that the restore can be undone; the state is written through the
// one safe write path of every save (pilot/pilot_update.h's WritePilotImage: the lock, the check that
// the file is what was last read, the backup); the restored file is kept as restored.

#include <cstdint>
#include <string>
#include <vector>

#include "base/locked_file.h"
#include "history/history_store.h"
#include "pilot/pilot_backup.h"
#include "pilot/pilot_record.h"
#include "pilot/pilot_update.h"

namespace orlenda {

// Writes `image` (a kept state's bytes) over the file that `current` was loaded from. On success
// current.BytesOnDisk holds the image; the caller loads the file again to know the rest.
UpdateResult RestoreKeptState(HistoryStore& store, const std::string& path, PilotRecord& current,
                              std::vector<std::uint8_t> image, PilotBackups& backups,
                              const LockWait& wait = {});

}  // namespace orlenda

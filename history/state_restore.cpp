#include "history/state_restore.h"

#include <utility>

#include "pilot/pilot_load.h"

namespace orlenda {

UpdateResult RestoreKeptState(HistoryStore& store, const std::string& path, PilotRecord& current,
                              std::vector<std::uint8_t> image, PilotBackups& backups, const LockWait& wait) {
  // Already kept when the caller kept it (nothing is written then): kept here for callers that did not.
  store.Record(path, current, std::nullopt, StateKind::kBeforeSave);
  UpdateResult result = WritePilotImage(path, std::move(image), current, backups, wait);
  if (!result.succeeded) return result;
  const LoadResult restored = LoadPilotFile(path);
  if (restored.Succeeded() && restored.record.BytesOnDisk.size() == kPilotFileSize)
    store.Record(path, restored.record, restored.modifiedTime, StateKind::kRestored);
  return result;
}

}  // namespace orlenda

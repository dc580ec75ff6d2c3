#include "base/file_stamp.h"

#include <chrono>

namespace orlenda {

std::optional<TakenStamp> TakeFileStamp(const std::string& path) {
  // The moment is read before the look, so that a write during the look counts as after the moment.
  const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                               .count();
  SystemFile file(path, SystemFile::Mode::kRead);
  if (!file.IsOpen()) return std::nullopt;
  const std::optional<FileStamp> stamp = file.Stamp();
  if (!stamp) return std::nullopt;
  return TakenStamp{*stamp, now};
}

bool IsSettled(const TakenStamp& taken) {
  return taken.takenAtNs - taken.stamp.modifiedNs >= kSettledStampNs;
}

}  // namespace orlenda

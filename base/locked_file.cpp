#include "base/locked_file.h"

namespace orlenda {

std::unique_ptr<SystemFile> OpenLocked(const std::string& path, SystemFile::Mode mode) {
  // Each failed attempt means another program replaced the file meanwhile; a hundred in a row means
  // something keeps replacing it, and waiting longer would hang.
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    auto file = std::make_unique<SystemFile>(path, mode);
    if (!file->IsOpen() || !file->LockExclusive()) return nullptr;
    if (file->IsStillNamedBy(path)) return file;
  }
  return nullptr;
}

}  // namespace orlenda

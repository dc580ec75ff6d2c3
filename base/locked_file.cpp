#include "base/locked_file.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace orlenda {
namespace {

LockWait& Policy() {
  static LockWait wait;
  return wait;
}

// Tries for the lock during `time`: true when it was taken, false when the system failed, nothing when
// another program still holds it.
std::optional<bool> LockSettledWithin(SystemFile& file, std::chrono::milliseconds time) {
  switch (file.LockExclusiveWithin(time)) {
    case SystemFile::LockAttempt::kLocked:
      return true;
    case SystemFile::LockAttempt::kFailed:
      return false;
    case SystemFile::LockAttempt::kHeldElsewhere:
      break;
  }
  return std::nullopt;
}

}  // namespace

void SetLockWait(LockWait wait) { Policy() = std::move(wait); }

bool LockWaitingAsTold(SystemFile& file, const std::string& path) {
  using std::chrono::milliseconds;
  constexpr milliseconds kNoteAfter{1000};
  const LockWait& wait = Policy();
  const bool bounded = wait.limit.count() >= 0;
  // A short bound is half waited before the note, so that a run told to wait a second still says why.
  const milliseconds first = bounded ? std::min(wait.limit / 2, kNoteAfter) : kNoteAfter;
  if (const std::optional<bool> settled = LockSettledWithin(file, first)) return *settled;
  if (bounded && wait.limit.count() == 0) return file.Fail(kLockHeldReason);
  if (wait.onLongWait && !wait.onLongWait(path)) return file.Fail(kLockHeldReason);
  if (!bounded) return file.LockExclusive();
  if (const std::optional<bool> settled = LockSettledWithin(file, wait.limit - first)) return *settled;
  return file.Fail(kLockHeldReason);
}

std::unique_ptr<SystemFile> OpenLocked(const std::string& path, SystemFile::Mode mode, std::string* reason) {
  // Each failed attempt means another program replaced the file meanwhile; a hundred in a row means
  // something keeps replacing it, and waiting longer would hang.
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    auto file = std::make_unique<SystemFile>(path, mode);
    if (!file->IsOpen() || !LockWaitingAsTold(*file, path)) {
      if (reason != nullptr) *reason = file->reason();
      return nullptr;
    }
    if (file->IsStillNamedBy(path)) return file;
  }
  if (reason != nullptr) *reason = "the file was replaced or removed by another program";
  return nullptr;
}

}  // namespace orlenda

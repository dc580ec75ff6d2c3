#include "base/locked_file.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace orlenda {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kNoteAfter{1000};
// Tries come quickly at first, so that a lock held for a moment costs a moment, then every
// kLongestPause, so that a lock let go is taken soon after.
constexpr milliseconds kFirstPause{2};
constexpr milliseconds kLongestPause{50};

bool Pause(const LockWait& wait, milliseconds pause) {
  if (wait.pauseBetweenTries) return wait.pauseBetweenTries(pause);
  std::this_thread::sleep_for(pause);
  return true;
}

}  // namespace

LockWaitRound::LockWaitRound(const LockWait& wait, std::string path)
    : wait_(wait),
      path_(std::move(path)),
      start_(std::chrono::steady_clock::now()),
      // A short bound is half waited before the note, so that a run told to wait a second still says why.
      noteAfter_(wait.limit.count() >= 0 ? std::min(wait.limit / 2, kNoteAfter) : kNoteAfter),
      pause_(kFirstPause) {}

bool LockWaitRound::BeforeNextTry() {
  const bool bounded = wait_.limit.count() >= 0;
  const milliseconds waited =
      std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start_);
  if (bounded && waited >= wait_.limit) return false;
  if (!told_ && waited >= noteAfter_) {
    told_ = true;
    if (wait_.onLongWait && !wait_.onLongWait(path_)) return false;
  }
  const milliseconds left = bounded ? wait_.limit - waited : pause_;
  const milliseconds pause = std::min(pause_, left);
  pause_ = std::min(pause_ * 2, kLongestPause);
  return Pause(wait_, pause);
}

bool WaitForLock(SystemFile& file, const std::string& path, const LockWait& wait) {
  LockWaitRound round(wait, path);
  for (;;) {
    switch (file.TryLockExclusive()) {
      case SystemFile::LockAttempt::kLocked:
        return true;
      case SystemFile::LockAttempt::kFailed:
        return false;
      case SystemFile::LockAttempt::kHeldElsewhere:
        break;
    }
    if (!round.BeforeNextTry()) return file.Fail(kLockHeldReason);
  }
}

std::unique_ptr<SystemFile> OpenLocked(const std::string& path, SystemFile::Mode mode, const LockWait& wait,
                                       std::string* reason) {
  // Each failed attempt means another program replaced the file meanwhile; a hundred in a row means
  // something keeps replacing it, and waiting longer would hang.
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    // After the first attempt the file was there a moment ago: a name that opens nothing is another
    // program's replacement still under way (a rename over a file is not atomic under Wine), not a
    // file to create, which would take the place of the replacement.
    const bool replaced = attempt > 0;
    const SystemFile::Mode openMode =
        replaced && mode == SystemFile::Mode::kReadWriteOrCreate ? SystemFile::Mode::kReadWrite : mode;
    auto file = std::make_unique<SystemFile>(path, openMode);
    if (replaced && !file->IsOpen()) {
      Pause(wait, kFirstPause);
      continue;
    }
    if (!file->IsOpen() || !WaitForLock(*file, path, wait)) {
      if (reason != nullptr) *reason = file->reason();
      return nullptr;
    }
    if (file->IsStillNamedBy(path)) return file;
  }
  if (reason != nullptr) *reason = "the file was replaced or removed by another program";
  return nullptr;
}

}  // namespace orlenda

#pragma once

// The lock protocol of a file that several programs change, ours and other copies of ours, by
// replacing it whole (a temporary file renamed over it) or by writing into it in place:
//   1. Open the file that the path names and wait for its exclusive advisory lock.
//   2. Check that the path still names the locked file. A whole-file replacement renames a new file
//      over the old one while it holds the old one's lock, so a program that was waiting may get the
//      lock of a file that is no longer named so: it closes it and starts again at 1.
//   3. Read, decide and write: in place, or a temporary file renamed over the path.
//   4. Close, which ends the lock.
// Every change happens between 2 and 4, so the programs take turns and none loses another's change.
//
// A wait for a lock that another program holds is explained and bounded as the caller says (LockWait):
// after about a second it is told which file is locked, and it may give up.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "base/system_file.h"

namespace orlenda {

// How one caller waits for a lock that another program holds. The default waits silently until the
// lock is free.
struct LockWait {
  // How long to wait in all; negative: until the lock is free or the caller gives up.
  std::chrono::milliseconds limit{-1};
  // Told once, after about a second of waiting (half the limit when that is shorter), that `path` is
  // locked; false gives up at once. Unset: the wait goes on silently.
  std::function<bool(const std::string& path)> onLongWait;
  // Lets `pause` pass between two tries (the desktop program keeps its windows going meanwhile);
  // false gives up at once (its Cancel). Unset: the thread sleeps.
  std::function<bool(std::chrono::milliseconds pause)> pauseBetweenTries;
};

// One wait as WaitForLock waits, for callers whose tries are made elsewhere (the history database's
// busy handler): after each try that found the lock held, BeforeNextTry tells the note when it is due,
// ends the wait at the limit and pauses; false when the wait is over (the limit reached, the note or the
// pause answered false). The wait refers to `wait`, which must outlive it.
class LockWaitRound {
 public:
  LockWaitRound(const LockWait& wait, std::string path);
  bool BeforeNextTry();

 private:
  const LockWait& wait_;
  std::string path_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::milliseconds noteAfter_;
  std::chrono::milliseconds pause_;
  bool told_ = false;
};

// The reason a lock that was not had gives.
inline constexpr const char* kLockHeldReason = "another program holds its lock";

// Takes the open file's exclusive lock, trying again as `wait` says while another program holds it;
// false with the file's reason set when it could not be had (kLockHeldReason when the wait ended
// first).
bool WaitForLock(SystemFile& file, const std::string& path, const LockWait& wait);

// Steps 1 and 2: the open file that `path` names, locked; nothing when it cannot be opened or locked,
// and then `reason` (when given) says why.
std::unique_ptr<SystemFile> OpenLocked(const std::string& path, SystemFile::Mode mode, const LockWait& wait,
                                       std::string* reason = nullptr);

}  // namespace orlenda

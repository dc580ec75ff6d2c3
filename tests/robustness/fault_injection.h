#pragma once

// Ways to make the file system fail under the code: a small tmpfs that the test mounts itself (a disk
// that really runs full or turns read-only; needs the right to mount, as root has), and a limit on the
// size of files this process writes (writes past it fail on every account).

#include <cstddef>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>

namespace orlenda::test {

class ScratchMount {
 public:
  // Mounts a tmpfs of `bytes` on a fresh folder under `parent`. Check mounted() before use.
  ScratchMount(const std::filesystem::path& parent, std::size_t bytes);
  ~ScratchMount();
  ScratchMount(const ScratchMount&) = delete;
  ScratchMount& operator=(const ScratchMount&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& whyNot() const { return whyNot_; }  // why the mount failed
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  // Turns the whole file system read-only; files keep their contents.
  bool MakeReadOnly();

  // Fills the file system with a filler file until nothing more fits.
  void FillUp();

 private:
  std::filesystem::path path_;
  bool mounted_ = false;
  std::string whyNot_;
};

// While it lives, every write of this process (and of programs it starts) past `bytes` into any file
// fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::size_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  unsigned long long oldSoft_;
  void (*oldHandler_)(int);
};

// The system calls that FailingCalls can make fail and BeforeCall can run something before.
enum class SystemCall : unsigned { kUnlink, kFlock, kFsync, kFtruncate, kPwrite };

// While it lives, every call of the given system calls by this process fails with `error` (an errno
// value): the test program's own definitions of them stand in front of the C library's.
class FailingCalls {
 public:
  FailingCalls(std::initializer_list<SystemCall> calls, int error);
  ~FailingCalls();
  FailingCalls(const FailingCalls&) = delete;
  FailingCalls& operator=(const FailingCalls&) = delete;
};

// While it lives, `action` runs once, just before the `nth` call (counted from 1) of `call` by this
// process: another program's change of the file system at that very instant, without a sleep.
class BeforeCall {
 public:
  BeforeCall(SystemCall call, unsigned nth, std::function<void()> action);
  ~BeforeCall();
  BeforeCall(const BeforeCall&) = delete;
  BeforeCall& operator=(const BeforeCall&) = delete;

  bool ran() const;  // whether the call came and the action ran
};

}  // namespace orlenda::test

namespace orlenda::test {

// Runs `work` in a child process and returns its result (0 to 255), or -1 when it did not end within
// `seconds` (it is then killed): a call that blocks fails the test instead of hanging it.
int RunInChild(int seconds, int (*work)(const std::string&), const std::string& argument);

}  // namespace orlenda::test

// The test program's own unlink, flock, fsync, ftruncate and pwrite stand in front of the C library's:
// the code under test calls them, and they fail while a FailingCalls says so, or run a BeforeCall's
// action first.

#include <dlfcn.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <functional>
#include <mutex>

#include "fault_injection.h"

namespace orlenda::test {
namespace {

std::atomic<unsigned> failing{0};
std::atomic<int> failWith{0};

unsigned Bit(SystemCall call) { return 1u << static_cast<unsigned>(call); }

// The one action of a BeforeCall: its call, how many calls of it are still to come before it, and
// whether it ran. One at a time; the action runs outside the count, so its own calls are not counted.
std::mutex hookMutex;
std::function<void()> hookAction;
std::atomic<int> hookCall{-1};
std::atomic<unsigned> hookCountdown{0};
std::atomic<bool> hookRan{false};

void RunHookBefore(SystemCall call) {
  if (hookCall.load() != static_cast<int>(call)) return;
  if (hookCountdown.fetch_sub(1) != 1) return;
  hookCall = -1;
  std::function<void()> action;
  {
    const std::lock_guard lock(hookMutex);
    action = std::move(hookAction);
  }
  if (action) action();
  hookRan = true;
}

// True, with errno set, when the call is to fail now; runs a BeforeCall's action when its call came.
bool Fails(SystemCall call) {
  RunHookBefore(call);
  if ((failing.load() & Bit(call)) == 0) return false;
  errno = failWith.load();
  return true;
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

FailingCalls::FailingCalls(std::initializer_list<SystemCall> calls, int error) {
  failWith = error;
  unsigned bits = 0;
  for (const SystemCall call : calls) bits |= Bit(call);
  failing = bits;
}

FailingCalls::~FailingCalls() { failing = 0; }

BeforeCall::BeforeCall(SystemCall call, unsigned nth, std::function<void()> action) {
  {
    const std::lock_guard lock(hookMutex);
    hookAction = std::move(action);
  }
  hookRan = false;
  hookCountdown = nth;
  hookCall = static_cast<int>(call);
}

BeforeCall::~BeforeCall() {
  hookCall = -1;
  const std::lock_guard lock(hookMutex);
  hookAction = nullptr;
}

bool BeforeCall::ran() const { return hookRan.load(); }

}  // namespace orlenda::test

using orlenda::test::SystemCall;

extern "C" int unlink(const char* path) noexcept {
  static const auto next = orlenda::test::Next<int (*)(const char*)>("unlink");
  return orlenda::test::Fails(SystemCall::kUnlink) ? -1 : next(path);
}

extern "C" int flock(int fd, int operation) noexcept {
  static const auto next = orlenda::test::Next<int (*)(int, int)>("flock");
  return orlenda::test::Fails(SystemCall::kFlock) ? -1 : next(fd, operation);
}

extern "C" int fsync(int fd) {
  static const auto next = orlenda::test::Next<int (*)(int)>("fsync");
  return orlenda::test::Fails(SystemCall::kFsync) ? -1 : next(fd);
}

extern "C" int ftruncate(int fd, off_t size) noexcept {
  static const auto next = orlenda::test::Next<int (*)(int, off_t)>("ftruncate");
  return orlenda::test::Fails(SystemCall::kFtruncate) ? -1 : next(fd, size);
}

extern "C" ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
  static const auto next = orlenda::test::Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
  return orlenda::test::Fails(SystemCall::kPwrite) ? -1 : next(fd, data, size, offset);
}

extern "C" ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
  static const auto next = orlenda::test::Next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
  return orlenda::test::Fails(SystemCall::kPwrite) ? -1 : next(fd, data, size, offset);
}

// The test program's own unlink, flock, fsync and ftruncate stand in front of the C library's: the
// code under test calls them, and they fail while a FailingCalls says so.

#include <dlfcn.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "fault_injection.h"

namespace orlenda::test {
namespace {

std::atomic<unsigned> failing{0};
std::atomic<int> failWith{0};

unsigned Bit(SystemCall call) { return 1u << static_cast<unsigned>(call); }

// True, with errno set, when the call is to fail now.
bool Fails(SystemCall call) {
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

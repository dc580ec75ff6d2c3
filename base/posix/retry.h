#pragma once

// The one place where a system call interrupted by a signal is tried again.

#include <cerrno>

namespace orlenda::posix {

template <typename Call>
auto RetryOnInterrupt(Call call) {
  decltype(call()) result;
  do {
    result = call();
  } while (result < 0 && errno == EINTR);
  return result;
}

}  // namespace orlenda::posix

#include "base/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

namespace orlenda {

void ReserveClosedStandardStreams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1) continue;
    // Opened for reading only: a write to standard output or error then fails with EBADF. open gives
    // the lowest free number, which is this one, as the lower ones are open by now.
    const int placeholder = ::open("/dev/null", O_RDONLY);
    if (placeholder >= 0 && placeholder != fd) ::close(placeholder);
  }
}

}  // namespace orlenda

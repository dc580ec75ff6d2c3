#include "base/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace orlenda {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

void ReadUpTo(int fd, std::vector<std::uint8_t>& bytes, std::size_t wanted) {
  bytes.resize(wanted);
  std::size_t done = 0;
  while (done < wanted) {
    const ssize_t n = ::read(fd, bytes.data() + done, wanted - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
}

}  // namespace

FileBytes ReadFileOfSize(const std::string& path, std::int64_t expectedSize) {
  FileBytes result;
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return result;
  result.opened = true;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return result;
  result.size = S_ISREG(info.st_mode) ? static_cast<std::int64_t>(info.st_size) : 0;
  if (result.size == expectedSize && expectedSize > 0)
    ReadUpTo(file.get(), result.bytes, static_cast<std::size_t>(expectedSize));
  return result;
}

}  // namespace orlenda

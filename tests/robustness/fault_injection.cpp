#include "fault_injection.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace orlenda::test {

ScratchMount::ScratchMount(const std::filesystem::path& parent, std::size_t bytes) : path_(parent / "mount") {
  std::filesystem::create_directories(path_);
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
    whyNot_ = std::string("mounting a tmpfs needs the right to mount: ") + std::strerror(errno);
    return;
  }
  mounted_ = true;
}

ScratchMount::~ScratchMount() {
  if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
}

bool ScratchMount::MakeReadOnly() {
  return ::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) ==
         0;
}

void ScratchMount::FillUp() {
  std::ofstream filler(path_ / "filler", std::ios::binary);
  const std::string block(4096, 'F');
  while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
  }
  // The last, partly written block may leave a few bytes; fill them one by one.
  filler.clear();
  while (filler.put('F') && filler.flush()) {
  }
}

FileSizeLimit::FileSizeLimit(std::size_t bytes) {
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  oldSoft_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("cannot limit the file size");
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = oldSoft_;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, oldHandler_);
}

int RunInChild(int seconds, int (*work)(const std::string&), const std::string& argument) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(work(argument) & 0xFF);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace orlenda::test

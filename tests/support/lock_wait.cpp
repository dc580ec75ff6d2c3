#include "support/lock_wait.h"

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace orlenda::test {

bool WaitsForLock(int pid, const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  const std::string inode = ":" + std::to_string(info.st_ino) + " ";
  const std::string process = " " + std::to_string(pid) + " ";
  for (int attempt = 0; attempt < 2000; ++attempt) {
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
      // A blocked request is listed as "N: -> FLOCK ..." under the lock that it waits for.
      if (line.find("->") != std::string::npos && line.find(process) != std::string::npos &&
          line.find(inode) != std::string::npos)
        return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

}  // namespace orlenda::test

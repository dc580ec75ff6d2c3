// orlenda_lock_holder FILE MARKER: takes the file's exclusive lock, then creates MARKER and keeps the
// lock until MARKER is removed. Exit status 1 when the lock could not be had.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "base/system_file.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  orlenda::SystemFile file(argv[1], orlenda::SystemFile::Mode::kReadWrite);
  if (file.TryLockExclusive() != orlenda::SystemFile::LockAttempt::kLocked) return 1;
  std::ofstream(argv[2]) << "held\n";
  while (std::filesystem::exists(argv[2])) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return 0;
}

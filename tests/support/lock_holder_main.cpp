// orlenda_lock_holder FILE MARKER: takes the file's exclusive lock, then makes MARKER and keeps the
// lock until MARKER is removed. MARKER appears whole and closed (written under another name, then
// renamed), so that the test's removal of it never meets it open here, which Windows refuses. Exit
// status 1 when the lock could not be had, 3 when MARKER could not be made.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "base/system_file.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  orlenda::SystemFile file(argv[1], orlenda::SystemFile::Mode::kReadWrite);
  if (file.TryLockExclusive() != orlenda::SystemFile::LockAttempt::kLocked) return 1;
  const std::filesystem::path marker = argv[2];
  const std::filesystem::path unfinished = marker.string() + ".part";
  {
    std::ofstream out(unfinished, std::ios::binary);
    out << "held\n";
    if (!out.flush()) return 3;
  }
  std::error_code failed;
  std::filesystem::rename(unfinished, marker, failed);
  if (failed) return 3;
  while (std::filesystem::exists(marker)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return 0;
}

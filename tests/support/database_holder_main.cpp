// orlenda_database_holder DATABASE MARKER: opens the SQLite database, takes its writer's lock with
// BEGIN EXCLUSIVE, then makes MARKER and keeps the lock until MARKER is removed, or for a minute at most,
// so that a test that never lets go still ends its wait. MARKER appears whole and closed (written under
// another name, then renamed), as the file lock holder's does. Exit status 1 when the database or its
// lock could not be had, 3 when MARKER could not be made, 4 when it let go at its own deadline.

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

constexpr auto kLongestHold = std::chrono::seconds(60);
constexpr int kLockTimeoutMs = 10000;  // another writer's transaction may be under way at the start

bool MakeMarker(const std::filesystem::path& marker) {
  const std::filesystem::path unfinished = marker.string() + ".part";
  {
    std::ofstream out(unfinished, std::ios::binary);
    out << "held\n";
    if (!out.flush()) return false;
  }
  std::error_code failed;
  std::filesystem::rename(unfinished, marker, failed);
  return !failed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return 1;
  sqlite3_busy_timeout(db, kLockTimeoutMs);
  if (sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) return 1;
  const std::filesystem::path marker = argv[2];
  if (!MakeMarker(marker)) return 3;
  const auto deadline = std::chrono::steady_clock::now() + kLongestHold;
  int status = 0;
  while (std::filesystem::exists(marker)) {
    if (std::chrono::steady_clock::now() >= deadline) {
      status = 4;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return status;
}

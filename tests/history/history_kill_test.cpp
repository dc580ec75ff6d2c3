// A recording stopped at any of its writes: each run of the test stops one more write into the
// database later (through a file system layer over SQLite's own that ends the process there), and
// each time the database must pass the check and hold every state that a finished recording reported.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <set>
#include <string>

#include "history/history_store.h"
#include "history_test_support.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace orlenda {
namespace {

#ifndef _WIN32  // the recordings are stopped in child processes made by fork()

// The default file system of SQLite, with the n-th write, sync or truncation ending the process first.
sqlite3_vfs* g_system = nullptr;
sqlite3_io_methods g_methods;
const sqlite3_io_methods* g_systemMethods = nullptr;
int g_stopAt = 0;

void CountAndMaybeStop() {
  if (--g_stopAt == 0) ::_exit(99);
}

struct StoppingFile {
  sqlite3_file base;
  sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<StoppingFile*>(file)->real; }

int Write(sqlite3_file* f, const void* data, int size, sqlite3_int64 offset) {
  CountAndMaybeStop();
  return Real(f)->pMethods->xWrite(Real(f), data, size, offset);
}
int Truncate(sqlite3_file* f, sqlite3_int64 size) {
  CountAndMaybeStop();
  return Real(f)->pMethods->xTruncate(Real(f), size);
}
int Sync(sqlite3_file* f, int flags) {
  CountAndMaybeStop();
  return Real(f)->pMethods->xSync(Real(f), flags);
}
int Close(sqlite3_file* f) {
  const int code = Real(f)->pMethods->xClose(Real(f));
  sqlite3_free(Real(f));
  return code;
}

int Open(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
  auto* stopping = reinterpret_cast<StoppingFile*>(file);
  stopping->real = static_cast<sqlite3_file*>(sqlite3_malloc(g_system->szOsFile));
  stopping->base.pMethods = nullptr;
  const int code = g_system->xOpen(g_system, name, stopping->real, flags, outFlags);
  if (code != SQLITE_OK || stopping->real->pMethods == nullptr) {
    sqlite3_free(stopping->real);
    return code;
  }
  if (g_systemMethods == nullptr) {
    g_systemMethods = stopping->real->pMethods;
    // Every method but the counted ones goes straight to the system's file through a shim.
    g_methods = *g_systemMethods;
    g_methods.xClose = Close;
    g_methods.xWrite = Write;
    g_methods.xTruncate = Truncate;
    g_methods.xSync = Sync;
#define ORLENDA_FORWARD(method, ...) \
  g_methods.method = [](sqlite3_file* f, auto... a) { return Real(f)->pMethods->method(Real(f), a...); }
    ORLENDA_FORWARD(xRead);
    ORLENDA_FORWARD(xFileSize);
    ORLENDA_FORWARD(xLock);
    ORLENDA_FORWARD(xUnlock);
    ORLENDA_FORWARD(xCheckReservedLock);
    ORLENDA_FORWARD(xFileControl);
    ORLENDA_FORWARD(xShmMap);
    ORLENDA_FORWARD(xShmLock);
    ORLENDA_FORWARD(xShmUnmap);
#undef ORLENDA_FORWARD
    g_methods.xSectorSize = [](sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); };
    g_methods.xDeviceCharacteristics = [](sqlite3_file* f) {
      return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
    };
    g_methods.xShmBarrier = [](sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); };
    g_methods.xFetch = nullptr;
    g_methods.xUnfetch = nullptr;
    g_methods.iVersion = 2;
  }
  file->pMethods = &g_methods;
  return SQLITE_OK;
}

void InstallStoppingFiles() {
  static sqlite3_vfs vfs;
  g_system = sqlite3_vfs_find(nullptr);
  vfs = *g_system;
  vfs.zName = "orlenda-stopping";
  vfs.szOsFile = sizeof(StoppingFile);
  vfs.xOpen = Open;
  sqlite3_vfs_register(&vfs, 1);
}

constexpr int kStates = 3;

// The child: records three states, reporting each hash once its recording returned.
[[noreturn]] void RecordStoppingAt(int stopAt, const std::string& database, const std::string& pilot,
                                   const std::string& reports) {
  InstallStoppingFiles();
  g_stopAt = stopAt;
  HistoryStore store(database, 1000);
  for (int won = 0; won < kStates; ++won) {
    const auto recorded = store.Record(pilot, test::HistoryPilot("Ace", won), {}, StateKind::kRecorded);
    if (!recorded) ::_exit(2);
    std::ofstream(reports, std::ios::app) << recorded->hash << '\n' << std::flush;
  }
  ::_exit(0);
}

TEST(HistoryKillTest, ARecordingStoppedAtAnyWriteLeavesAWholeDatabaseWithEveryReportedState) {
  test::TempDir dir;
  const std::string pilot = dir.File("ace.plt");
  std::ofstream(pilot) << "";
  bool finished = false;
  for (int stopAt = 1; !finished && stopAt < 500; ++stopAt) {
    SCOPED_TRACE("stopped at write " + std::to_string(stopAt));
    const std::string database = dir.File("run" + std::to_string(stopAt) + "/history.sqlite3");
    const std::string reports = dir.File("reports" + std::to_string(stopAt));
    const pid_t child = ::fork();
    if (child == 0) RecordStoppingAt(stopAt, database, pilot, reports);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 99)) << status;
    finished = WEXITSTATUS(status) == 0;

    HistoryStore store(database, 1000);
    EXPECT_TRUE(store.TakeWarnings().empty());
    EXPECT_EQ(store.Check(), std::vector<std::string>{"ok"});
    std::set<std::string> kept;
    for (const KeptState& state : store.States(pilot)) kept.insert(state.hash);
    std::ifstream reported(reports);
    for (std::string hash; std::getline(reported, hash);) EXPECT_TRUE(kept.count(hash)) << hash;
  }
  EXPECT_TRUE(finished) << "the recording never ran to its end";
}

#endif

}  // namespace
}  // namespace orlenda

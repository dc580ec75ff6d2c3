#pragma once

// Waiting, in a test, until a program (or a thread of this one) stands blocked on a file's lock.
// POSIX only: it reads the system's list of file locks.

#include <string>

namespace orlenda::test {

// True once process `pid` waits for the exclusive lock of the file at `path` (polled, at most ten
// seconds). A thread of this process counts under this process's id.
bool WaitsForLock(int pid, const std::string& path);

}  // namespace orlenda::test

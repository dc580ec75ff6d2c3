#pragma once

// Another program that holds a file's exclusive lock, or an SQLite database's writer's lock (a
// transaction begun EXCLUSIVE), for the tests of what waits for it. A second process, since under Wine a
// second handle of the same process is not always kept out of a lock, and SQLite shares its locks
// between the connections of one process.
// Each step of the handshake is checked and has a deadline, so that a step that fails is reported
// instead of leaving the test waiting.

#include <cstdint>
#include <string>

namespace orlenda::test {

class LockHolder {
 public:
  enum class Lock { kFile, kDatabase };

  // Starts the program and returns once it holds the lock of the file or database at `path` (which
  // must exist); Holding() tells whether it got there. The database's holder lets go by itself after
  // a minute, so that a wait that the test never ends ends anyway.
  explicit LockHolder(const std::string& path, Lock lock = Lock::kFile);
  ~LockHolder();  // lets go
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

  bool Holding() const { return holding_; }
  // Tells the program to let go and waits until it has ended, which ends its lock; true once it has
  // ended as told. A program that does not end within the deadline is ended by force (false).
  bool LetGo();

 private:
  std::string marker_;  // the program holds the lock while this file exists
  std::intptr_t process_ = 0;
  bool holding_ = false;
};

}  // namespace orlenda::test

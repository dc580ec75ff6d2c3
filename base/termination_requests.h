#pragma once

// The requests to end the program that arrive outside any window: SIGTERM, SIGINT and SIGHUP on POSIX
// systems; Ctrl+C, Ctrl+Break and the closing of the console on Windows. A request makes a waitable
// object ready (a descriptor to read on POSIX, an event on Windows), which the caller watches from its
// event loop, so that the program ends from there as when its main window is closed.

#include <chrono>
#include <cstdint>

namespace orlenda {

class TerminationRequests {
 public:
  // Installs the handlers; only one object may exist at a time.
  TerminationRequests();
  // Puts the system's own handling back.
  ~TerminationRequests();
  TerminationRequests(const TerminationRequests&) = delete;
  TerminationRequests& operator=(const TerminationRequests&) = delete;

  // False when the handlers could not be installed; the program then ends as the system decides.
  bool IsWatching() const;

  // The descriptor (POSIX) or event handle (Windows) that becomes ready at a request.
  std::intptr_t ReadyHandle() const;

  // Waits up to `limit` for a request, for a program without an event loop (a command that polls);
  // true when one has arrived. Without handlers it waits the whole time and returns false.
  bool WaitForRequest(std::chrono::milliseconds limit) const;

  // Takes one request, so that the object waits for the next.
  void Acknowledge();
};

}  // namespace orlenda

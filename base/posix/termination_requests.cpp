#include "base/termination_requests.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace orlenda {
namespace {

// The signal handler may only write to a descriptor; the other end is read from the event loop.
int signalSockets[2] = {-1, -1};

extern "C" void WriteSignalByte(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

void InstallHandler(int signalNumber) {
  struct sigaction action {};
  action.sa_handler = WriteSignalByte;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signalNumber, &action, nullptr);
}

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

TerminationRequests::TerminationRequests() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0) {
    signalSockets[0] = signalSockets[1] = -1;
    return;
  }
  for (int signalNumber : kSignals) InstallHandler(signalNumber);
}

TerminationRequests::~TerminationRequests() {
  if (!IsWatching()) return;
  for (int signalNumber : kSignals) std::signal(signalNumber, SIG_DFL);
  ::close(signalSockets[0]);
  ::close(signalSockets[1]);
  signalSockets[0] = signalSockets[1] = -1;
}

bool TerminationRequests::IsWatching() const { return signalSockets[1] >= 0; }

std::intptr_t TerminationRequests::ReadyHandle() const { return signalSockets[1]; }

bool TerminationRequests::WaitForRequest(std::chrono::milliseconds limit) const {
  pollfd ready{signalSockets[1], POLLIN, 0};
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    // A descriptor of -1 is ignored by poll(), which then only waits.
    const int answer = ::poll(&ready, 1, static_cast<int>(left.count()));
    if (answer > 0) return true;
  }
}

void TerminationRequests::Acknowledge() {
  char byte = 0;
  [[maybe_unused]] const ssize_t read = ::read(signalSockets[1], &byte, 1);
}

}  // namespace orlenda

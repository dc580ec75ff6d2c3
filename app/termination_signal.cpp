#include "app/termination_signal.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace orlenda {

namespace {

// The signal handler may only write to a file descriptor; the notifier reads it on the GUI thread.
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

TerminationSignal::TerminationSignal(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets) != 0) return;
  notifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignal::Receive);
  for (int signalNumber : kSignals) InstallHandler(signalNumber);
}

TerminationSignal::~TerminationSignal() {
  if (signalSockets[0] < 0) return;
  for (int signalNumber : kSignals) std::signal(signalNumber, SIG_DFL);
  ::close(signalSockets[0]);
  ::close(signalSockets[1]);
  signalSockets[0] = signalSockets[1] = -1;
}

void TerminationSignal::Receive() {
  char byte = 0;
  [[maybe_unused]] const ssize_t read = ::read(signalSockets[1], &byte, 1);
  if (onSignal_) onSignal_();
}

}  // namespace orlenda

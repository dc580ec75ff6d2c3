#include "app/termination_signal.h"

#ifdef _WIN32
#include <QWinEventNotifier>
#else
#include <QSocketNotifier>
#endif

namespace orlenda {

TerminationSignal::TerminationSignal(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
  if (!requests_.IsWatching()) return;
    // Windows signals an event, POSIX systems a descriptor: each has the notifier made for it.
#ifdef _WIN32
  auto* notifier = new QWinEventNotifier(reinterpret_cast<Qt::HANDLE>(requests_.ReadyHandle()), this);
  connect(notifier, &QWinEventNotifier::activated, this, &TerminationSignal::Receive);
#else
  auto* notifier =
      new QSocketNotifier(static_cast<qintptr>(requests_.ReadyHandle()), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &TerminationSignal::Receive);
#endif
}

TerminationSignal::~TerminationSignal() = default;

void TerminationSignal::Receive() {
  requests_.Acknowledge();
  if (onSignal_) onSignal_();
}

}  // namespace orlenda

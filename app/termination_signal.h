#pragma once

// Turns a request to end the program (SIGTERM, SIGINT and SIGHUP; on Windows the console's Ctrl+C and
// close) into a call on the GUI thread, so that a desktop session or a script can end the program the
// way the main window's close box does.

#include <QObject>
#include <functional>

#include "base/termination_requests.h"

namespace orlenda {

class TerminationSignal : public QObject {
  Q_OBJECT

 public:
  // Only one object may exist at a time; it installs the signal handlers.
  explicit TerminationSignal(std::function<void()> onSignal, QObject* parent = nullptr);
  ~TerminationSignal() override;

 private:
  void Receive();

  std::function<void()> onSignal_;
  TerminationRequests requests_;
};

}  // namespace orlenda

#pragma once

// The desktop program's wait for a file that another program holds locked (the command line saving the
// same pilot, the game). The windows go on painting while it waits. After about a second a box names
// the file and stands while the wait goes on; it closes by itself once the lock is had, and its Cancel
// gives the save up at once, which then reports that nothing was written.

#include <QPointer>
#include <chrono>
#include <memory>
#include <string>

#include "base/locked_file.h"

class QMessageBox;
class QWidget;

namespace orlenda {

// One save's wait: made for the save and handed to it, e.g.
// SaveMainLog(path, text, baseline, LockWaitPrompt(this).Wait()).
class LockWaitPrompt {
 public:
  // The box stands over `parent`'s window.
  explicit LockWaitPrompt(QWidget* parent);
  ~LockWaitPrompt();
  LockWaitPrompt(const LockWaitPrompt&) = delete;
  LockWaitPrompt& operator=(const LockWaitPrompt&) = delete;

  // The wait that the save takes; it refers to this object.
  const LockWait& Wait() const { return wait_; }

 private:
  bool ShowBox(const std::string& path);
  bool Pause(std::chrono::milliseconds pause);

  QPointer<QWidget> parent_;
  std::unique_ptr<QMessageBox> box_;
  bool canceled_ = false;
  LockWait wait_;
};

}  // namespace orlenda

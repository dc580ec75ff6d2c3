#pragma once

// The desktop program's wait for a file that another program holds locked (the command line saving the
// same pilot, the game). The windows go on painting while it waits. After about a second a box names
// the file and stands while the wait goes on; it closes by itself once the lock is had, and its Cancel
// gives the save up at once, which then reports that nothing was written.

#include <QPointer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "base/locked_file.h"

class QMessageBox;
class QObject;
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

  // A wait that lets the windows' events run is under way from the making of its prompt until the end
  // of its save. A handler that would change what a save protects (the log's text and what is known of
  // its file) must not run inside it: it is held back through here, and runs once no wait is under way
  // any more, after the handler that waited has returned. At once when no wait is under way.
  static void RunWhenNoWaitIsUnderWay(QObject* context, std::function<void()> action);
  static bool WaitUnderWay();

  // The waits of the settings store's writes, each with a box of its own over `parent`'s window.
  static std::shared_ptr<const LockWait> MakeWait(QWidget* parent);

 private:
  bool ShowBox(const std::string& path);
  bool Pause(std::chrono::milliseconds pause);

  QPointer<QWidget> parent_;
  std::unique_ptr<QMessageBox> box_;
  bool canceled_ = false;
  LockWait wait_;
};

}  // namespace orlenda

#include "ui/shell/first_paint.h"

#include <QEvent>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

namespace orlenda {

namespace {

// Ends the wait once the window's first paint has been handled whole: the quit is queued behind the
// paint, so the picture has reached the screen when the wait ends.
class FirstPaintSeen : public QObject {
 public:
  explicit FirstPaintSeen(QEventLoop& wait) : wait_(wait) {}

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      QMetaObject::invokeMethod(&wait_, &QEventLoop::quit, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QEventLoop& wait_;
  bool painted_ = false;
};

}  // namespace

void ShowAndWaitForFirstPaint(QWidget& window, std::chrono::milliseconds bound) {
  QEventLoop wait;
  FirstPaintSeen seen(wait);
  window.installEventFilter(&seen);
  QTimer::singleShot(bound, &wait, &QEventLoop::quit);
  window.show();
  wait.exec(QEventLoop::ExcludeUserInputEvents);
  window.removeEventFilter(&seen);
}

}  // namespace orlenda

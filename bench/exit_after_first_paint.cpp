// Loaded into a Qt Widgets program with LD_PRELOAD, ends the program with status 0 as soon as the
// window named by ORLENDA_BENCH_WINDOW (an object name, e.g. Form1) has been painted for the first
// time: the end of a start-up, as a user sees it. Nothing is asked and nothing is saved.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaintWatcher : public QObject {
 public:
  explicit FirstPaintWatcher(QString windowName) : windowName_(std::move(windowName)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && watched->objectName() == windowName_ &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
      seen_ = true;
      // After this paint has reached the screen: the timer runs once the current events are done.
      QTimer::singleShot(0, [] { std::_Exit(0); });
    }
    return false;
  }

 private:
  QString windowName_;
  bool seen_ = false;
};

void WatchForFirstPaint() {
  const QString windowName = qEnvironmentVariable("ORLENDA_BENCH_WINDOW");
  if (windowName.isEmpty()) return;
  QCoreApplication::instance()->installEventFilter(new FirstPaintWatcher(windowName));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForFirstPaint)

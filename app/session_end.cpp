#include "app/session_end.h"

#include <QApplication>
#include <QCloseEvent>
#include <QSessionManager>
#include <QWidget>

namespace orlenda {

bool AnswerSessionEnd(QWidget& mainWindow) {
  // The close event that the close box sends, without the hiding that follows it: the window goes
  // with the session, or stays when the session goes on.
  QCloseEvent close;
  QApplication::sendEvent(&mainWindow, &close);
  return close.isAccepted();
}

void AskBeforeSessionEnds(QWidget& mainWindow) {
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, &mainWindow,
                   [&mainWindow](QSessionManager& manager) {
                     if (!manager.allowsInteraction())
                       return;  // no question may be asked: the session ends as it will
                     const bool mayEnd = AnswerSessionEnd(mainWindow);
                     manager.release();
                     if (!mayEnd) manager.cancel();
                   });
}

}  // namespace orlenda

#include "ui/shell/lock_wait_prompt.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include "ui/shell/session.h"

namespace orlenda {

LockWaitPrompt::LockWaitPrompt(QWidget* parent) : parent_(parent) {
  // No limit: the player decides.
  wait_.onLongWait = [this](const std::string& path) { return ShowBox(path); };
  wait_.pauseBetweenTries = [this](std::chrono::milliseconds pause) { return Pause(pause); };
}

LockWaitPrompt::~LockWaitPrompt() {
  if (box_) box_->disconnect();  // the box closes because the wait ended, not because it was answered
}

bool LockWaitPrompt::ShowBox(const std::string& path) {
  const QString text =
      DisplayPath(path) + QStringLiteral(
                              " is locked by another program. Waiting until it is free; Cancel gives up, "
                              "and nothing is written.");
  box_ = std::make_unique<QMessageBox>(QMessageBox::Warning, QStringLiteral("Warning"), text,
                                       QMessageBox::Cancel, parent_ ? parent_->window() : nullptr);
  box_->setTextFormat(Qt::PlainText);  // a file name is shown as it stands
  // While it stands, the player can do nothing else than wait or cancel: no second save can start.
  box_->setWindowModality(Qt::ApplicationModal);
  QObject::connect(box_.get(), &QDialog::finished, [this] { canceled_ = true; });
  box_->show();
  return true;
}

// The events of the windows are handled during the pause. Before the box stands, the player's input
// waits for the save to end, so that nothing else starts meanwhile; once it stands, it takes the input,
// and its Cancel ends the pause at once.
bool LockWaitPrompt::Pause(std::chrono::milliseconds pause) {
  QEventLoop loop;
  QTimer::singleShot(pause, &loop, &QEventLoop::quit);
  if (box_) QObject::connect(box_.get(), &QDialog::finished, &loop, &QEventLoop::quit);
  loop.exec(box_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  return !canceled_;
}

}  // namespace orlenda

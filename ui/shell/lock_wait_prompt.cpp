#include "ui/shell/lock_wait_prompt.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <utility>
#include <vector>

#include "ui/shell/session.h"

namespace orlenda {
namespace {

int waitsUnderWay = 0;
std::vector<std::pair<QPointer<QObject>, std::function<void()>>> heldBack;

// After the handler that waited has returned: posted, so that it runs from the event loop.
void RunHeldBack() {
  for (auto& [context, action] : std::exchange(heldBack, {})) {
    if (context) QTimer::singleShot(0, context.data(), std::move(action));
  }
}

}  // namespace

void LockWaitPrompt::RunWhenNoWaitIsUnderWay(QObject* context, std::function<void()> action) {
  if (waitsUnderWay == 0) {
    action();
    return;
  }
  heldBack.emplace_back(context, std::move(action));
}

bool LockWaitPrompt::WaitUnderWay() { return waitsUnderWay > 0; }

std::shared_ptr<const LockWait> LockWaitPrompt::MakeWait(QWidget* parent) {
  const auto prompt = std::make_shared<LockWaitPrompt>(parent);
  return {prompt, &prompt->Wait()};
}

LockWaitPrompt::LockWaitPrompt(QWidget* parent) : parent_(parent) {
  ++waitsUnderWay;
  // No limit: the player decides.
  wait_.onLongWait = [this](const std::string& path) { return ShowBox(path); };
  wait_.pauseBetweenTries = [this](std::chrono::milliseconds pause) { return Pause(pause); };
}

LockWaitPrompt::~LockWaitPrompt() {
  if (box_) box_->disconnect();  // the box closes because the wait ended, not because it was answered
  if (--waitsUnderWay == 0) RunHeldBack();
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

#include "ui/lock_wait_prompt.h"

#include <QString>

#include "base/locked_file.h"

namespace orlenda {

void AskWhileLocksAreHeld(Prompts& prompts) {
  LockWait wait;  // no limit: the player decides
  wait.onLongWait = [&prompts](const std::string& path) {
    const QString text = QString::fromStdString(path) +
                         QStringLiteral(
                             " is locked by another program. Wait until it is free? Cancel gives "
                             "up, and nothing is written.");
    return prompts.ShowMessage(nullptr, MessageKind::Warning, MessageButtons::OkCancel, text) ==
           MessageAnswer::Ok;
  };
  SetLockWait(std::move(wait));
}

}  // namespace orlenda

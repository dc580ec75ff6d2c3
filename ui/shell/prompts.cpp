#include "ui/shell/prompts.h"

#include <optional>
#include <string>

#include "base/path_kind.h"
#include "pilot/pilot_file_target.h"
#include "ui/shell/session.h"

namespace orlenda {

bool Prompts::ExecuteSaveDialog(QWidget* parent, FileDialogState& dialog) {
  const QString preset = dialog.fileName;
  while (ShowSaveDialog(parent, dialog)) {
    const std::optional<std::string> refusal =
        PilotFileTargetRefusal(LocalPath(dialog.fileName), dialog.use.toStdString());
    if (!refusal) return true;
    ShowMessage(parent, MessageKind::Error, MessageButtons::Ok, QString::fromStdString(*refusal));
    dialog.fileName = preset;
  }
  return false;
}

bool Prompts::ExecuteNewFileDialog(QWidget* parent, FileDialogState& dialog) {
  const QString preset = dialog.fileName;
  while (ShowSaveDialog(parent, dialog)) {
    if (NothingAt(LocalPath(dialog.fileName))) return true;
    ShowMessage(
        parent, MessageKind::Error, MessageButtons::Ok,
        DisplayPath(LocalPath(dialog.fileName)) + QStringLiteral(" exists already; choose a new file."));
    dialog.fileName = preset;
  }
  return false;
}

}  // namespace orlenda

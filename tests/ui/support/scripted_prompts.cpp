#include "scripted_prompts.h"

namespace orlenda::test {

MessageAnswer ScriptedPrompts::ShowMessage(QWidget* parent, MessageKind kind, MessageButtons buttons,
                                           const QString& text, DefaultButton defaultButton) {
  messages.push_back({kind, buttons, text, parent, defaultButton});
  allTexts_.append(text);
  allParents_.push_back(parent);
  const MessageAnswer fallback = buttons == MessageButtons::Ok                  ? MessageAnswer::Ok
                                 : buttons == MessageButtons::SaveDiscardCancel ? MessageAnswer::Discard
                                 : buttons == MessageButtons::RestoreIgnore     ? MessageAnswer::Ignore
                                                                                : MessageAnswer::No;
  if (answers_.empty()) {
    if (buttons != MessageButtons::Ok) ++unscripted;
    return fallback;
  }
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;  // an OK box takes no scripted answer
  const MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void ScriptedPrompts::ShowStandardError(QWidget* parent, const QString& text) {
  standardErrors.append(text);
  allTexts_.append(text);
  allParents_.push_back(parent);
}

bool ScriptedPrompts::ExecuteOpenDialog(QWidget* parent, FileDialogState& dialog) {
  return ExecuteFileDialog(parent, false, dialog);
}

bool ScriptedPrompts::ShowSaveDialog(QWidget* parent, FileDialogState& dialog) {
  return ExecuteFileDialog(parent, true, dialog);
}

bool ScriptedPrompts::ExecuteFileDialog(QWidget* parent, bool save, FileDialogState& dialog) {
  fileDialogs.push_back({save, dialog, parent});
  if (files_.empty()) {
    ++unscripted;
    return false;
  }
  const std::optional<QString> chosen = files_.front();
  files_.pop_front();
  if (!chosen) return false;
  dialog.fileName = *chosen;
  return true;
}

QStringList ScriptedPrompts::MessageTexts() const { return allTexts_; }

void ScriptedPrompts::Forget() {
  messages.clear();
  standardErrors.clear();
  fileDialogs.clear();
  documents.clear();
  allTexts_.clear();
  allParents_.clear();
  unscripted = 0;
}

}  // namespace orlenda::test

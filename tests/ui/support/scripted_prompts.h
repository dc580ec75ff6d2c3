#pragma once

// Prompts that tests answer from a script: each message box and file dialog takes the next queued
// answer and is recorded, so a test can check every text the user would have seen, in order.

#include <deque>
#include <optional>
#include <vector>

#include "ui/shell/prompts.h"

namespace orlenda::test {

struct ShownMessage {
  MessageKind kind;
  MessageButtons buttons;
  QString text;
  QWidget* parent;  // the window the box is centred over
  DefaultButton defaultButton;
};

struct ShownFileDialog {
  bool save;
  FileDialogState state;  // as the dialog was shown
  QWidget* parent;
};

class ScriptedPrompts final : public Prompts {
 public:
  // Queued answers. A message box with nothing queued answers No (OK for an OK box, Discard for a
  // Save/Discard/Cancel box, so that a view never stays open for want of an answer); a file dialog
  // with nothing queued is cancelled. Either counts as unscripted.
  void AnswerNext(MessageAnswer answer) { answers_.push_back(answer); }
  void ChooseNextFile(std::optional<QString> fileName) { files_.push_back(std::move(fileName)); }

  MessageAnswer ShowMessage(QWidget* parent, MessageKind kind, MessageButtons buttons, const QString& text,
                            DefaultButton defaultButton = DefaultButton::Usual) override;
  void ShowStandardError(QWidget* parent, const QString& text) override;
  bool ExecuteOpenDialog(QWidget* parent, FileDialogState& dialog) override;
  // Records the address; answers `documentsOpen`.
  bool OpenDocument(const QUrl& address) override {
    documents.push_back(address);
    return documentsOpen;
  }

  // The texts of the messages shown so far (standard error boxes included), in order, and the
  // windows they were centred over.
  QStringList MessageTexts() const;
  std::vector<QWidget*> MessageParents() const { return allParents_; }
  void Forget();

  std::vector<ShownMessage> messages;
  QStringList standardErrors;
  std::vector<ShownFileDialog> fileDialogs;
  std::vector<QUrl> documents;
  bool documentsOpen = true;
  int unscripted = 0;
  int queuedLeft() const { return static_cast<int>(answers_.size() + files_.size()); }

 protected:
  bool ShowSaveDialog(QWidget* parent, FileDialogState& dialog) override;

 private:
  bool ExecuteFileDialog(QWidget* parent, bool save, FileDialogState& dialog);

  std::deque<MessageAnswer> answers_;
  std::deque<std::optional<QString>> files_;
  QStringList allTexts_;
  std::vector<QWidget*> allParents_;
};

}  // namespace orlenda::test

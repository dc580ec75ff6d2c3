#pragma once

// The prompts as real dialogs: QMessageBox, QFileDialog and QDesktopServices.

#include "ui/shell/prompts.h"

namespace orlenda {

class QtPrompts final : public Prompts {
 public:
  // `applicationTitle` is the title of the standard error box.
  explicit QtPrompts(QString applicationTitle);

  MessageAnswer ShowMessage(QWidget* parent, MessageKind kind, MessageButtons buttons, const QString& text,
                            DefaultButton defaultButton = DefaultButton::Usual) override;
  void ShowStandardError(QWidget* parent, const QString& text) override;
  bool ExecuteOpenDialog(QWidget* parent, FileDialogState& dialog) override;
  bool OpenDocument(const QUrl& address) override;

 protected:
  bool ShowSaveDialog(QWidget* parent, FileDialogState& dialog) override;

 private:
  QString applicationTitle_;
};

}  // namespace orlenda

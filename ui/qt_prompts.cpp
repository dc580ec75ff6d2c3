#include "ui/qt_prompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace orlenda {
namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Confirmation:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QString TitleOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QStringLiteral("Warning");
    case MessageKind::Error:
      return QStringLiteral("Error");
    case MessageKind::Information:
      return QStringLiteral("Information");
    case MessageKind::Confirmation:
      return QStringLiteral("Confirm");
  }
  return {};
}

// Qt's own file dialog is used everywhere: its name filters ignore letter case on every desktop, so
// "*.plt" also lists the ".PLT" files that some installations of the game write.
bool ExecuteFileDialog(QWidget* parent, FileDialogState& state, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);  // the callers test whether the chosen file exists
  if (!state.title.isEmpty()) dialog.setWindowTitle(state.title);
  if (!state.filters.isEmpty()) dialog.setNameFilters(state.filters);
  const QFileInfo start(state.initialDir);
  if (!state.initialDir.isEmpty() && start.exists()) {
    dialog.setDirectory(start.isDir() ? start.absoluteFilePath() : start.absolutePath());
  }
  if (!state.fileName.isEmpty()) dialog.selectFile(state.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  state.fileName = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
  return true;
}

}  // namespace

QtPrompts::QtPrompts(QString applicationTitle) : applicationTitle_(std::move(applicationTitle)) {}

MessageAnswer QtPrompts::ShowMessage(QWidget* parent, MessageKind kind, MessageButtons buttons,
                                     const QString& text) {
  const bool yesNo = buttons == MessageButtons::YesNo;
  QMessageBox box(IconOf(kind), TitleOf(kind), text,
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
  const int pressed = box.exec();
  if (!yesNo) return MessageAnswer::Ok;
  return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtPrompts::ShowStandardError(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, applicationTitle_, text);
}

bool QtPrompts::ExecuteOpenDialog(QWidget* parent, FileDialogState& dialog) {
  return ExecuteFileDialog(parent, dialog, QFileDialog::AcceptOpen);
}

bool QtPrompts::ExecuteSaveDialog(QWidget* parent, FileDialogState& dialog) {
  return ExecuteFileDialog(parent, dialog, QFileDialog::AcceptSave);
}

void QtPrompts::OpenDocument(const QUrl& address) { QDesktopServices::openUrl(address); }

}  // namespace orlenda

#include "ui/shell/qt_prompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

#include "pilot/pilot_file_name.h"
#include "ui/shell/qt_dialog_state.h"

namespace orlenda {
namespace {

// Big enough for the detail view's name, size, type and date columns side by side.
constexpr QSize kFileDialogStartSize{820, 480};

// The icon and the title of a message box: one kind, one look.
struct BoxLook {
  QMessageBox::Icon icon;
  QString title;
};

BoxLook LookOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return {QMessageBox::Warning, QStringLiteral("Warning")};
    case MessageKind::Error:
      return {QMessageBox::Critical, QStringLiteral("Error")};
    case MessageKind::Information:
      return {QMessageBox::Information, QStringLiteral("Information")};
    case MessageKind::Confirmation:
      return {QMessageBox::Question, QStringLiteral("Confirm")};
  }
  return {QMessageBox::NoIcon, QString()};
}

// A box centred over its parent window, its text shown as it stands: a file named "<b>Ace</b>.plt"
// reads with its brackets, not in bold.
int ExecuteBox(const BoxLook& look, const QString& text, QMessageBox::StandardButtons buttons,
               QWidget* parent, QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) {
  QMessageBox box(look.icon, look.title, text, buttons, parent != nullptr ? parent->window() : nullptr);
  box.setTextFormat(Qt::PlainText);
  if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
  return box.exec();
}

// "Restore…" and "Ignore": a question whose answer is a restore, or leaving the file as it is.
MessageAnswer ExecuteRestoreIgnore(const BoxLook& look, const QString& text, QWidget* parent) {
  QMessageBox box(look.icon, look.title, text, QMessageBox::Yes | QMessageBox::Ignore,
                  parent != nullptr ? parent->window() : nullptr);
  box.setTextFormat(Qt::PlainText);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Restore\u2026"));
  box.setDefaultButton(QMessageBox::Ignore);
  return box.exec() == QMessageBox::Yes ? MessageAnswer::Restore : MessageAnswer::Ignore;
}

// The button that changes nothing, for a box whose other answers cost the player something.
QMessageBox::StandardButton SafeButton(MessageButtons buttons) {
  return buttons == MessageButtons::YesNo ? QMessageBox::No : QMessageBox::Cancel;
}

// The dialog starts at a size where the detail view's columns can be read whole; the size, type and
// date columns take the width of their contents and the name column the rest.
void SizeForReading(QFileDialog& dialog) {
  QSize size = kFileDialogStartSize.expandedTo(dialog.sizeHint());
  if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableSize());
  dialog.resize(size);
  if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    QHeaderView& header = *details->header();
    header.setStretchLastSection(false);
    header.setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header.count(); ++column)
      header.setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
}

// The dialog shows a preset file by its name in its folder. When that folder does not exist the dialog
// stays elsewhere and would take the name as one inside the folder it shows: the name field then
// holds the whole path, so that the file confirmed is the one named.
void KeepWholePresetName(QFileDialog& dialog, const QString& fileName) {
  if (fileName.isEmpty() || !QFileInfo(fileName).isAbsolute() || QFileInfo(fileName).absoluteDir().exists())
    return;
  if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(fileName);
}

// Qt's own file dialog is used everywhere: its name filters ignore letter case on every desktop, so
// "*.plt" also lists the ".PLT" files that some installations of the game write. The dialog leaves Qt's
// shared settings as it found them (ui/shell/qt_dialog_state.h).
bool ExecuteFileDialog(QWidget* parent, FileDialogState& state, QFileDialog::AcceptMode mode) {
  const QtDialogStateGuard keepQtSettings;
  QFileDialog dialog(parent != nullptr ? parent->window() : nullptr);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);  // the callers test whether the chosen file exists
  if (!state.title.isEmpty()) dialog.setWindowTitle(state.title);
  if (!state.filters.isEmpty()) dialog.setNameFilters(state.filters);
  // A file's path starts in its folder, also when the file is gone or its name cannot be given to Qt.
  const QFileInfo start(state.initialDir);
  const QString startFolder = start.isDir() ? start.absoluteFilePath() : start.absolutePath();
  if (!state.initialDir.isEmpty() && QFileInfo(startFolder).isDir()) dialog.setDirectory(startFolder);
  if (!state.fileName.isEmpty()) dialog.selectFile(state.fileName);
  KeepWholePresetName(dialog, state.fileName);
  SizeForReading(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  state.fileName = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
  return true;
}

}  // namespace

QStringList PilotFileFilters() {
  const QString extension = QString::fromLatin1(kPilotFileExtension.data(), kPilotFileExtension.size());
  return {QStringLiteral("XWA Pilotfiles (*") + extension + QLatin1Char(')'),
          QStringLiteral("All files (*)")};
}

QtPrompts::QtPrompts(QString applicationTitle) : applicationTitle_(std::move(applicationTitle)) {}

MessageAnswer QtPrompts::ShowMessage(QWidget* parent, MessageKind kind, MessageButtons buttons,
                                     const QString& text, DefaultButton defaultButton) {
  const BoxLook look = LookOf(kind);
  const QMessageBox::StandardButton chosenDefault =
      defaultButton == DefaultButton::Safe ? SafeButton(buttons) : QMessageBox::NoButton;
  switch (buttons) {
    case MessageButtons::Ok:
      ExecuteBox(look, text, QMessageBox::Ok, parent);
      return MessageAnswer::Ok;
    case MessageButtons::YesNo:
      return ExecuteBox(look, text, QMessageBox::Yes | QMessageBox::No, parent, chosenDefault) ==
                     QMessageBox::Yes
                 ? MessageAnswer::Yes
                 : MessageAnswer::No;
    case MessageButtons::OkCancel:
      return ExecuteBox(look, text, QMessageBox::Ok | QMessageBox::Cancel, parent, chosenDefault) ==
                     QMessageBox::Ok
                 ? MessageAnswer::Ok
                 : MessageAnswer::Cancel;
    case MessageButtons::RestoreIgnore:
      return ExecuteRestoreIgnore(look, text, parent);
    case MessageButtons::SaveDiscardCancel:
      break;
  }
  const int pressed = ExecuteBox(look, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                 parent, chosenDefault);
  if (pressed == QMessageBox::Save) return MessageAnswer::Save;
  return pressed == QMessageBox::Discard ? MessageAnswer::Discard : MessageAnswer::Cancel;
}

void QtPrompts::ShowStandardError(QWidget* parent, const QString& text) {
  ExecuteBox({QMessageBox::Critical, applicationTitle_}, text, QMessageBox::Ok, parent);
}

bool QtPrompts::ExecuteOpenDialog(QWidget* parent, FileDialogState& dialog) {
  return ExecuteFileDialog(parent, dialog, QFileDialog::AcceptOpen);
}

bool QtPrompts::ShowSaveDialog(QWidget* parent, FileDialogState& dialog) {
  return ExecuteFileDialog(parent, dialog, QFileDialog::AcceptSave);
}

bool QtPrompts::OpenDocument(const QUrl& address) { return QDesktopServices::openUrl(address); }

}  // namespace orlenda

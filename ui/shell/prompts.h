#pragma once

// Everything that asks the user something or hands something to the desktop goes through this one
// interface: message boxes, the standard error box, the open and save dialogs and opening a link.
// The desktop program shows real dialogs (QtPrompts); tests answer from a script.
//
// `parent` is the window a box or dialog belongs to: it is shown centred over that window. Texts are
// shown literally, never as formatted text, since they carry file names, pilot names and log lines.

#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace orlenda {

enum class MessageKind { Warning, Error, Information, Confirmation };
// OkCancel answers Ok or Cancel; SaveDiscardCancel answers Save, Discard or Cancel; RestoreIgnore
// ("Restore…" and "Ignore") answers Restore or Ignore.
enum class MessageButtons { YesNo, Ok, OkCancel, SaveDiscardCancel, RestoreIgnore };
enum class MessageAnswer { Yes, No, Ok, Save, Discard, Cancel, Restore, Ignore };
// The button that Return presses: the box's usual one, or the one that changes nothing (No, Cancel)
// when the other would cost the player something.
enum class DefaultButton { Usual, Safe };

// A file dialog that keeps its state between showings, as a window's OpenDialog1 or SaveDialog1 does:
// after a confirmed showing `fileName` holds the chosen file's full path.
struct FileDialogState {
  QString title;        // empty: the dialog's usual title
  QStringList filters;  // "XWA Pilotfiles (*.plt)"; the first one is selected
  QString fileName;     // the preset name
  QString initialDir;   // where the dialog starts; a file's path starts in its folder
  // What a saved file is to become, for the refusal of a pilot file: "Cannot use … as the log".
  QString use = QStringLiteral("the saved file");
};

// The filters of a dialog that chooses pilot files: "XWA Pilotfiles (*.plt)", then every file.
QStringList PilotFileFilters();

class Prompts {
 public:
  virtual ~Prompts() = default;

  virtual MessageAnswer ShowMessage(QWidget* parent, MessageKind kind, MessageButtons buttons,
                                    const QString& text,
                                    DefaultButton defaultButton = DefaultButton::Usual) = 0;

  // The application's standard error box: an error raised by the platform layer, shown with the
  // application's title.
  virtual void ShowStandardError(QWidget* parent, const QString& text) = 0;

  // True when the user confirmed a file; it is then in dialog.fileName.
  virtual bool ExecuteOpenDialog(QWidget* parent, FileDialogState& dialog) = 0;
  // Every save of the program chooses its file here. A pilot file (a ".plt" name, or a file holding a
  // pilot's bytes) is refused in a box and the dialog shown again, so that no save ever writes over a
  // pilot's career.
  bool ExecuteSaveDialog(QWidget* parent, FileDialogState& dialog);
  // A save dialog for a new file only (a kept pilot state written out): a file that exists, a pilot's
  // or any other, is refused in a box and the dialog shown again.
  bool ExecuteNewFileDialog(QWidget* parent, FileDialogState& dialog);

  // Hands a document (a web address, a mailto: address, a file:// address) to the desktop's default
  // program. False when no program took it.
  virtual bool OpenDocument(const QUrl& address) = 0;

 protected:
  // The save dialog itself, as ExecuteOpenDialog shows the open dialog.
  virtual bool ShowSaveDialog(QWidget* parent, FileDialogState& dialog) = 0;
};

}  // namespace orlenda

#include "ui/main_window/main_unit.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <exception>

#include "base/path_kind.h"
#include "base/user_folders.h"
#include "mainlog/main_log_file.h"
#include "pilot/pilot_file_name.h"
#include "settings/game_folders.h"
#include "settings/settings_table.h"
#include "settings/typed_settings.h"
#include "ui/main_window/log_text.h"
#include "ui/pilot_view/plt_file.h"
#include "ui/pilots/pilots_form.h"
#include "ui/settings_dialog/settings_recovery_prompt.h"
#include "ui/shell/compact_font.h"
#include "ui/shell/lock_wait_prompt.h"
#include "ui/shell/plain_text.h"
#include "ui/shell/platform_error.h"
#include "ui/shell/run_handler.h"
#include "ui/shell/session.h"
#include "ui_main_unit.h"

namespace orlenda {

namespace {

constexpr int kMinimumLogWidth = 150;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TForm1::TForm1(Session& session, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TForm1>()), session_(session) {
  ui_->setupUi(this);
  UseCompactFont(*ui_->Panel1);
  setMinimumSize(ui_->Panel1->maximumWidth() + kMinimumLogWidth, height());
  mainLog_ = std::make_unique<MainLog>(*ui_->Memo1);
  ShowModifiedInTitle();
  OpenDialog1.filters = PilotFileFilters();
  SaveDialog1.use = QStringLiteral("the log");
  ConnectHandlers();
  ConnectShortcuts();
  connect(&logWatcher_, &QFileSystemWatcher::fileChanged, this, &TForm1::TakeLinesFromOthersQuietly);
  connect(&logWatcher_, &QFileSystemWatcher::directoryChanged, this, &TForm1::TakeLinesFromOthersQuietly);
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::ConnectHandlers() {
  const std::pair<QPushButton*, void (TForm1::*)()> handlers[] = {
      {ui_->GetScoreButton, &TForm1::GetScoreButtonClick},
      {ui_->PilotsButton, &TForm1::PilotsButtonClick},
      {ui_->SaveButton, &TForm1::SaveButtonClick},
      {ui_->SaveAsButton, &TForm1::SaveAsButtonClick},
      {ui_->ClearButton, &TForm1::ClearButtonClick},
      {ui_->Button1, &TForm1::Button1Click},
      {ui_->AboutButton, &TForm1::AboutButtonClick},
      {ui_->SaveAndExitButton, &TForm1::SaveAndExitButtonClick},
      {ui_->ExitButton, &TForm1::ExitButtonClick},
  };
  for (const auto& buttonAndHandler : handlers) {
    const auto handler = buttonAndHandler.second;  // a copy: clang 14 captures no structured binding
    connect(buttonAndHandler.first, &QPushButton::clicked, this, [this, handler] {
      RunHandler(session_.prompts(), this, [this, handler] { (this->*handler)(); });
    });
  }
}

// The keys players expect, on top of the buttons' hints, which stay as they are. The main log takes
// Tab as a character, so Ctrl+Tab and Ctrl+Shift+Tab move the focus on from it.
void TForm1::ConnectShortcuts() {
  ui_->GetScoreButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  ui_->PilotsButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  ui_->SaveButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  ui_->ExitButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  ui_->Memo1->installEventFilter(this);
  ui_->Memo1->viewport()->installEventFilter(this);  // drops reach the text area's viewport
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->Memo1->viewport() && TakeDrop(event)) return true;
  if (watched == ui_->Memo1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && key->modifiers().testFlag(Qt::ControlModifier)) {
      const bool back = key->key() == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
      focusNextPrevChild(!back);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// The settings file is checked and the store opened, and LastDir made to exist; then the log file
// named by the settings is loaded. A settings file that cannot be written is reported but does not
// keep the log from loading: a log left empty here would replace the user's log file at the next save.
// While the program starts, its boxes stand over the splash screen.
void TForm1::FormCreate() {
  session_.OpenSettings();
  QWidget* owner = session_.BoxOwner(this);
  if (OfferSettingsRecovery(session_, owner)) {
    RunHandler(session_.prompts(), owner,
               [this] { ApplyLastDirPresenceRule(session_.settings(), FirstRunFolder()); });
  }
  RunHandler(session_.prompts(), owner, [this] {
    const QString logFile = LogFileSetting();
    ui_->SaveButton->setToolTip(LiteralToolTip(ui_->SaveButton->toolTip() + logFile));
    LoadLogFile(logFile);
    WatchLogFile();
  });
}

// Where the open dialog first starts: the game's folder when one is found, else the current folder.
// Only looked for when LastDir is missing, so that a usual start does not search the disk.
std::string TForm1::FirstRunFolder() const {
  if (session_.settings().FindSetting(kSettingsSection, SettingNamed("LastDir").key)) return CurrentFolder();
  return FindGameFolder(HomeFolder()).value_or(CurrentFolder());
}

// The log file's text into the text area. A log that cannot be read, or is no text log (a pilot file
// named as the log), is reported and the log starts empty; the setting stays as it is.
void TForm1::LoadLogFile(const QString& logFile) {
  LogReadResult read = ReadMainLog(LocalPath(logFile), LockWaitPrompt(this).Wait());
  if (!read.ok) throw PlatformError(read.message);
  logBaseline_ = std::move(read.baseline);
  // The UTF-8 text is freed before the area fills, so that a long log is not held once more then.
  const QString text = Utf8(read.text);
  read.text = std::string();
  mainLog_->ReplaceText(text);
}

void TForm1::OfferCommandLineFile(const QString& fileName) {
  RunHandler(session_.prompts(), this, [this, &fileName] {
    OpenDialog1.fileName = QFileInfo(fileName).absoluteFilePath();
    ShowOpenDialogAndOpen();
  });
}

QString TForm1::LogFileSetting() const {
  return Utf8(ReadText(session_.settings(), SettingNamed("LogFile")));
}

void TForm1::GetScoreButtonClick() {
  OpenDialog1.initialDir = Utf8(ReadText(session_.settings(), SettingNamed("LastDir")));
  ShowOpenDialogAndOpen();
}

// The Pilots window lists the folder that the open dialog would start in: LastDir's folder.
QString TForm1::PilotsFolder() const {
  const QFileInfo lastDir(Utf8(ReadText(session_.settings(), SettingNamed("LastDir"))));
  return lastDir.isDir() ? lastDir.absoluteFilePath() : lastDir.absolutePath();
}

void TForm1::PilotsButtonClick() {
  if (pilotsForm_ == nullptr) {
    pilotsForm_ = new TPilotsForm(
        session_, [this](const std::string& path) { OpenChosenFile(path); },
        [this](const std::string& path) { AddToLog(path); }, this);
    pilotsForm_->ShowFolder(PilotsFolder());
  }
  pilotsForm_->setWindowState(pilotsForm_->windowState() & ~Qt::WindowMinimized);
  pilotsForm_->show();
  pilotsForm_->raise();
  pilotsForm_->activateWindow();
}

// The Pilots window's "Add to log": the file loaded into the pilot file view without showing it, and
// the line that closing the view would append appended.
void TForm1::AddToLog(const std::string& path) {
  TPltFileView& view = *session_.windows.PltFileView;
  if (view.ReadMission(path) == 0) AppendOwnLine(view.ExportText());
}

void TForm1::ShowOpenDialogAndOpen() {
  if (!session_.prompts().ExecuteOpenDialog(this, OpenDialog1)) return;
  OpenChosenFile(LocalPath(OpenDialog1.fileName));
}

// The open sequence from the chosen file on: load, show the view, take its export line into the log
// and show it there, and remember the file. A name typed into the open dialog that names no file is
// reported and not remembered. The path is the core's: a name that is not UTF-8 opens as listed.
void TForm1::OpenChosenFile(const std::string& path) {
  if (!IsRegularFile(path)) {
    session_.prompts().ShowMessage(this, MessageKind::Error, MessageButtons::Ok,
                                   QStringLiteral("File not found: ") + DisplayPath(path));
    return;
  }
  TPltFileView& view = *session_.windows.PltFileView;
  if (view.ReadMission(path) != 0) return;
  view.exec();
  AppendOwnLine(view.ExportText());
  if (ReadFlag(session_.settings(), SettingNamed("SaveFilename"))) {
    WriteSettingValue(session_.settings(), SettingNamed("LastDir"), path);
  }
}

// Every line that this program adds to the log comes here: the lines that others saved to the log
// file first, so that the log keeps the order in which its lines came; then the line, shown.
void TForm1::AppendOwnLine(const QString& line) {
  TakeLinesFromOthers();
  mainLog_->AppendLine(line);
  ui_->Memo1->moveCursor(QTextCursor::End);
}

// The lines that others saved to the log file join the text first, where the file has them, so that
// the save neither moves nor repeats them. Lines that arrive between that and the save are kept by
// the save after the text's, and join the text area there, so that the next save keeps them too.
void TForm1::WriteMainLogTo(const QString& fileName) {
  const std::string path = LocalPath(fileName);
  if (path == logBaseline_.path) TakeLinesFromOthers();
  const LogWriteResult saved =
      SaveMainLog(path, mainLog_->Text().toStdString(), logBaseline_, LockWaitPrompt(this).Wait());
  if (!saved.ok) throw PlatformError(saved.message);
  const bool modified = mainLog_->Modified();
  for (const std::string& line : saved.linesFromOthers) mainLog_->AppendLine(Utf8(line));
  mainLog_->SetModified(modified);
  if (path == logBaseline_.path) mainLog_->MarkSaved();
  WatchLogFile();  // a save that replaced the file replaced what was watched
}

// Lines that another program appended to the log file since it was loaded or last saved join the
// text after what the file held then, before the lines added here since. A log file that cannot be
// read now (another program holds its lock: no wait, since this also runs whenever the window is
// activated), or was changed otherwise, is left to the next save.
void TForm1::TakeLinesFromOthers() {
  const LockWait noWait{std::chrono::milliseconds(0), {}, {}};
  const std::optional<std::vector<std::string>> lines =
      TakeLinesAppendedSince(LocalPath(LogFileSetting()), logBaseline_, noWait);
  if (!lines || lines->empty()) return;
  QStringList texts;
  for (const std::string& line : *lines) texts.append(Utf8(line));
  const bool modified = mainLog_->Modified();
  mainLog_->InsertSavedLines(texts);
  mainLog_->SetModified(modified);
}

// On a change of the log file, and when the player comes back to the window.
void TForm1::TakeLinesFromOthersQuietly() {
  try {
    TakeLinesFromOthers();
    WatchLogFile();
  } catch (const std::exception&) {
    // A settings file that cannot be read now: the next save reads it again and reports it.
  }
}

// The log file is watched for lines that other programs append; while it is missing, its folder, so
// that its creation is seen. A file replaced whole is watched anew.
void TForm1::WatchLogFile() {
  const QString file = QFileInfo(LogFileSetting()).absoluteFilePath();
  const QString watched = QFileInfo::exists(file) ? file : QFileInfo(file).absolutePath();
  if (logWatcher_.files() + logWatcher_.directories() == QStringList{watched}) return;
  if (!logWatcher_.files().isEmpty()) logWatcher_.removePaths(logWatcher_.files());
  if (!logWatcher_.directories().isEmpty()) logWatcher_.removePaths(logWatcher_.directories());
  logWatcher_.addPath(watched);
}

// The window's title carries a mark while the log holds changes not saved, so that a save shows.
void TForm1::ShowModifiedInTitle() {
  if (!windowTitle().contains(QStringLiteral("[*]"))) setWindowTitle(windowTitle() + QStringLiteral("[*]"));
  connect(ui_->Memo1->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
  setWindowModified(mainLog_->Modified());
}

void TForm1::SaveButtonClick() {
  SaveDialog1.fileName = LogFileSetting();
  WriteMainLogTo(SaveDialog1.fileName);
  mainLog_->SetModified(false);
}

void TForm1::SaveAsButtonClick() {
  SaveDialog1.fileName = LogFileSetting();
  if (!session_.prompts().ExecuteSaveDialog(this, SaveDialog1)) return;
  WriteMainLogTo(SaveDialog1.fileName);
  mainLog_->SetModified(false);
}

void TForm1::SaveAndExitButtonClick() {
  WriteMainLogTo(LogFileSetting());
  mainLog_->SetModified(false);
  close();
}

// Answered No, nothing changes, so that the exit does not ask about a log that was not touched.
void TForm1::ClearButtonClick() {
  if (session_.prompts().ShowMessage(this, MessageKind::Confirmation, MessageButtons::YesNo,
                                     QStringLiteral("Clear text window?")) != MessageAnswer::Yes) {
    return;
  }
  mainLog_->Clear();
  mainLog_->SetModified(true);
}

void TForm1::Button1Click() {
  if (session_.windows.SettingsDlg != nullptr) session_.windows.SettingsDlg->exec();
}

void TForm1::AboutButtonClick() {
  if (session_.windows.AboutBox != nullptr) session_.windows.AboutBox->exec();
}

void TForm1::ExitButtonClick() { close(); }

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

// The player comes back to the window, perhaps from a command line that appended to the log: its lines
// join the text now, before anything the player types next.
void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow() || mainLog_ == nullptr) return;
  TakeLinesFromOthersQuietly();
}

void TForm1::FormShow() {
  if (session_.windows.SplashForm != nullptr) session_.windows.SplashForm->hide();
}

// The window closes in every branch, except when the user asked for the log to be saved and the save
// failed: the program then stays open with the changes, so that they can be saved elsewhere.
void TForm1::closeEvent(QCloseEvent* event) {
  if (RunHandler(session_.prompts(), this, [this] { FormClose(); })) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TForm1::FormClose() {
  SaveDialog1.fileName = LogFileSetting();
  if (!mainLog_->Modified()) return;
  if (!ReadFlag(session_.settings(), SettingNamed("SaveLogFile"))) return;
  Prompts& prompts = session_.prompts();
  if (prompts.ShowMessage(this, MessageKind::Information, MessageButtons::YesNo,
                          QStringLiteral("Changes made to the log. Do you want to save changes?")) ==
          MessageAnswer::Yes &&
      prompts.ExecuteSaveDialog(this, SaveDialog1)) {
    WriteMainLogTo(SaveDialog1.fileName);
    return;
  }
  if (prompts.ShowMessage(this, MessageKind::Warning, MessageButtons::YesNo,
                          QStringLiteral("Cancel save. Are you sure?")) == MessageAnswer::Yes) {
    return;
  }
  SaveAsButtonClick();
}

QStringList DroppedPilotFiles(const QMimeData& data) {
  QStringList files;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    if (IsPilotFileName(LocalPath(path))) files.append(path);
  }
  return files;
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData() != nullptr && !DroppedPilotFiles(*event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

// The open runs once the drop has finished, so that the program the files came from is not kept
// waiting while the pilot file view is shown.
void TForm1::dropEvent(QDropEvent* event) {
  const QStringList files =
      event->mimeData() != nullptr ? DroppedPilotFiles(*event->mimeData()) : QStringList();
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  QTimer::singleShot(0, this, [this, files] { FormDragDrop(files); });
}

// Pilot files dragged over the log's text area are the window's, not text to insert into the log;
// any other drop there stays an ordinary edit of the text.
bool TForm1::TakeDrop(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (drag->mimeData() == nullptr || DroppedPilotFiles(*drag->mimeData()).isEmpty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (drop->mimeData() == nullptr || DroppedPilotFiles(*drop->mimeData()).isEmpty()) return false;
      dropEvent(drop);
      return true;
    }
    default:
      return false;
  }
}

// Each dropped pilot file is opened in turn, as if chosen in the open dialog.
void TForm1::FormDragDrop(const QStringList& fileNames) {
  for (const QString& fileName : fileNames)
    RunHandler(session_.prompts(), this, [this, &fileName] { OpenChosenFile(LocalPath(fileName)); });
}

}  // namespace orlenda

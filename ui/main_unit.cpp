#include "ui/main_unit.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "base/user_folders.h"
#include "report/main_log_file.h"
#include "settings/setting_reads.h"
#include "ui/compact_font.h"
#include "ui/main_log.h"
#include "ui/platform_error.h"
#include "ui/plt_file.h"
#include "ui/run_handler.h"
#include "ui/session.h"
#include "ui_main_unit.h"

namespace orlenda {

namespace {

constexpr int kMinimumLogWidth = 150;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// The log file's text for the text area. The UTF-8 text it is made from is freed on return, before the
// area fills, so that a long log is not held once more during the fill.
QString ReadLogFile(const QString& logFile) {
  const std::optional<std::string> text = ReadMainLogText(LocalPath(logFile));
  if (!text) throw PlatformError(CannotOpenFileMessage(logFile.toStdString()));
  return Utf8(*text);
}

}  // namespace

TForm1::TForm1(Session& session, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TForm1>()), session_(session) {
  ui_->setupUi(this);
  UseCompactFont(*ui_->Panel1);
  setMinimumSize(ui_->Panel1->maximumWidth() + kMinimumLogWidth, height());
  mainLog_ = std::make_unique<MainLog>(*ui_->Memo1);
  OpenDialog1.filters = {QStringLiteral("XWA Pilotfiles (*.plt)"), QStringLiteral("All files (*)")};
  ConnectHandlers();
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::ConnectHandlers() {
  const std::pair<QPushButton*, void (TForm1::*)()> handlers[] = {
      {ui_->GetScoreButton, &TForm1::GetScoreButtonClick},
      {ui_->SaveButton, &TForm1::SaveButtonClick},
      {ui_->SaveAsButton, &TForm1::SaveAsButtonClick},
      {ui_->ClearButton, &TForm1::ClearButtonClick},
      {ui_->Button1, &TForm1::Button1Click},
      {ui_->AboutButton, &TForm1::AboutButtonClick},
      {ui_->SaveAndExitButton, &TForm1::SaveAndExitButtonClick},
      {ui_->ExitButton, &TForm1::ExitButtonClick},
  };
  for (const auto& [button, handler] : handlers) {
    connect(button, &QPushButton::clicked, this, [this, handler] {
      RunHandler(session_.prompts(), this, [this, handler] { (this->*handler)(); });
    });
  }
}

// The settings store is opened and LastDir made to exist; then the log file named by the settings is
// loaded. A settings file that cannot be written is reported but does not keep the log from loading:
// a log left empty here would replace the user's log file at the next save.
void TForm1::FormCreate() {
  session_.OpenSettings();
  RunHandler(session_.prompts(), this,
             [this] { ApplyLastDirPresenceRule(session_.settings(), CurrentFolder()); });
  RunHandler(session_.prompts(), this, [this] {
    const QString logFile = LogFileSetting();
    ui_->SaveButton->setToolTip(ui_->SaveButton->toolTip() + logFile);
    if (QFileInfo(logFile).isFile()) mainLog_->ReplaceText(ReadLogFile(logFile));
  });
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

void TForm1::ShowOpenDialogAndOpen() {
  if (!session_.prompts().ExecuteOpenDialog(this, OpenDialog1)) return;
  OpenChosenFile(OpenDialog1.fileName);
}

// The open sequence from the chosen file on: load, show the view, take its export line into the log,
// and remember the file.
void TForm1::OpenChosenFile(const QString& fileName) {
  if (QFileInfo(fileName).isFile()) {
    TPltFileView& view = *session_.windows.PltFileView;
    if (view.ReadMission(fileName) != 0) return;
    view.exec();
    mainLog_->AppendLine(view.ExportText());
  }
  if (ReadFlag(session_.settings(), SettingNamed("SaveFilename"))) {
    WriteSettingValue(session_.settings(), SettingNamed("LastDir"), fileName.toStdString());
  }
}

void TForm1::WriteMainLogTo(const QString& fileName) {
  if (!WriteMainLogText(LocalPath(fileName), mainLog_->Text().toStdString())) {
    throw PlatformError(CannotCreateFileMessage(fileName.toStdString()));
  }
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

void TForm1::ClearButtonClick() {
  if (session_.prompts().ShowMessage(this, MessageKind::Confirmation, MessageButtons::YesNo,
                                     QStringLiteral("Clear text window?")) == MessageAnswer::Yes) {
    mainLog_->Clear();
  }
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

QString DroppedPilotFile(const QMimeData& data) {
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    if (path.endsWith(QStringLiteral(".plt"), Qt::CaseInsensitive)) return path;
  }
  return {};
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData() != nullptr && !DroppedPilotFile(*event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

// The open runs once the drop has finished, so that the program the file came from is not kept
// waiting while the pilot file view is shown.
void TForm1::dropEvent(QDropEvent* event) {
  const QString fileName = event->mimeData() != nullptr ? DroppedPilotFile(*event->mimeData()) : QString();
  if (fileName.isEmpty()) return;
  event->acceptProposedAction();
  QTimer::singleShot(0, this, [this, fileName] { FormDragDrop(fileName); });
}

void TForm1::FormDragDrop(const QString& fileName) {
  RunHandler(session_.prompts(), this, [this, &fileName] { OpenChosenFile(fileName); });
}

}  // namespace orlenda

#include "ui/settings_dialog/settings_dlg.h"

#include <QEvent>
#include <QPixmap>

#include "base/user_folders.h"
#include "settings/typed_settings.h"
#include "ui/pictures/picture_resources.h"
#include "ui/settings_dialog/settings_recovery_prompt.h"
#include "ui/shell/compact_font.h"
#include "ui/shell/run_handler.h"
#include "ui/shell/session.h"
#include "ui_settings_dlg.h"

namespace orlenda {

namespace {

constexpr int kIconSize = 32;

}  // namespace

TSettingsDlg::TSettingsDlg(Session& session, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TSettingsDlg>()),
      session_(session) {
  UseCompactFont(*this);  // before the controls exist, so that they are created with it
  ui_->setupUi(this);
  setFixedSize(size());
  ui_->IconImage->setPixmap(ApplicationIconPixmap(kIconSize));
  SaveDialog1.title = QStringLiteral("Log file");
  SaveDialog1.use = QStringLiteral("the log");
  SaveDialog1.filters = {QStringLiteral("Textfile (*.txt)"), QStringLiteral("All files (*)")};
  ui_->CheatCheckBox->installEventFilter(this);
  controls_.BindAll(*this);
  ConnectHandlers();
}

TSettingsDlg::~TSettingsDlg() = default;

void TSettingsDlg::ConnectHandlers() {
  const auto guarded = [this](void (TSettingsDlg::*handler)()) {
    return [this, handler] { RunHandler(session_.prompts(), this, [this, handler] { (this->*handler)(); }); };
  };
  // OK closes the dialog with its result set even when a write fails.
  connect(ui_->OKBtn, &QPushButton::clicked, this, [this, guarded] {
    guarded (&TSettingsDlg::OKBtnClick)();
    accept();
  });
  connect(ui_->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->Default1, &QPushButton::clicked, this, guarded(&TSettingsDlg::Default1Click));
  connect(ui_->LogFileButton, &QPushButton::clicked, this, guarded(&TSettingsDlg::LogFileButtonClick));
  connect(ui_->CheatCheckBox, &QCheckBox::clicked, this, guarded(&TSettingsDlg::CheatCheckBoxMouseUp));
}

// The controls are loaded from the store each time the dialog is shown, so the changes of a cancelled
// showing are gone by the next one.
void TSettingsDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  RunHandler(session_.prompts(), this, [this] { FormActivate(); });
}

bool TSettingsDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->CheatCheckBox && event->type() == QEvent::FocusIn) CheatCheckBoxEnter();
  return QDialog::eventFilter(watched, event);
}

void TSettingsDlg::FormActivate() {
  session_.OpenSettings();
  SettingsIni& store = session_.settings();
  if (OfferSettingsRecovery(session_, this)) ApplyLastDirPresenceRule(store, CurrentFolder());
  controls_.Load(store);
  UpdateDetailedErrorsEnabled();
}

void TSettingsDlg::OKBtnClick() { controls_.WriteTo(session_.settings()); }

void TSettingsDlg::Default1Click() {
  controls_.ResetToDefaults();
  UpdateDetailedErrorsEnabled();
}

void TSettingsDlg::CheatCheckBoxEnter() { UpdateDetailedErrorsEnabled(); }

void TSettingsDlg::CheatCheckBoxMouseUp() { UpdateDetailedErrorsEnabled(); }

// The detailed report box is usable only while the check runs; its checked state is kept either way.
void TSettingsDlg::UpdateDetailedErrorsEnabled() {
  ui_->DetaildErrorsCheckBox->setEnabled(ui_->CheatCheckBox->isChecked());
  ui_->DetaildErrorsCheckBox->update();
}

void TSettingsDlg::LogFileButtonClick() {
  SaveDialog1.fileName = ui_->LogFileEdit->text();
  if (session_.prompts().ExecuteSaveDialog(this, SaveDialog1))
    ui_->LogFileEdit->setText(SaveDialog1.fileName);
}

}  // namespace orlenda

#include "ui/settings_dlg.h"

#include <QButtonGroup>
#include <QEvent>
#include <QPixmap>

#include "base/user_folders.h"
#include "settings/default_paths.h"
#include "settings/setting_reads.h"
#include "ui/compact_font.h"
#include "ui/picture_resources.h"
#include "ui/radio_group_index.h"
#include "ui/run_handler.h"
#include "ui/session.h"
#include "ui/settings_recovery_prompt.h"
#include "ui_settings_dlg.h"

namespace orlenda {

namespace {

constexpr char kNameSourceDefault[] = "2";
constexpr char kScoreFormatDefault[] = "1";
constexpr int kNameSourceDefaultItem = 2;
constexpr int kScoreFormatDefaultItem = 1;
constexpr int kIconSize = 32;

struct FlagBox {
  QCheckBox* box;
  std::string_view key;
  const char* defaultValue;
};

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TSettingsDlg::TSettingsDlg(Session& session, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TSettingsDlg>()),
      session_(session),
      nameSourceItems_(new QButtonGroup(this)),
      scoreFormatItems_(new QButtonGroup(this)) {
  UseCompactFont(*this);  // before the controls exist, so that they are created with it
  ui_->setupUi(this);
  setFixedSize(size());
  nameSourceItems_->addButton(ui_->NameSourceGroupItem0, 0);
  nameSourceItems_->addButton(ui_->NameSourceGroupItem1, 1);
  nameSourceItems_->addButton(ui_->NameSourceGroupItem2, 2);
  scoreFormatItems_->addButton(ui_->ScoreFormatGroupItem0, 0);
  scoreFormatItems_->addButton(ui_->ScoreFormatGroupItem1, 1);
  scoreFormatItems_->addButton(ui_->ScoreFormatGroupItem2, 2);
  InitPictureResources();
  ui_->IconImage->setPixmap(QPixmap(ApplicationIconPath(kIconSize)));
  SaveDialog1.title = QStringLiteral("Log file");
  SaveDialog1.filters = {QStringLiteral("Textfile (*.txt)"), QStringLiteral("All files (*)")};
  ui_->CheatCheckBox->installEventFilter(this);
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
  ui_->DirEdit->setText(Utf8(store.ReadSetting(kSettingsSection, key::LastDir, CurrentFolder())));
  ui_->LogFileEdit->setText(Utf8(store.ReadSetting(kSettingsSection, key::LogFile, DefaultLogFilePath())));
  const FlagBox flags[] = {
      {ui_->SaveFileNameCheckBox, key::SaveFilename, "1"},
      {ui_->SaveLogCheckBox, key::SaveLogFile, "1"},
      {ui_->ShowScoreCheckBox, key::ShowMissionScore, "1"},
      {ui_->ShowBonusCheckBox, key::ShowMissionBonus, "1"},
      {ui_->ShowTotalCheckBox, key::ShowMissionTotal, "1"},
      {ui_->ShowTimeCheckBox, key::ShowMissionTime, "0"},
      {ui_->CheatCheckBox, key::CheckCheat, "1"},
      {ui_->DetaildErrorsCheckBox, key::ShowErrorDetailes, "0"},
      {ui_->ShowZeroCheckBox, key::ShowZeroMissions, "0"},
      {ui_->IncludeDateCheckBox, key::IncludeDate, "0"},
      {ui_->MegaDetailsCheckBox, key::MegaDetails, "0"},
  };
  for (const FlagBox& flag : flags) flag.box->setChecked(ReadFlag(store, flag.key, flag.defaultValue));
  SetRadioGroupIndex(*nameSourceItems_, ReadChoice(store, key::NameSource, kNameSourceDefault));
  SetRadioGroupIndex(*scoreFormatItems_, ReadChoice(store, key::ScoreFormat, kScoreFormatDefault));
  UpdateDetailedErrorsEnabled();
}

void TSettingsDlg::OKBtnClick() {
  SettingsIni& store = session_.settings();
  const auto write = [&store](std::string_view key, const std::string& value) {
    store.WriteSetting(kSettingsSection, key, value);
  };
  const auto flagText = [](const QCheckBox* box) { return std::string(box->isChecked() ? "1" : "0"); };
  write(key::LastDir, ui_->DirEdit->text().toStdString());
  write(key::LogFile, ui_->LogFileEdit->text().toStdString());
  write(key::SaveFilename, flagText(ui_->SaveFileNameCheckBox));
  write(key::SaveLogFile, flagText(ui_->SaveLogCheckBox));
  write(key::ShowMissionScore, flagText(ui_->ShowScoreCheckBox));
  write(key::ShowMissionBonus, flagText(ui_->ShowBonusCheckBox));
  write(key::ShowMissionTotal, flagText(ui_->ShowTotalCheckBox));
  write(key::ShowMissionTime, flagText(ui_->ShowTimeCheckBox));
  write(key::CheckCheat, flagText(ui_->CheatCheckBox));
  write(key::ShowErrorDetailes, flagText(ui_->DetaildErrorsCheckBox));
  write(key::ShowZeroMissions, flagText(ui_->ShowZeroCheckBox));
  write(key::IncludeDate, flagText(ui_->IncludeDateCheckBox));
  write(key::MegaDetails, flagText(ui_->MegaDetailsCheckBox));
  write(key::NameSource, ChoiceText(RadioGroupIndex(*nameSourceItems_)));
  write(key::ScoreFormat, ChoiceText(RadioGroupIndex(*scoreFormatItems_)));
}

void TSettingsDlg::Default1Click() {
  ui_->DirEdit->setText(Utf8(HomeFolder()));
  ui_->SaveFileNameCheckBox->setChecked(true);
  ui_->ShowScoreCheckBox->setChecked(true);
  ui_->ShowBonusCheckBox->setChecked(true);
  ui_->ShowTimeCheckBox->setChecked(false);
  ui_->CheatCheckBox->setChecked(true);
  ui_->DetaildErrorsCheckBox->setEnabled(true);
  ui_->DetaildErrorsCheckBox->setChecked(false);
  ui_->ShowZeroCheckBox->setChecked(false);
  ui_->ShowTotalCheckBox->setChecked(true);
  ui_->MegaDetailsCheckBox->setChecked(false);
  ui_->IncludeDateCheckBox->setChecked(false);
  SetRadioGroupIndex(*nameSourceItems_, kNameSourceDefaultItem);
  SetRadioGroupIndex(*scoreFormatItems_, kScoreFormatDefaultItem);
  ui_->LogFileEdit->setText(Utf8(DefaultLogFilePath()));
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

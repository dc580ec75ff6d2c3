#pragma once

// The settings dialog: every setting of the store, loaded each time the dialog is shown and written
// back when OK is pressed. Cancel writes nothing.

#include <QDialog>
#include <memory>

#include "ui/settings_dialog/setting_controls.h"
#include "ui/shell/prompts.h"

namespace Ui {
class TSettingsDlg;
}

namespace orlenda {

class Session;

class TSettingsDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TSettingsDlg(Session& session, QWidget* parent = nullptr);
  ~TSettingsDlg() override;

  void FormActivate();
  void OKBtnClick();
  void Default1Click();
  void CheatCheckBoxEnter();
  void CheatCheckBoxMouseUp();
  void LogFileButtonClick();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectHandlers();
  void UpdateDetailedErrorsEnabled();

  std::unique_ptr<Ui::TSettingsDlg> ui_;
  Session& session_;
  SettingControls controls_;
  FileDialogState SaveDialog1;
};

}  // namespace orlenda

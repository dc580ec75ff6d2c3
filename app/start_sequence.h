#pragma once

// The program's windows, created in the order of the start sequence: the splash screen (shown and
// painted at once), the main window (whose FormCreate opens the settings store and loads the main
// log), the settings dialog, the about box and the pilot file view. One object of each for the run.

#include <memory>
#include <string>

#include "ui/main_window/main_unit.h"
#include "ui/pilot_view/plt_file.h"
#include "ui/settings_dialog/settings_dlg.h"
#include "ui/shell/session.h"
#include "ui/start/about.h"
#include "ui/start/splash.h"

namespace orlenda {

class StartSequence {
 public:
  StartSequence(Prompts& prompts, std::string settingsPath, const AboutLinks& links,
                TPltFileView::ContextSource context = {});
  ~StartSequence();

  Session session;
  std::unique_ptr<TSplashForm> SplashForm;
  std::unique_ptr<TForm1> Form1;
  std::unique_ptr<TSettingsDlg> SettingsDlg;
  std::unique_ptr<TAboutBox> AboutBox;
  std::unique_ptr<TPltFileView> PltFileView;
};

}  // namespace orlenda

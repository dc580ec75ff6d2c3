#pragma once

// The program's windows, created in the order of the start sequence: the splash screen (shown and
// painted at once), the main window (whose FormCreate opens the settings store and loads the main
// log), the settings dialog, the about box and the pilot file view. One object of each for the run.
// The desktop program shows its main window before the three windows that are not shown yet: the
// player sees it without waiting for them, and they exist before the event loop takes any input.

#include <memory>
#include <string>

#include "ui/main_window/main_unit.h"
#include "ui/pilot_view/plt_file.h"
#include "ui/settings_dialog/settings_dlg.h"
#include "ui/shell/session.h"
#include "ui/start/about.h"
#include "ui/start/splash.h"

namespace orlenda {

// Who shows the main window: the caller once the sequence is done (the tests and the screenshots), or
// the sequence itself, shown and painted before the windows that are not shown (the desktop program).
enum class MainWindowShown { kByTheCaller, kBeforeTheHiddenWindows };

class StartSequence {
 public:
  StartSequence(Prompts& prompts, std::string settingsPath, const AboutLinks& links,
                TPltFileView::ContextSource context = {},
                MainWindowShown mainWindowShown = MainWindowShown::kByTheCaller);
  ~StartSequence();

  Session session;
  std::unique_ptr<TSplashForm> SplashForm;
  std::unique_ptr<TForm1> Form1;
  std::unique_ptr<TSettingsDlg> SettingsDlg;
  std::unique_ptr<TAboutBox> AboutBox;
  std::unique_ptr<TPltFileView> PltFileView;
};

}  // namespace orlenda

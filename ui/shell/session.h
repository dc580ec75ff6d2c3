#pragma once

// What the windows of one run share: the prompts, the process-wide settings store and the
// process-wide references to the windows, each created once by the start sequence.

#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "settings/settings_ini.h"

class QDialog;
class QWidget;

namespace orlenda {

class Prompts;
class TPltFileView;

struct ShellWindows {
  QWidget* SplashForm = nullptr;
  QWidget* Form1 = nullptr;
  QDialog* SettingsDlg = nullptr;
  QDialog* AboutBox = nullptr;
  TPltFileView* PltFileView = nullptr;
};

class Session {
 public:
  // The store is not created yet: the main window creates it at start-up.
  Session(Prompts& prompts, std::string settingsPath);

  Prompts& prompts() const { return prompts_; }

  // Creates the store anew on the settings file; the new object replaces the process-wide one. It
  // caches nothing, so nothing is lost.
  void OpenSettings();

  // The process-wide store (opened on first use if no window has opened it yet).
  SettingsIni& settings();

  // The window that a box about `preferred`'s work is centred over: `preferred` while it is on screen,
  // else the main window, else the splash screen while the program starts. A hidden window would put
  // the box at the corner of the screen.
  QWidget* BoxOwner(QWidget* preferred) const;

  ShellWindows windows;

 private:
  Prompts& prompts_;
  std::string settingsPath_;
  std::unique_ptr<SettingsIni> store_;
};

// The folder that the program was started in, the default of LastDir.
std::string CurrentFolder();

// The core names a file by its bytes: UTF-8 on every system, and on Linux whatever bytes the name
// holds. LocalPath gives those bytes, with the system's separators, for a path that Qt handed over
// (a dialog, a drop, a setting); a path that the core gave (a folder's listing) is kept as it is for
// every open, append and save.
std::string LocalPath(const QString& path);
// The path for Qt's own file calls (the file system watcher): a name that is not UTF-8 reaches Qt
// altered, so nothing is opened or written through it.
QString QtPath(const std::string& path);
// The path as the player reads it, in titles, tables and boxes: through the one escaping function, so
// that a control character or a byte that is not UTF-8 shows as "\xNN", and with the system's own
// separators (backslashes on Windows, as the command line and Explorer show them).
QString DisplayPath(const std::string& path);
// A message of the core for a box: each line escaped as DisplayPath escapes a path, its line breaks
// kept.
QString DisplayMessage(std::string_view message);

}  // namespace orlenda

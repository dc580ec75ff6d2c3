#pragma once

// What the windows of one run share: the prompts, the process-wide settings store and the
// process-wide references to the windows, each created once by the start sequence.

#include <QString>
#include <memory>
#include <string>

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

// A file path for the core's file calls (UTF-8) from the text shown to the user, and back. Every path
// that the windows hand to the core goes through LocalPath.
std::string LocalPath(const QString& path);
QString DisplayPath(const std::string& path);

}  // namespace orlenda

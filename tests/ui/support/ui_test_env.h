#pragma once

// What the window tests share: a throw-away home, config and working folder for each test, pilot
// files made by the generator, whole-file reads, finding widgets by object name, and acting on a modal
// dialog once its event loop runs.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pilot/pilot_record.h"

namespace orlenda::test {

// HOME, XDG_CONFIG_HOME, XDG_DATA_HOME (on Windows USERPROFILE, APPDATA and LOCALAPPDATA) and the
// working folder point into a fresh temporary folder for the object's life, so that no test touches the
// user's settings, main log or history.
class TestHome {
 public:
  TestHome();
  ~TestHome();  // puts the variables and the working folder back

  QString Home() const;                     // $HOME
  QString SettingsFile() const;             // $XDG_CONFIG_HOME/orlenda3001.ini
  QString LogFile() const;                  // ~/ORLENDA_MainLog.txt, the default main log
  QString WorkingFolder() const;            // the current folder while the object lives
  QString File(const QString& name) const;  // a file in the working folder

 private:
  // Points an environment variable at `value`, remembering the old value for the destructor.
  void Redirect(const char* name, const QString& value);

  QTemporaryDir root_;
  std::vector<std::pair<const char*, std::optional<QByteArray>>> oldVariables_;
  QString oldWorkingFolder_;
};

// Writes a pilot file holding the record's fields. Returns the path.
QString WritePilot(const QString& path, const PilotRecord& record);
QString WriteSamplePilot(const QString& path);

// A path as the windows show it: with the system's own separators (backslashes on Windows).
QString ShownPath(const QString& path);

QByteArray ReadAll(const QString& path);  // empty when missing
void WriteAll(const QString& path, const QByteArray& bytes);

// The widget under `root` with that object name and type, or nullptr.
template <typename Widget>
Widget* Find(const QWidget& root, const char* name) {
  return root.findChild<Widget*>(QString::fromLatin1(name));
}

// Runs `action` on the modal dialog as soon as one is shown (from inside its event loop), once.
void WhenModalShown(std::function<void(QWidget&)> action);

// Clicks a button of `root` by object name.
void Click(const QWidget& root, const char* name);

}  // namespace orlenda::test

#pragma once

// Qt's file dialog keeps state of its own (the last folder, its history, the view) in Qt's shared
// settings, QtProject: on Windows the registry key HKCU\Software\QtProject, elsewhere the file
// QtProject.conf in the settings folder, read and written by every Qt program of the user. The
// program keeps its state in its own settings file only, so each dialog runs inside this guard,
// which puts Qt's settings back as they were once the dialog is gone: removed when there were none,
// else the dialog's group as it stood.

#include <QMap>
#include <QString>
#include <QVariant>

namespace orlenda {

// Whether the user has any of Qt's shared settings, and their removal.
bool QtSharedSettingsExist();
void RemoveQtSharedSettings();

class QtDialogStateGuard {
 public:
  QtDialogStateGuard();
  ~QtDialogStateGuard();  // after the dialog's own end, which writes its state
  QtDialogStateGuard(const QtDialogStateGuard&) = delete;
  QtDialogStateGuard& operator=(const QtDialogStateGuard&) = delete;

 private:
  bool storeExisted_ = false;
  QMap<QString, QVariant> dialogValues_;  // the dialog's group before it ran
};

}  // namespace orlenda

#include "ui/shell/qt_dialog_state.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace orlenda {
namespace {

const QString kQtOrganization = QStringLiteral("QtProject");
const QString kDialogGroup = QStringLiteral("FileDialog");

// Qt's shared settings as its file dialog opens them (the user's own, without the system's
// fallback).
class QtSharedSettings : public QSettings {
 public:
  QtSharedSettings() : QSettings(QSettings::UserScope, kQtOrganization) { setFallbacksEnabled(false); }
};

#ifdef Q_OS_WIN
// The registry key under which Qt keeps the settings of each organisation.
QSettings UserSoftwareKey() {
  return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat);
}
#endif

}  // namespace

bool QtSharedSettingsExist() {
#ifdef Q_OS_WIN
  return UserSoftwareKey().childGroups().contains(kQtOrganization, Qt::CaseInsensitive);
#else
  return QFileInfo::exists(QtSharedSettings().fileName());
#endif
}

void RemoveQtSharedSettings() {
#ifdef Q_OS_WIN
  UserSoftwareKey().remove(kQtOrganization);
#else
  QFile::remove(QtSharedSettings().fileName());
#endif
}

QtDialogStateGuard::QtDialogStateGuard() : storeExisted_(QtSharedSettingsExist()) {
  if (!storeExisted_) return;
  QtSharedSettings settings;
  settings.beginGroup(kDialogGroup);
  const QStringList keys = settings.allKeys();
  for (const QString& key : keys) dialogValues_.insert(key, settings.value(key));
}

QtDialogStateGuard::~QtDialogStateGuard() {
  if (!storeExisted_) {
    RemoveQtSharedSettings();
    return;
  }
  QtSharedSettings settings;
  settings.remove(kDialogGroup);
  settings.beginGroup(kDialogGroup);
  for (auto value = dialogValues_.cbegin(); value != dialogValues_.cend(); ++value)
    settings.setValue(value.key(), value.value());
  settings.endGroup();
  settings.sync();
}

}  // namespace orlenda

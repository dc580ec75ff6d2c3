#include "ui/session.h"

#include <QDir>
#include <QFile>

namespace orlenda {

Session::Session(Prompts& prompts, std::string settingsPath)
    : prompts_(prompts), settingsPath_(std::move(settingsPath)) {}

void Session::OpenSettings() { store_ = std::make_unique<SettingsIni>(settingsPath_); }

SettingsIni& Session::settings() {
  if (!store_) OpenSettings();
  return *store_;
}

std::string CurrentFolder() { return LocalPath(QDir::currentPath()); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace orlenda

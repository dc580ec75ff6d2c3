#include "ui/shell/session.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <algorithm>

#include "base/display_text.h"
#include "ui/shell/lock_wait_prompt.h"

namespace orlenda {

Session::Session(Prompts& prompts, std::string settingsPath)
    : prompts_(prompts), settingsPath_(std::move(settingsPath)) {}

// A write of the store that finds the file locked waits as every save of the windows does: the windows
// go on painting, and after about a second a box names the file, whose Cancel fails the write.
void Session::OpenSettings() {
  store_ = std::make_unique<SettingsIni>(settingsPath_);
  store_->UseLockWaits(
      [this] { return LockWaitPrompt::MakeWait(BoxOwner(QApplication::activeModalWidget())); });
}

SettingsIni& Session::settings() {
  if (!store_) OpenSettings();
  return *store_;
}

QWidget* Session::BoxOwner(QWidget* preferred) const {
  for (QWidget* window : {preferred, windows.Form1, windows.SplashForm}) {
    if (window != nullptr && window->isVisible()) return window;
  }
  return windows.Form1 != nullptr ? windows.Form1 : preferred;
}

std::string CurrentFolder() { return LocalPath(QDir::currentPath()); }

// UTF-8 on every system: the core's file calls take UTF-8 paths (on Windows they widen them to UTF-16),
// so a name in any script reaches the file system whole, whatever the system's code page. With the
// system's separators, so that the core's messages name the file as the player writes it (Qt hands
// over "C:/Games/..." on Windows).
std::string LocalPath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

QString QtPath(const std::string& path) { return QString::fromStdString(path); }

QString DisplayPath(const std::string& path) {
  return QDir::toNativeSeparators(QString::fromStdString(EscapedText(path)));
}

QString DisplayMessage(std::string_view message) {
  std::string shown;
  shown.reserve(message.size());
  for (std::size_t start = 0; start <= message.size();) {
    const std::size_t end = std::min(message.find('\n', start), message.size());
    if (start > 0) shown += '\n';
    shown += EscapedText(message.substr(start, end - start));
    start = end + 1;
  }
  return QString::fromStdString(shown);
}

}  // namespace orlenda

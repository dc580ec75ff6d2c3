#include "ui_test_env.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "support/file_contents.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"

namespace orlenda::test {

namespace {
constexpr int kModalPollMilliseconds = 5;
}

TestHome::TestHome() : oldWorkingFolder_(QDir::currentPath()) {
  if (!root_.isValid()) throw std::runtime_error("cannot create a temporary folder");
  const QDir root(root_.path());
  for (const char* folder : {"home", "config", "pilots", "data"}) root.mkpath(QString::fromLatin1(folder));
  const QString config = root.filePath(QStringLiteral("config"));
  const QString data = root.filePath(QStringLiteral("data"));
  Redirect("HOME", Home());
  Redirect("XDG_CONFIG_HOME", config);
  Redirect("XDG_DATA_HOME", data);
#ifdef Q_OS_WIN
  Redirect("USERPROFILE", Home());
  Redirect("APPDATA", QDir::toNativeSeparators(config));
  Redirect("LOCALAPPDATA", QDir::toNativeSeparators(data));
#endif
  QDir::setCurrent(WorkingFolder());
}

TestHome::~TestHome() {
  QDir::setCurrent(oldWorkingFolder_);
  for (const auto& [name, value] : oldVariables_) {
    if (value) {
      qputenv(name, *value);
    } else {
      qunsetenv(name);
    }
  }
}

void TestHome::Redirect(const char* name, const QString& value) {
  oldVariables_.emplace_back(name,
                             qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
  qputenv(name, QFile::encodeName(value));
}

// The home, settings and log paths as the program finds them: with the system's separators, since on
// Windows they come from %USERPROFILE% and %APPDATA%.
QString TestHome::Home() const {
  return QDir::toNativeSeparators(QDir(root_.path()).filePath(QStringLiteral("home")));
}

QString TestHome::SettingsFile() const {
  return QDir::toNativeSeparators(QDir(root_.path()).filePath(QStringLiteral("config/orlenda3001.ini")));
}

QString TestHome::LogFile() const {
  return QDir::toNativeSeparators(QDir(Home()).filePath(QStringLiteral("ORLENDA_MainLog.txt")));
}

QString TestHome::WorkingFolder() const { return QDir(root_.path()).filePath(QStringLiteral("pilots")); }

QString TestHome::File(const QString& name) const { return QDir(WorkingFolder()).filePath(name); }

QString WritePilot(const QString& path, const PilotRecord& record) {
  if (!tools::WriteBytesToFile(QFile::encodeName(path).toStdString(), tools::EncodePilotFile(record))) {
    throw std::runtime_error("cannot write a pilot file");
  }
  return path;
}

QString WriteSamplePilot(const QString& path) { return WritePilot(path, tools::SamplePilotRecord()); }

QString ShownPath(const QString& path) { return QDir::toNativeSeparators(path); }

QByteArray ReadAll(const QString& path) {
  const std::vector<std::uint8_t> bytes = ReadByteVector(path.toStdString());
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  WriteBytes(path.toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void WhenModalShown(std::function<void(QWidget&)> action) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(kModalPollMilliseconds);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, action = std::move(action)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(*modal);
  });
  timer->start();
}

void Click(const QWidget& root, const char* name) {
  auto* button = Find<QAbstractButton>(root, name);
  if (button == nullptr) throw std::runtime_error(std::string("no button ") + name);
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace orlenda::test

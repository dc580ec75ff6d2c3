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

TestHome::TestHome()
    : oldHome_(qgetenv("HOME")),
      oldConfig_(qgetenv("XDG_CONFIG_HOME")),
      oldWorkingFolder_(QDir::currentPath()) {
  if (!root_.isValid()) throw std::runtime_error("cannot create a temporary folder");
  const QDir root(root_.path());
  for (const char* folder : {"home", "config", "pilots"}) root.mkpath(QString::fromLatin1(folder));
  qputenv("HOME", QFile::encodeName(Home()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("config"))));
  QDir::setCurrent(WorkingFolder());
}

TestHome::~TestHome() {
  QDir::setCurrent(oldWorkingFolder_);
  qputenv("HOME", oldHome_);
  if (oldConfig_.isEmpty()) {
    qunsetenv("XDG_CONFIG_HOME");
  } else {
    qputenv("XDG_CONFIG_HOME", oldConfig_);
  }
}

QString TestHome::Home() const { return QDir(root_.path()).filePath(QStringLiteral("home")); }

QString TestHome::SettingsFile() const {
  return QDir(root_.path()).filePath(QStringLiteral("config/orlenda3001.ini"));
}

QString TestHome::LogFile() const { return QDir(Home()).filePath(QStringLiteral("ORLENDA_MainLog.txt")); }

QString TestHome::WorkingFolder() const { return QDir(root_.path()).filePath(QStringLiteral("pilots")); }

QString TestHome::File(const QString& name) const { return QDir(WorkingFolder()).filePath(name); }

QString WritePilot(const QString& path, const PilotRecord& record) {
  if (!tools::WriteBytesToFile(QFile::encodeName(path).toStdString(), tools::EncodePilotFile(record))) {
    throw std::runtime_error("cannot write a pilot file");
  }
  return path;
}

QString WriteSamplePilot(const QString& path) { return WritePilot(path, tools::SamplePilotRecord()); }

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

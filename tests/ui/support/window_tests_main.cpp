// Runs every window test object linked into this program, in the order they were registered, as
// QTEST_MAIN runs one. With ORLENDA_TEST_OUTPUT_DIR set, each object's results go to
// <folder>/<object>.txt (Qt Test's console output does not reach a pipe under Wine).

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "window_test_main.h"

namespace orlenda::test {

namespace {

std::vector<std::pair<const char*, TestObjectMaker>>& Registered() {
  static std::vector<std::pair<const char*, TestObjectMaker>> tests;
  return tests;
}

QStringList ArgumentsFor(const char* name) {
  QStringList arguments = QCoreApplication::arguments();
  const QString folder = qEnvironmentVariable("ORLENDA_TEST_OUTPUT_DIR");
  if (!folder.isEmpty()) {
    arguments << QStringLiteral("-o")
              << QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".txt,txt"));
  }
  return arguments;
}

}  // namespace

bool RegisterWindowTest(const char* name, TestObjectMaker make) {
  Registered().emplace_back(name, std::move(make));
  return true;
}

}  // namespace orlenda::test

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setAttribute(Qt::AA_Use96Dpi, true);
  int failed = 0;
  for (const auto& [name, make] : orlenda::test::Registered()) {
    const std::unique_ptr<QObject> test = make();
    const int result = QTest::qExec(test.get(), orlenda::test::ArgumentsFor(name));
    std::fprintf(stderr, "%s: %s\n", name, result == 0 ? "passed" : "FAILED");
    if (result != 0) ++failed;
  }
  return failed == 0 ? 0 : 1;
}

#pragma once

// The main() of a window test program. Each test file names its test object here; built alone, the
// file is a Qt Test program of its own (QTEST_MAIN). Built together with the others into one program
// (ORLENDA_WINDOW_TESTS_IN_ONE_PROGRAM, where each statically linked program is large and slow to link),
// the file registers its test object and window_tests_main.cpp runs them all, one after the other.

#include <QObject>
#include <QTest>
#include <functional>
#include <memory>

namespace orlenda::test {

using TestObjectMaker = std::function<std::unique_ptr<QObject>()>;

// Adds a test object to the combined program's list; returns true so that it can start a static.
bool RegisterWindowTest(const char* name, TestObjectMaker make);

}  // namespace orlenda::test

#ifdef ORLENDA_WINDOW_TESTS_IN_ONE_PROGRAM
#define ORLENDA_WINDOW_TEST_MAIN(TestObject)                                   \
  namespace {                                                                  \
  const bool kRegistered##TestObject = orlenda::test::RegisterWindowTest(      \
      #TestObject, [] { return std::unique_ptr<QObject>(new TestObject()); }); \
  }
#else
#define ORLENDA_WINDOW_TEST_MAIN(TestObject) QTEST_MAIN(TestObject)
#endif

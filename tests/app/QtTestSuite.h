#pragma once
// The window's Qt tests are one program: every test class registers itself with HQ_TEST_CLASS, and
// the program runs the class its first argument names, handing the other arguments to QTest.
//   hq_window_tests TestMainWindow [QTest options and test functions]

#include <QObject>

#include <memory>

namespace hq::test {

using TestClassFactory = std::unique_ptr<QObject> (*)();

// Registers a test class under its name; returns true so it can initialise a variable.
bool registerTestClass(const char* name, TestClassFactory factory);

} // namespace hq::test

#define HQ_TEST_CLASS(TestObject)                                                                            \
    namespace {                                                                                              \
    [[maybe_unused]] const bool registered##TestObject = ::hq::test::registerTestClass(                      \
        #TestObject, []() -> std::unique_ptr<QObject> { return std::make_unique<TestObject>(); });           \
    }

// The program of the window's Qt tests: runs the registered test class named by the first argument
// in a QApplication set up as QTEST_MAIN sets it up, with settings of its own.

#include "QtTestSuite.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::map<std::string, hq::test::TestClassFactory>& testClasses() {
    static std::map<std::string, hq::test::TestClassFactory> classes;
    return classes;
}

} // namespace

bool hq::test::registerTestClass(const char* name, TestClassFactory factory) {
    return testClasses().emplace(name, factory).second;
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);

    const auto found = argc > 1 ? testClasses().find(argv[1]) : testClasses().end();
    if (found == testClasses().end()) {
        std::fprintf(stderr, "usage: %s TESTCLASS [QTest arguments]\ntest classes:\n", argv[0]);
        for (const auto& [name, factory] : testClasses())
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    // Each class keeps its settings (the recent files) apart, in the test location, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("HEX Quendrabolt Test"));
    QCoreApplication::setApplicationName(QString::fromLatin1(argv[1]));
    const std::unique_ptr<QObject> testObject = found->second();
    // QTest sees the program name and the arguments after the class name.
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    return QTest::qExec(testObject.get(), static_cast<int>(arguments.size()), arguments.data());
}

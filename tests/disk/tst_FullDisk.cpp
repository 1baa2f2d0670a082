// Saving from the window onto a full disk: the German message, and the old file intact. Run by
// full_disk_test.sh inside a tiny tmpfs; HQ_SOURCE is the firmware to load, HQ_TARGET the file to
// overwrite.

#include "../app/main/FakeDialogs.h"
#include "main/AppFactory.h"
#include "main/FileController.h"
#include "main/TFormMain.h"

#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

class TestFullDisk : public QObject {
    Q_OBJECT
private slots:
    // The recent files go to the test location, never into the user's settings.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void saveOntoAFullDiskKeepsTheOldFile();
};

void TestFullDisk::saveOntoAFullDiskKeepsTheOldFile() {
    const QString source = qEnvironmentVariable("HQ_SOURCE");
    const QString target = qEnvironmentVariable("HQ_TARGET");
    if (source.isEmpty() || target.isEmpty())
        QSKIP("run by full_disk_test.sh");
    QFile old(target);
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray before = old.readAll();
    old.close();

    FakeDialogs dialogs;
    Dialogs::install(&dialogs);
    auto window = createMainWindow();
    QVERIFY(window->loadFile(source));
    window->findChild<QLineEdit*>(QStringLiteral("edt_adresse_1"))->setText(QStringLiteral("42"));
    dialogs.saveNames = {target};
    window->files()->save();
    Dialogs::install(nullptr);

    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY2(dialogs.messages.constFirst().text.startsWith(
                 QStringLiteral("Das HEX-File konnte nicht gespeichert werden:")),
             qPrintable(dialogs.messages.constFirst().text));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), before);
}

QTEST_MAIN(TestFullDisk)
#include "tst_FullDisk.moc"

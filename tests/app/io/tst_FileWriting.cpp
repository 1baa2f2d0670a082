// Every file the window writes goes through one function: a read-only target is replaced only after
// "Die Datei ist schreibgeschützt. Trotzdem ersetzen?" is answered with Yes, other hard links are
// named before the write, and a failed write shows its German reason and leaves the old file.

#include "FakeDialogs.h"
#include "FileWriting.h"
#include "QtTestSuite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writePlain(const QString& path, const QByteArray& data) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

} // namespace

class TestFileWriting : public QObject {
    Q_OBJECT
private slots:
    void init() { Dialogs::install(&dialogs_); }
    void cleanup() {
        Dialogs::install(nullptr);
        dialogs_ = FakeDialogs();
    }

    void aReadOnlyTargetIsReplacedOnlyWhenTheUserAgrees() {
        const QString path = folder_.filePath(QStringLiteral("decoder.hex"));
        writePlain(path, "old");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));

        dialogs_.answers = {QMessageBox::No};
        QVERIFY(!writeFileAsking(nullptr, path, "new"));
        QCOMPARE(dialogs_.messageTexts(),
                 QStringList{QStringLiteral("Die Datei ist schreibgeschützt. Trotzdem ersetzen?")});
        QCOMPARE(contentOf(path), QByteArray("old"));

        dialogs_.messages.clear();
        dialogs_.answers = {QMessageBox::Yes};
        QVERIFY(writeFileAsking(nullptr, path, "new"));
        QCOMPARE(dialogs_.messages.size(), 1);
        QCOMPARE(contentOf(path), QByteArray("new"));
        QVERIFY2(!(QFile::permissions(path) & QFileDevice::WriteOwner), "the file keeps its own mode");
    }

    void otherHardLinksAreNamed() {
        const QString path = folder_.filePath(QStringLiteral("a.hex"));
        const QString other = folder_.filePath(QStringLiteral("b.hex"));
        writePlain(path, "old");
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
        QVERIFY(writeFileAsking(nullptr, path, "new"));
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY2(dialogs_.messages.first().text.contains(QStringLiteral("2 Namen (harte Verknüpfungen)")),
                 qPrintable(dialogs_.messages.first().text));
        QCOMPARE(contentOf(path), QByteArray("new"));
        QCOMPARE(contentOf(other), QByteArray("old"));
    }

    void aFailedWriteShowsWhyAndKeepsNothingElse() {
        const QString path = folder_.filePath(QStringLiteral("missing/decoder.hex"));
        QVERIFY(!writeFileAsking(nullptr, path, "new",
                                 QStringLiteral("Das HEX-File konnte nicht gespeichert werden:")));
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY(dialogs_.messages.first().text.startsWith(
            QStringLiteral("Das HEX-File konnte nicht gespeichert werden:\n\n")));
        QVERIFY(!QFile::exists(path));
    }

private:
    FakeDialogs dialogs_;
    QTemporaryDir folder_;
};

HQ_TEST_CLASS(TestFileWriting)
#include "tst_FileWriting.moc"

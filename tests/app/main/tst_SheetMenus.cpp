// "Drucken…" and "Als PDF speichern…" print the settings sheet of what the window shows, edits not
// yet saved included.

#include "FakeDialogs.h"
#include "QtTestSuite.h"
#include "WindowTestSupport.h"
#include "main/AppFactory.h"
#include "main/MainMenu.h"
#include "main/ParameterGridBox.h"
#include "main/TFormMain.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestSheetMenus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }
    void init() {
        dialogs_ = FakeDialogs();
        Dialogs::install(&dialogs_);
        dir_ = std::make_unique<QTemporaryDir>();
        window_ = createMainWindow();
        window_->show();
        QVERIFY(window_->loadFile(windowtest::writeDemo(*dir_, 31, hq::Protocol::DCC)));
        QLineEdit* address = window_->grid()->addressEdit(2);
        address->selectAll();
        QTest::keyClicks(address, QStringLiteral("1234"));
    }
    void cleanup() {
        window_.reset();
        Dialogs::install(nullptr);
    }

    void pdfHoldsWhatTheWindowShows() {
        const QString pdf = dir_->filePath(QStringLiteral("blatt.pdf"));
        dialogs_.saveNames = {pdf};
        window_->mainMenu()->pdf->trigger();
        QCOMPARE(dialogs_.saveCalls.constFirst().proposedName, QStringLiteral("demo-31.pdf"));
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("Relaisdekoder 8")));
        QVERIFY(text.contains(QStringLiteral("1234")));
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void printingGoesToTheChosenPrinter() {
        window_->mainMenu()->print->trigger(); // cancelled: nothing printed
        dialogs_.printFile = dir_->filePath(QStringLiteral("gedruckt.pdf"));
        QVERIFY(!QFile::exists(dialogs_.printFile));
        window_->mainMenu()->print->trigger();
        QVERIFY(pdfText(dialogs_.printFile).contains(QStringLiteral("1234")));
    }

private:
    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
};

HQ_TEST_CLASS(TestSheetMenus)
#include "tst_SheetMenus.moc"

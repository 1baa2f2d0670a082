// Help with addresses in the window: the column headings, the help line of the row a user is in,
// the help and warnings in the tooltips and amber marks (never a refusal), and "Adressen ab hier
// fortlaufend" as one undo step.

#include "FakeDialogs.h"
#include "QtTestSuite.h"
#include "WindowTestSupport.h"
#include "document/FirmwareDocument.h"
#include "main/AppFactory.h"
#include "main/FileController.h"
#include "main/MainMenu.h"
#include "main/ParameterGridBox.h"
#include "main/TFormMain.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

class TestAddressHelp : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs_ = FakeDialogs();
        Dialogs::install(&dialogs_);
        dir_ = std::make_unique<QTemporaryDir>();
        window_ = createMainWindow();
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() {
        window_.reset();
        Dialogs::install(nullptr);
    }

    void headingsNameTheColumns() {
        open(31);
        QCOMPARE(label("lbl_heading_adresse_1")->text(), QStringLiteral("Adresse"));
        QCOMPARE(label("lbl_heading_wahl_1")->text(), QStringLiteral("R/G"));
        QVERIFY(label("lbl_heading_adresse_1")->isVisible());
        QVERIFY(!label("lbl_heading_adresse_2")->isVisible()); // one column only
        open(6);
        QCOMPARE(label("lbl_heading_wahl_1")->text(), QStringLiteral("Funktion"));
        open(19); // the turntable fills a second column
        QVERIFY(label("lbl_heading_adresse_2")->isVisible());
    }

    void theHelpLineFollowsTheFocusedRow() {
        open(31);
        QLabel* help = window_->grid()->helpLine();
        QVERIFY(help->isVisible());
        QVERIFY(help->text().startsWith(QStringLiteral("Out 1: DCC-Zubehöradresse ")));
        window_->grid()->addressEdit(4)->setFocus();
        QVERIFY(help->text().startsWith(QStringLiteral("Out 4: ")));
        QVERIFY(help->text().contains(QStringLiteral("Dekoder ")));
    }

    void warningsAreMarkedNeverRefused() {
        open(31);
        QLineEdit* address = window_->grid()->addressEdit(2);
        QLabel* mark = window_->grid()->warningMark(2);
        QVERIFY(!mark->isVisible());
        type(address, QStringLiteral("2041"));
        QVERIFY(mark->isVisible());
        QVERIFY(tip(mark).contains(QStringLiteral("Dekoder 511")));
        QVERIFY(tip(address).contains(QStringLiteral("Dekoder 511, Ausgang 1")));
        QVERIFY(window_->grid()->helpLine()->text().contains(QStringLiteral("⚠")));

        // The same address and colour as row 1: both rows are marked.
        const QString first = window_->grid()->addressEdit(1)->text();
        type(address, first);
        if (window_->document()->edited().rows[2].redGreen != window_->document()->edited().rows[1].redGreen)
            window_->grid()->redGreenButton(2)->click();
        QVERIFY(mark->isVisible());
        QVERIFY(tip(mark).contains(QStringLiteral("auch in Zeile 1")));
        QVERIFY(tip(window_->grid()->warningMark(1)).contains(QStringLiteral("auch in Zeile 2")));

        // A warning is no refusal: the file saves.
        const QString target = dir_->filePath(QStringLiteral("saved.hex"));
        dialogs_.saveNames = {target};
        window_->files()->save();
        QVERIFY(QFile::exists(target));

        type(address, QStringLiteral("500"));
        QVERIFY(!mark->isVisible());
    }

    void consecutiveAddressesAreOneStep() {
        open(31);
        QLineEdit* second = window_->grid()->addressEdit(2);
        type(second, QStringLiteral("100"));
        second->setFocus();
        const int steps = window_->document()->undoStack()->count();
        window_->mainMenu()->consecutiveAddresses->trigger();
        for (int row = 3; row <= 9; ++row)
            QCOMPARE(window_->grid()->addressEdit(row)->text(), QString::number(98 + row));
        QCOMPARE(window_->grid()->addressEdit(1)->text(), QString::number(hq::kDemoSwitchingAddress));
        QCOMPARE(window_->document()->undoStack()->count(), steps + 1);
        window_->mainMenu()->undo->trigger();
        QCOMPARE(window_->grid()->addressEdit(3)->text(), QString::number(hq::kDemoSwitchingAddress + 2));

        // Beyond the highest address nothing changes.
        type(second, QStringLiteral("2040"));
        second->setFocus();
        window_->mainMenu()->consecutiveAddresses->trigger();
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY(dialogs_.messages.constFirst().text.contains(QStringLiteral("die höchste Adresse ist 2044")));
        QCOMPARE(window_->grid()->addressEdit(3)->text(), QString::number(hq::kDemoSwitchingAddress + 2));
    }

private:
    void open(int kind) { QVERIFY(window_->loadFile(windowtest::writeDemo(*dir_, kind, hq::Protocol::DCC))); }
    QLabel* label(const char* name) const { return window_->findChild<QLabel*>(QString::fromLatin1(name)); }
    // A tooltip as one line: long tooltips are wrapped at blanks.
    static QString tip(const QWidget* widget) {
        return widget->toolTip().replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    static void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
};

HQ_TEST_CLASS(TestAddressHelp)
#include "tst_AddressHelp.moc"

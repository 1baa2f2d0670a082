// The grid and the extra value as views of the document: a number typed another way is no change,
// a blank or out-of-range field is marked at once and never pops up a box, the grid shows only the
// rows a change names (a stroke or any editor change shows none, nor works out the address help
// again), the status bar is written from the document and never read back, and the window goes away
// cleanly while an address field has the focus.

#include "AddressHelpPresenter.h"
#include "ChangeMark.h"
#include "FakeDialogs.h"
#include "QtTestSuite.h"
#include "WindowTestSupport.h"
#include "document/FirmwareDocument.h"
#include "main/AppFactory.h"
#include "main/FileController.h"
#include "main/MainMenu.h"
#include "main/ParameterGridBox.h"
#include "main/TFormMain.h"
#include "main/ZusatzPanel.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

class TestGridViews : public QObject {
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
        dir_.reset();
    }

    void aNumberSpeltAnotherWayIsNoChange_data();
    void aNumberSpeltAnotherWayIsNoChange();
    void afterASaveUndoNeverShowsASpellingAlone();
    void clearedOrTooLargeFieldsAreMarkedWithoutABox_data();
    void clearedOrTooLargeFieldsAreMarkedWithoutABox();
    void editorChangesShowNoGridRow_data();
    void editorChangesShowNoGridRow();
    void aTypedAddressShowsItsRowOnly();
    void theHelpLineFollowsTheFocusWithoutWorkingOutEveryRow();
    void theStatusBarIsWrittenFromTheDocument();
    void theWindowGoesAwayWhileAnAddressFieldHasTheFocus();

private:
    void open(int kind, hq::Protocol protocol = hq::Protocol::DCC) {
        QVERIFY(window_->loadFile(windowtest::writeDemo(*dir_, kind, protocol)));
    }
    static void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    AddressHelpPresenter* help() const { return window_->findChild<AddressHelpPresenter*>(); }
    FirmwareDocument* document() const { return window_->document(); }

    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
};

void TestGridViews::aNumberSpeltAnotherWayIsNoChange_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("field");
    QTest::newRow("address") << 31 << QStringLiteral("edt_adresse_1");
    QTest::newRow("function") << 6 << QStringLiteral("edt_funktion_2");
    QTest::newRow("extra value") << 31 << QStringLiteral("edt_zusatz");
}

void TestGridViews::aNumberSpeltAnotherWayIsNoChange() {
    QFETCH(int, kind);
    QFETCH(QString, field);
    open(kind);
    auto* edit = window_->findChild<NumberField*>(field);
    QVERIFY(edit != nullptr && edit->isVisible());
    const QString loaded = edit->text();
    const QString title = window_->windowTitle();
    const QStringList spellings{QStringLiteral("0") + loaded, QStringLiteral("+") + loaded,
                                QStringLiteral("00") + loaded + QStringLiteral(" ")};
    for (const QString& spelling : spellings) {
        type(edit, spelling);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(edit->text(), spelling); // what the user typed stays as typed
        QVERIFY(!window_->isWindowModified());
        QCOMPARE(window_->windowTitle(), title);
        QVERIFY(!hasChangeMark(edit));
        QVERIFY(!edit->isOutOfRange());
        QCOMPARE(document()->undoStack()->count(), 0);
        QVERIFY(!window_->mainMenu()->undo->isEnabled());
    }
    QCOMPARE(dialogs_.messageTexts(), QStringList{});
}

void TestGridViews::afterASaveUndoNeverShowsASpellingAlone() {
    open(31);
    NumberField* address = window_->grid()->addressEdit(1);
    const QString loaded = address->text();
    type(address, QStringLiteral("0777"));
    QCOMPARE(document()->undoStack()->count(), 1);
    const QString target = dir_->filePath(QStringLiteral("saved.hex"));
    dialogs_.saveNames = {target};
    QVERIFY(window_->files()->save());
    // The file holds 777 as typed: no step to make the window show what the file holds.
    QCOMPARE(document()->undoStack()->count(), 1);
    QVERIFY(!window_->isWindowModified());
    QVERIFY(!hasChangeMark(address));
    // One undo: the value before the edit, which the saved file does not hold.
    window_->mainMenu()->undo->trigger();
    QCOMPARE(address->text(), loaded);
    QVERIFY(window_->isWindowModified());
    QVERIFY(hasChangeMark(address));
    window_->mainMenu()->redo->trigger();
    QVERIFY(!window_->isWindowModified());
    QCOMPARE(document()->grid().row(1).address, hq::FieldValue(777));
}

void TestGridViews::clearedOrTooLargeFieldsAreMarkedWithoutABox_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("tooLarge");
    QTest::newRow("address") << 31 << QStringLiteral("edt_adresse_2") << QStringLiteral("2045");
    QTest::newRow("function") << 6 << QStringLiteral("edt_funktion_1") << QStringLiteral("13");
    QTest::newRow("extra value") << 31 << QStringLiteral("edt_zusatz") << QStringLiteral("256");
}

void TestGridViews::clearedOrTooLargeFieldsAreMarkedWithoutABox() {
    QFETCH(int, kind);
    QFETCH(QString, field);
    QFETCH(QString, tooLarge);
    open(kind);
    auto* edit = window_->findChild<NumberField*>(field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString());
    QVERIFY(edit->isOutOfRange());
    QVERIFY(rangeProblemOf(edit).startsWith(QStringLiteral("Erlaubt sind nur Zahlen von ")));
    QVERIFY(window_->isWindowModified()); // kept for the save to report
    QTest::keyClicks(edit, tooLarge);
    QVERIFY(edit->isOutOfRange());
    QVERIFY(edit->toolTip().contains(rangeProblemOf(edit)));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QVERIFY(!edit->isOutOfRange());
    QVERIFY(rangeProblemOf(edit).isEmpty());
    QTest::keyClick(edit, Qt::Key_Tab); // leaving the field asks nothing either
    QCOMPARE(dialogs_.messageTexts(), QStringList{});
}

void TestGridViews::editorChangesShowNoGridRow_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("canvas");
    QTest::addColumn<QString>("field");
    QTest::newRow("servo curve") << 42 << QStringLiteral("servo_Image1") << QString();
    QTest::newRow("servo relay") << 42 << QStringLiteral("servo_Image2") << QString();
    QTest::newRow("blink pattern") << 43 << QStringLiteral("Image_Blink1") << QString();
    QTest::newRow("LED pattern") << 45 << QStringLiteral("Image_led_Blink2") << QString();
    QTest::newRow("neon level") << 44 << QString() << QStringLiteral("f_neon_edt_dunkelfaktor");
}

void TestGridViews::editorChangesShowNoGridRow() {
    QFETCH(int, kind);
    QFETCH(QString, canvas);
    QFETCH(QString, field);
    open(kind);
    const int rows = window_->grid()->rowsShown();
    const int passes = help()->passes();
    const int steps = document()->undoStack()->count();
    if (!canvas.isEmpty()) {
        auto* drawing = window_->findChild<QWidget*>(canvas);
        QVERIFY(drawing != nullptr && drawing->isVisible());
        // Strokes of many mouse moves along the top and along the bottom of the drawing.
        for (const qreal y : {qreal(1), qreal(drawing->height() - 2)}) {
            windowtest::sendMouse(drawing, QEvent::MouseButtonPress, QPointF(1, y), Qt::LeftButton,
                                  Qt::LeftButton);
            for (int x = 1; x < drawing->width(); x += 3)
                windowtest::sendMouse(drawing, QEvent::MouseMove, QPointF(x, y), Qt::NoButton,
                                      Qt::LeftButton);
            windowtest::sendMouse(drawing, QEvent::MouseButtonRelease, QPointF(drawing->width() - 1, y),
                                  Qt::LeftButton, Qt::NoButton);
        }
    } else {
        auto* edit = window_->findChild<QLineEdit*>(field);
        QVERIFY(edit != nullptr && edit->isVisible());
        type(edit, QStringLiteral("123"));
    }
    QVERIFY(document()->undoStack()->count() > steps);
    window_->mainMenu()->undo->trigger();
    window_->mainMenu()->redo->trigger();
    QCOMPARE(window_->grid()->rowsShown(), rows);
    QCOMPARE(help()->passes(), passes);
}

void TestGridViews::aTypedAddressShowsItsRowOnly() {
    open(31);
    const int rows = window_->grid()->rowsShown();
    const int passes = help()->passes();
    type(window_->grid()->addressEdit(3), QStringLiteral("42"));
    // Two keys, two changes of row 3; each works out the help of the rows once (another row's
    // warnings may depend on it).
    QCOMPARE(window_->grid()->rowsShown(), rows + 2);
    QCOMPARE(help()->passes(), passes + 2);
    window_->mainMenu()->undo->trigger();
    QCOMPARE(window_->grid()->rowsShown(), rows + 3);
}

void TestGridViews::theHelpLineFollowsTheFocusWithoutWorkingOutEveryRow() {
    open(31);
    QLabel* line = window_->grid()->helpLine();
    QVERIFY(line->text().startsWith(QStringLiteral("Out 1: ")));
    const int passes = help()->passes();
    window_->grid()->addressEdit(5)->setFocus();
    QVERIFY(line->text().startsWith(QStringLiteral("Out 5: ")));
    window_->grid()->redGreenButton(7)->setFocus();
    QVERIFY(line->text().startsWith(QStringLiteral("Out 7: ")));
    QCOMPARE(help()->passes(), passes);
}

void TestGridViews::theStatusBarIsWrittenFromTheDocument() {
    open(31);
    auto* fileName = window_->findChild<QLabel*>(QStringLiteral("StatusPanel4"));
    QCOMPARE(fileName->text(), document()->path());
    // Whatever the panel shows, the save proposes the document's file.
    fileName->setText(QStringLiteral("irgendwas.hex"));
    type(window_->grid()->addressEdit(1), QStringLiteral("9"));
    const QString target = dir_->filePath(QStringLiteral("neu.hex"));
    dialogs_.saveNames = {target};
    QVERIFY(window_->files()->save());
    QCOMPARE(dialogs_.saveCalls.constFirst().proposedName, dir_->filePath(QStringLiteral("demo-31.hex")));
    QCOMPARE(fileName->text(), target);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Hex Quendra V0.41 – neu.hex[*]"));
}

void TestGridViews::theWindowGoesAwayWhileAnAddressFieldHasTheFocus() {
    open(31);
    NumberField* address = window_->grid()->addressEdit(2);
    address->setFocus();
    QTest::keyClicks(address, QStringLiteral("4"));
    QCOMPARE(QApplication::focusWidget(), address);
    int focusMoves = 0;
    connect(qApp, &QApplication::focusChanged, this, [&focusMoves] { ++focusMoves; });
    window_.reset(); // the sanitizer build sees any call into what is half destroyed
    QCoreApplication::processEvents();
    QVERIFY(focusMoves > 0);
    QVERIFY(QApplication::focusWidget() == nullptr);

    // Nothing of it is left listening: undo keys reach a line edit of another window again.
    QLineEdit other;
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTest::keyClicks(&other, QStringLiteral("ab"));
    QTest::keyClick(&other, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(other.text() != QStringLiteral("ab"));
}

HQ_TEST_CLASS(TestGridViews)
#include "tst_GridViews.moc"

// Undo and redo in the window, the title's modified mark and the marks of changed values: as a user
// types into the grid, clicks R/G, changes the extra value or the neon and house values, and uses
// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y (also while a line edit has the focus).

#include "ChangeMark.h"
#include "FakeDialogs.h"
#include "NumberField.h"
#include "QtTestSuite.h"
#include "WindowTestSupport.h"
#include "document/FirmwareDocument.h"
#include "light/NeonPanel.h"
#include "main/AppFactory.h"
#include "main/FileController.h"
#include "main/MainMenu.h"
#include "main/ParameterGridBox.h"
#include "main/TFormMain.h"
#include "main/ZusatzPanel.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

class TestUndoAndMarks : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingMarksTheTitleAndCtrlZInTheFieldTakesItBack();
    void everyGridEditIsOneStepBackToTheFile();
    void changedFieldsAreMarkedWithTheFileValue();
    void discardAllChangesIsOneStep();
    void loadingStartsANewHistory();
    void neonAndHouseValuesAreStepsAndMarked();
    void aHellLevelTheFileCannotHoldIsAskedAbout();
    void titleAndMenus();

private:
    void open(int kind, hq::Protocol protocol = hq::Protocol::DCC);
    void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void ctrl(QWidget* target, Qt::Key key, Qt::KeyboardModifiers more = Qt::NoModifier) {
        QTest::keyClick(target, key, Qt::ControlModifier | more);
    }
    FirmwareDocument* document() const { return window_->document(); }

    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
};

void TestUndoAndMarks::init() {
    dialogs_ = FakeDialogs();
    Dialogs::install(&dialogs_);
    dir_ = std::make_unique<QTemporaryDir>();
    window_ = createMainWindow();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void TestUndoAndMarks::cleanup() {
    window_.reset();
    Dialogs::install(nullptr);
    dir_.reset();
}

void TestUndoAndMarks::open(int kind, hq::Protocol protocol) {
    QVERIFY(window_->loadFile(windowtest::writeDemo(*dir_, kind, protocol)));
}

void TestUndoAndMarks::typingMarksTheTitleAndCtrlZInTheFieldTakesItBack() {
    open(31);
    QLineEdit* address = window_->grid()->addressEdit(1);
    // Loaded from the argument or a dialog, the first row's address has the focus.
    QCOMPARE(QApplication::focusWidget(), address);
    QVERIFY(!window_->isWindowModified());
    const QString loaded = address->text();

    QTest::keyClick(address, Qt::Key_End);
    QTest::keyClicks(address, QStringLiteral("7"));
    QVERIFY(window_->isWindowModified());
    QCOMPARE(address->text(), loaded + QStringLiteral("7"));

    ctrl(address, Qt::Key_Z);
    QCOMPARE(address->text(), loaded);
    QVERIFY(!window_->isWindowModified());
    ctrl(address, Qt::Key_Z, Qt::ShiftModifier);
    QCOMPARE(address->text(), loaded + QStringLiteral("7"));
    ctrl(address, Qt::Key_Z);
    ctrl(address, Qt::Key_Y);
    QCOMPARE(address->text(), loaded + QStringLiteral("7"));
    QVERIFY(window_->isWindowModified());
}

void TestUndoAndMarks::everyGridEditIsOneStepBackToTheFile() {
    open(31, hq::Protocol::MM);
    QUndoStack* stack = document()->undoStack();
    QLineEdit* address = window_->grid()->addressEdit(2);
    QLineEdit* extra = window_->zusatz()->extraEdit();

    type(address, QStringLiteral("123")); // one entry, typed key by key
    QCOMPARE(stack->count(), 1);
    type(extra, QStringLiteral("44")); // another field ends the entry
    QCOMPARE(stack->count(), 2);
    window_->grid()->redGreenButton(3)->click();
    QCOMPARE(stack->count(), 3);
    type(address, QStringLiteral("9"));
    QCOMPARE(stack->count(), 4);

    const QList<hq::FirmwareSettings> expected{document()->fileSettings()};
    for (int step = 0; step < 4; ++step)
        window_->mainMenu()->undo->trigger();
    QVERIFY(document()->edited() == document()->fileSettings());
    QVERIFY(!window_->isWindowModified());
    QVERIFY(!window_->mainMenu()->undo->isEnabled());
    QCOMPARE(address->text(), QString::fromStdString(document()->fileSettings().rows[2].address.text()));
    QCOMPARE(extra->text(), QStringLiteral("20"));

    for (int step = 0; step < 4; ++step)
        window_->mainMenu()->redo->trigger();
    QCOMPARE(address->text(), QStringLiteral("9"));
    QCOMPARE(extra->text(), QStringLiteral("44"));
    QCOMPARE(document()->edited().rows[3].redGreen, 1 - document()->fileSettings().rows[3].redGreen);
    QVERIFY(window_->isWindowModified());
}

void TestUndoAndMarks::changedFieldsAreMarkedWithTheFileValue() {
    open(6); // a DCC function decoder: addresses and function numbers
    QLineEdit* address = window_->grid()->addressEdit(1);
    QLineEdit* function = window_->grid()->functionEdit(1);
    const QString fileAddress = address->text();
    QVERIFY(!hasChangeMark(address));
    type(address, QStringLiteral("1000"));
    type(function, QStringLiteral("12"));
    QVERIFY(hasChangeMark(address));
    QVERIFY(hasChangeMark(function));
    QVERIFY(address->toolTip().endsWith(QStringLiteral("\nIn der Datei: ") + fileAddress));
    QVERIFY(address->toolTip().startsWith(QStringLiteral("gültiger Adressbereich: 1 bis 16128")));
    QVERIFY(!hasChangeMark(window_->grid()->addressEdit(2)));

    // The address keeps no background of its own: colours mean red and green.
    type(address, fileAddress);
    QVERIFY(!hasChangeMark(address));
    QVERIFY(!address->toolTip().contains(QStringLiteral("In der Datei")));

    window_->close(); // unsaved function: asks; keep the window for cleanup
    QVERIFY(!dialogs_.messages.isEmpty());

    // Accessory rows: the R/G button is marked, the address colour follows the choice.
    dialogs_.answers = {QMessageBox::Discard};
    open(31);
    QPushButton* redGreen = window_->grid()->redGreenButton(2);
    const QColor before = address->palette().color(QPalette::Base);
    redGreen->click();
    QVERIFY(hasChangeMark(redGreen));
    QVERIFY(redGreen->toolTip().contains(QStringLiteral("In der Datei: ")));
    QVERIFY(window_->grid()->addressEdit(2)->palette().color(QPalette::Base) != before ||
            document()->edited().rows[2].redGreen != document()->fileSettings().rows[2].redGreen);
    QVERIFY(!hasChangeMark(window_->grid()->addressEdit(2)));
    redGreen->click();
    QVERIFY(!hasChangeMark(redGreen));

    // The extra value.
    QLineEdit* extra = window_->zusatz()->extraEdit();
    type(extra, QStringLiteral("99"));
    QVERIFY(hasChangeMark(extra));
    QVERIFY(extra->toolTip().endsWith(QStringLiteral("In der Datei: 20")));
}

void TestUndoAndMarks::discardAllChangesIsOneStep() {
    open(31);
    type(window_->grid()->addressEdit(1), QStringLiteral("17"));
    window_->grid()->redGreenButton(2)->click();
    window_->mainMenu()->discardAll->trigger();
    QVERIFY(!window_->isWindowModified());
    QVERIFY(document()->edited() == document()->fileSettings());
    window_->mainMenu()->undo->trigger();
    QCOMPARE(window_->grid()->addressEdit(1)->text(), QStringLiteral("17"));
    QVERIFY(window_->isWindowModified());
}

void TestUndoAndMarks::loadingStartsANewHistory() {
    open(31);
    type(window_->grid()->addressEdit(1), QStringLiteral("17"));
    QVERIFY(window_->mainMenu()->undo->isEnabled());
    dialogs_.answers = {QMessageBox::Discard};
    dialogs_.openNames = {windowtest::writeDemo(*dir_, 23, hq::Protocol::DCC)};
    window_->mainMenu()->open->trigger();
    QCOMPARE(document()->firmware().recognition.kind, 23);
    QVERIFY(!window_->mainMenu()->undo->isEnabled());
    QVERIFY(!window_->isWindowModified());
}

void TestUndoAndMarks::neonAndHouseValuesAreStepsAndMarked() {
    open(44);
    auto* panel = window_->findChild<NeonPanel*>();
    QVERIFY(panel != nullptr);
    QLineEdit* dunkel = panel->edit(hq::NeonValue::Dunkel);
    const QString inFile = dunkel->text();
    type(dunkel, QStringLiteral("300"));
    QTest::keyClick(dunkel, Qt::Key_Return);
    QCOMPARE(dunkel->text(), QStringLiteral("255")); // clamped, as stored
    QVERIFY(hasChangeMark(dunkel));
    QCOMPARE(document()->undoStack()->count(), 1);
    window_->mainMenu()->undo->trigger();
    QCOMPARE(dunkel->text(), inFile);
    QVERIFY(!hasChangeMark(dunkel));
    QVERIFY(!window_->isWindowModified());

    // The HELL field says which byte it shares.
    QVERIFY(panel->edit(hq::NeonValue::Hell)->toolTip().contains(QStringLiteral("0x21")));

    open(15, hq::Protocol::MM);
    // The house-light editor's own field.
    auto* house = window_->findChild<QWidget*>(QStringLiteral("pnl_haus"));
    QVERIFY(house != nullptr);
    auto* minimum = house->findChild<QLineEdit*>(QStringLiteral("edt_mindestAnzahl"));
    QVERIFY(minimum->isVisible());
    type(minimum, QStringLiteral("12"));
    QTest::keyClick(minimum, Qt::Key_Return);
    QCOMPARE(minimum->text(), QStringLiteral("9"));
    QVERIFY(window_->isWindowModified() == (document()->fileSettings().house->minimum != 9));
    window_->mainMenu()->undo->trigger();
    QVERIFY(!window_->isWindowModified());
}

// EEPROM byte 0x21 is both HELL and the third code byte of row 1, written after it: saving asks,
// naming the value the file will hold, and afterwards the field shows what the file holds.
void TestUndoAndMarks::aHellLevelTheFileCannotHoldIsAskedAbout() {
    open(44); // DCC: row 1 at a short address, whose third byte is 0: HELL can only be 255
    auto* panel = window_->findChild<NeonPanel*>();
    QLineEdit* hell = panel->edit(hq::NeonValue::Hell);
    type(hell, QStringLiteral("200"));
    const QString target = dir_->filePath(QStringLiteral("neon.hex"));

    dialogs_.answers = {QMessageBox::Cancel};
    dialogs_.saveNames = {target};
    window_->files()->save();
    QCOMPARE(dialogs_.messages.size(), 1);
    QVERIFY(dialogs_.messages.constFirst().text.contains(QStringLiteral("Gespeichert würde HELL = 255.")));
    QCOMPARE(dialogs_.messages.constFirst().buttons, QMessageBox::Save | QMessageBox::Cancel);
    QVERIFY(!QFile::exists(target));
    QCOMPARE(hell->text(), QStringLiteral("200"));

    dialogs_.messages.clear();
    dialogs_.answers = {QMessageBox::Save};
    window_->files()->save();
    QVERIFY(QFile::exists(target));
    QCOMPARE(hell->text(), QStringLiteral("255"));
    QVERIFY(!window_->isWindowModified());
}

void TestUndoAndMarks::titleAndMenus() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Hex Quendra V0.41"));
    QVERIFY(!window_->mainMenu()->save->isEnabled());
    QVERIFY(!window_->mainMenu()->exportSettings->isEnabled());
    QVERIFY(window_->mainMenu()->open->isEnabled());
    QCOMPARE(window_->mainMenu()->open->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(window_->mainMenu()->save->shortcut(), QKeySequence(QKeySequence::Save));
    QCOMPARE(window_->mainMenu()->quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QVERIFY(window_->mainMenu()->redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));

    open(31);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Hex Quendra V0.41 – demo-31.hex[*]"));
    QVERIFY(window_->mainMenu()->save->isEnabled());
    type(window_->grid()->addressEdit(1), QStringLiteral("9"));
    QCOMPARE(window_->mainMenu()->undo->text(), QStringLiteral("Rückgängig: Adresse von <Out 1>"));

    // Ctrl+S saves as "HEX speichern" does.
    const QString target = dir_->filePath(QStringLiteral("saved.hex"));
    dialogs_.saveNames = {target};
    ctrl(window_->grid()->addressEdit(1), Qt::Key_S);
    QVERIFY(QFile::exists(target));
    QVERIFY(!window_->isWindowModified());
    QCOMPARE(window_->windowTitle(), QStringLiteral("Hex Quendra V0.41 – saved.hex[*]"));
}

HQ_TEST_CLASS(TestUndoAndMarks)
#include "tst_UndoAndMarks.moc"

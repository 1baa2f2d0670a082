// The blink and LED pattern editors in the window as views of the document: what the panel shows of
// the firmware's pattern table, what typing, clicking and drawing store in the document's working
// copy, what "Übernehmen" and "Verwerfen" do with it, and what a save then writes.

#include "../EditorTestSupport.h"
#include "LightTestSupport.h"
#include "RecordingDialogs.h"

#include "ChangeMark.h"
#include "NumberField.h"
#include "QtTestSuite.h"
#include "encode/ProgramTable.h"
#include "image/Checksum.h"
#include "light/BlinkEditor.h"
#include "light/LedEditor.h"
#include "light/PatternBank.h"
#include "light/PatternCanvas.h"
#include "light/PatternPanel.h"
#include "preview/PatternPreviewWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QUndoStack>

using namespace hq::test;
using editortest::drag;
using editortest::sendMouse;

namespace {

// An entry of a program block (1..4) as the HEX image holds it.
int imageEntry(const hq::Firmware& firmware, int block, int entry) {
    hq::ProgramTable table{};
    hq::readProgramBlock(firmware.image, block, table);
    return table[static_cast<std::size_t>(256 * (block - 1) + entry)];
}

// The firmware with `word` (high byte first) as word k of record j of program block `block`.
hq::Firmware withWord(hq::Firmware firmware, int block, int j, int k, const std::string& word) {
    int start = -1;
    for (int i = 0; i < firmware.image.lineCount; ++i)
        if (firmware.image.lines[i].starts_with(hq::programBlockKey(block)))
            start = i;
    std::string& line = firmware.image.lines[start + j];
    std::string body = line.substr(0, line.size() - 2);
    body.replace(9 + 4 * static_cast<std::size_t>(k), 4, word.substr(2, 2) + word.substr(0, 2));
    line = *hq::completeRecord(body);
    return firmware;
}

} // namespace

class PatternEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs = std::make_unique<RecordingDialogs>();
        window = std::make_unique<LightTestWindow>();
    }
    void cleanup() {
        window.reset();
        dialogs.reset();
    }

    void blinkSetUpShowsAddressOne() {
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();

        QVERIFY(!panel->isHidden());
        QCOMPARE(panel->objectName(), QStringLiteral("pnl_blinkmuster"));
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("11"));
        QCOMPARE(panel->stretchEdit()->text(), QStringLiteral("5"));
        QCOMPARE(panel->timeGridLabel()->text(), QStringLiteral("Zeit-Raster = 100 ms"));
        QCOMPARE(panel->totalTimeLabel()->text(), QStringLiteral("Gesamtzeit = 1100 ms"));
        QVERIFY(panel->loopBox()->isChecked());
        QVERIFY(!panel->copyButton(1)->isEnabled());
        QVERIFY(panel->copyButton(2)->isEnabled());
        QVERIFY(!panel->acceptButton()->isEnabled());
        QVERIFY(!window->document.hasPendingEditorChanges());
        QVERIFY(panel->outputBox(1)->isChecked() && !panel->outputBox(2)->isChecked());
        QVERIFY(!panel->canvas(1)->isHidden() && panel->canvas(2)->isHidden());
        QCOMPARE(panel->canvas(1)->objectName(), QStringLiteral("Image_Blink1"));
        QCOMPARE(panel->canvas(1)->size(), QSize(481, 41));
        QCOMPARE(panel->canvas(1)->steps().size(), std::size_t(11));
        QVERIFY(panel->canvas(1)->steps()[0] && !panel->canvas(1)->steps()[1]);
        // Shown in the window, which the editor handed one widget: the panel with its preview.
        QVERIFY(panel->isVisible() && editor.preview()->isVisible());
        QVERIFY(window->window.isAncestorOf(editor.editorArea()));
        QVERIFY(editor.editorArea()->isAncestorOf(panel) &&
                editor.editorArea()->isAncestorOf(editor.preview()));
        // The drawing rule beside the drawings.
        QCOMPARE(panel->ruleLabel()->text(), QStringLiteral("obere Hälfte: an, untere Hälfte: aus"));
        QVERIFY(panel->ruleLabel()->isVisible());
    }

    // A table block that holds code (a word that is no retlw) is shown, never edited: the save would
    // leave it as it is, so the editor does not pretend otherwise.
    void aBlockHoldingCodeIsShownReadOnlyWithTheReason() {
        window->load(withWord(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())), 1, 2, 5, "2805"));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        auto* notice = editor.editorArea()->findChild<QLabel*>(QStringLiteral("lbl_tabellenschutz"));
        QVERIFY(notice != nullptr && notice->isVisible());
        QVERIFY2(notice->text().contains(QStringLiteral("2805")), qPrintable(notice->text()));
        QVERIFY(!panel->canvas(1)->isEnabled());
        QVERIFY(!panel->countEdit()->isEnabled() && !panel->loopBox()->isEnabled());
        QVERIFY(!panel->copyButton(2)->isEnabled() && !panel->outputBox(1)->isEnabled());
        QVERIFY(panel->addressButton(2)->isEnabled());
        const int steps = window->document.undoStack()->count();
        drag(panel->canvas(1), {QPoint(3, 3), QPoint(200, 3)});
        QCOMPARE(window->document.undoStack()->count(), steps);
        panel->addressButton(2)->click();
        QVERIFY2(!panel->copyButton(1)->isEnabled(), "looking through the addresses enables no copy");

        // The next firmware, whose table is sound, is edited as usual.
        editor.reset();
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
        editor.setUp(window->document, window->window);
        QVERIFY(notice->isHidden());
        QVERIFY(panel->canvas(1)->isEnabled() && panel->countEdit()->isEnabled());
        QVERIFY(panel->copyButton(2)->isEnabled());
    }

    void countIsClampedAndTextIsMarkedWithoutABox() {
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        NumberField* count = panel->countEdit();

        // A number outside the range is stored within it at once; the field keeps what was typed,
        // marked, until the entry is finished, and then shows what was stored.
        count->setText(QStringLiteral("0"));
        QCOMPARE(working().table()[53], 1);
        QCOMPARE(count->text(), QStringLiteral("0"));
        QVERIFY(count->isOutOfRange());
        QCOMPARE(rangeProblemOf(count), QStringLiteral("Erlaubt sind nur Zahlen von 1 bis 50."));
        QVERIFY(panel->acceptButton()->isEnabled());
        QTest::keyClick(count, Qt::Key_Return);
        QCOMPARE(count->text(), QStringLiteral("1"));
        QVERIFY(!count->isOutOfRange());

        // Cleared (select all, Backspace) and typed anew: no box on the way, the blank field marked.
        count->setFocus();
        count->selectAll();
        QTest::keyClick(count, Qt::Key_Backspace);
        QCOMPARE(count->text(), QString());
        QVERIFY(count->isOutOfRange());
        QCOMPARE(working().table()[53], 1);
        QTest::keyClicks(count, QStringLiteral("99"));
        QCOMPARE(working().table()[53], 50);
        QCOMPARE(panel->canvas(1)->steps().size(), std::size_t(50));
        QTest::keyClick(count, Qt::Key_Return);
        QCOMPARE(count->text(), QStringLiteral("50"));

        // Text that is no number stays in the field, marked, and stores nothing; leaving the field
        // shows the stored value again.
        count->setText(QStringLiteral("abc"));
        QCOMPARE(count->text(), QStringLiteral("abc"));
        QVERIFY(count->isOutOfRange());
        QCOMPARE(working().table()[53], 50);
        QTest::keyClick(count, Qt::Key_Return);
        QCOMPARE(count->text(), QStringLiteral("50"));
        QVERIFY(!count->isOutOfRange());

        NumberField* stretch = panel->stretchEdit();
        stretch->setText(QStringLiteral("1x"));
        QVERIFY(stretch->isOutOfRange());
        QCOMPARE(rangeProblemOf(stretch), QStringLiteral("Erlaubt sind nur Zahlen von 1 bis 200."));
        QCOMPARE(working().table()[54], 5);
        editortest::typeEntry(stretch, QStringLiteral("999"));
        QCOMPARE(working().table()[54], 200);
        QCOMPARE(stretch->text(), QStringLiteral("200"));
        QCOMPARE(panel->timeGridLabel()->text(), QStringLiteral("Zeit-Raster = 4000 ms"));
        QCOMPARE(panel->totalTimeLabel()->text(), QStringLiteral("Gesamtzeit = 200000 ms"));
        QVERIFY(dialogs->messages.isEmpty());
    }

    // "05" over 5 is the same value: no step, no mark, and the field keeps what was typed.
    void theSameValueSpeltOtherwiseIsNoChange() {
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        NumberField* stretch = editor.panelWidget()->stretchEdit();
        QCOMPARE(stretch->text(), QStringLiteral("5"));
        editortest::typeEntry(stretch, QStringLiteral("05"));
        QCOMPARE(stretch->text(), QStringLiteral("05"));
        QCOMPARE(window->document.undoStack()->count(), 0);
        QVERIFY(!window->document.isModified());
        QVERIFY(!hasChangeMark(stretch));
    }

    void upDownStepsTheEdit() {
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        panel->countUpDown()->stepUp();
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("12"));
        QCOMPARE(working().table()[53], 12);
    }

    void uncheckingAnOutputHidesItsImageAndKeepsItsSteps() {
        hq::ProgramTable table = blinkDemoTable();
        table[55] |= 0x20; // output 2 of address 1 in use
        table[1] = 0x02;
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, table)));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        QVERIFY(!panel->canvas(2)->isHidden());

        panel->outputBox(2)->click();
        QVERIFY(panel->canvas(2)->isHidden());
        QCOMPARE(working().table()[55] & 0x20, 0);
        QCOMPARE(working().table()[55] & 0x0F, 0x0F);
        QCOMPARE(working().table()[1], 0x02);
        QVERIFY(window->document.hasPendingEditorChanges());

        panel->loopBox()->click();
        QCOMPARE(working().table()[55] & 0x01, 0);
    }

    void copyTakesTheWholeBlinkBlock() {
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        panel->addressButton(3)->click();
        QCOMPARE(editor.currentAddress(), 3);
        QVERIFY(!panel->copyButton(3)->isEnabled());
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("13"));

        panel->copyButton(1)->click();
        for (int i = 0; i < 64; ++i)
            QCOMPARE(working().table()[128 + i], working().table()[i]);
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("11"));
        QCOMPARE(panel->stretchEdit()->text(), QStringLiteral("5"));
        QVERIFY(panel->loopBox()->isChecked());
        QVERIFY(panel->acceptButton()->isEnabled());
    }

    void drawingFollowsTheHeldMouseAlsoOutsideTheImage() {
        hq::ProgramTable table{};
        table[53] = 10;
        table[54] = 10;
        table[55] = 0x10;
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, table)));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternCanvas* canvas = editor.panelWidget()->canvas(1);

        // Upper part, steps 0..3 (47.1 pixels a step); then left of the image and beyond it.
        drag(canvas, {{5, 5}, {60, 10}, {100, 24}, {150, 2}, {-40, 3}, {900, 3}});
        QCOMPARE(working().stepsText(1, 1), "1111000001");
        QVERIFY(window->document.hasPendingEditorChanges());

        // The lower part and below the image switch off.
        drag(canvas, {{55, 25}, {110, 200}});
        QCOMPARE(working().stepsText(1, 1), "1001000001");
        QCOMPARE(canvas->steps()[1], false);

        // Moving without the button held after the release changes nothing.
        sendMouse(canvas, QEvent::MouseMove, {300, 5}, Qt::NoButton, Qt::NoButton);
        sendMouse(canvas, QEvent::MouseMove, {300, 5}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(working().stepsText(1, 1), "1001000001");
        // Nothing beyond the count, nor count, stretch or flags, was drawn over.
        QCOMPARE(working().table()[10], 0);
        QCOMPARE(working().table()[53], 10);
        QCOMPARE(working().table()[55], 0x10);
    }

    void aClickDrawsLikeADragOfOnePoint() {
        hq::ProgramTable table{};
        table[53] = 10;
        table[54] = 10;
        table[55] = 0x10;
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, table)));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternCanvas* canvas = editor.panelWidget()->canvas(1);

        // Step 2 (x 94..141), upper part; the mouse does not move between press and release.
        sendMouse(canvas, QEvent::MouseButtonPress, {110, 5}, Qt::LeftButton, Qt::LeftButton);
        sendMouse(canvas, QEvent::MouseButtonRelease, {110, 5}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(working().stepsText(1, 1), "0010000000");
        QVERIFY(canvas->steps()[2]);
        QVERIFY(window->document.hasPendingEditorChanges());

        // A right click draws nothing.
        sendMouse(canvas, QEvent::MouseButtonPress, {200, 5}, Qt::RightButton, Qt::RightButton);
        sendMouse(canvas, QEvent::MouseButtonRelease, {200, 5}, Qt::RightButton, Qt::NoButton);
        QCOMPARE(working().stepsText(1, 1), "0010000000");
    }

    void everyStrokeIsReportedOnceFromPressToRelease() {
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternCanvas* canvas = editor.panelWidget()->canvas(1);
        QSignalSpy started(canvas, &PatternCanvas::strokeStarted);
        QSignalSpy drawn(canvas, &PatternCanvas::pointDrawn);
        QSignalSpy finished(canvas, &PatternCanvas::strokeFinished);

        drag(canvas, {{5, 5}, {60, 5}, {100, 30}});
        QCOMPARE(started.count(), 1);
        QCOMPARE(finished.count(), 1);
        // The press and each of the three moves; step and on (1) or off (0).
        QCOMPARE(drawn.count(), 4);
        QCOMPARE(drawn.at(0), (QList<QVariant>{0, 1}));
        QCOMPARE(drawn.at(2), (QList<QVariant>{1, 1}));
        QCOMPARE(drawn.at(3), (QList<QVariant>{2, 0}));
        QVERIFY(!canvas->isDrawing());

        // A stroke cut short by another firmware's set-up still ends, in the document too: what it
        // drew is one step.
        const int steps = window->document.undoStack()->count();
        sendMouse(canvas, QEvent::MouseButtonPress, {5, 35}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(canvas->isDrawing());
        QVERIFY(window->document.inStroke());
        editor.reset();
        QCOMPARE(finished.count(), 2);
        QVERIFY(!canvas->isDrawing());
        QVERIFY(!window->document.inStroke());
        QCOMPARE(window->document.undoStack()->count(), steps + 1);
    }

    void discardGoesBackToTheEditedTablesOfAllAddresses() {
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        const hq::ProgramTable loaded = working().table();

        panel->countEdit()->setText(QStringLiteral("30"));
        panel->addressButton(4)->click();
        panel->stretchEdit()->setText(QStringLiteral("77"));
        panel->addressButton(1)->click();
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("30")); // switching keeps the edits
        QCOMPARE(working().table()[192 + 54], 77);

        panel->discardButton()->click();
        QCOMPARE(working().table(), loaded);
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("11"));
        QVERIFY(!panel->acceptButton()->isEnabled());
        QVERIFY(!window->document.hasPendingEditorChanges());
    }

    void acceptTakesTheTableAndASaveWritesBlockOneShort() {
        FirmwareText text = tableFirmware(kBlinkReset, 1, blinkDemoTable());
        window->load(firmwareOf(text));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        panel->countEdit()->setText(QStringLiteral("40"));
        QVERIFY(window->document.hasPendingEditorChanges());
        QCOMPARE(window->document.edited().patterns->table[53], 11);

        panel->acceptButton()->click();
        QVERIFY(!panel->acceptButton()->isEnabled());
        QVERIFY(!window->document.hasPendingEditorChanges());
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(window->document.edited().patterns->table[53], 40);
        // Nothing is written into the image before a save.
        QCOMPARE(imageEntry(window->document.firmware(), 1, 53), 11);

        const std::optional<hq::Firmware> saved = savedFirmware(window->document);
        QVERIFY(saved);
        QCOMPARE(imageEntry(*saved, 1, 53), 40);
        const int last = lineStarting(text, ":1007F000");
        QVERIFY(saved->image.lines[static_cast<std::size_t>(last)].starts_with(":0E07F000"));
        QCOMPARE(saved->image.lines[static_cast<std::size_t>(last)].size(), std::size_t(9 + 28 + 2));
    }

    void aSaveThatCannotWriteTheTableChangesNothing() {
        window->load(firmwareOf(firmwareText(kBlinkReset, kMmSchalt))); // no pattern table
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        editor.panelWidget()->countEdit()->setText(QStringLiteral("5"));
        editor.panelWidget()->acceptButton()->click();
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(window->document.edited().patterns->table[53], 5);

        hq::Firmware saved = window->document.firmware();
        const std::optional<hq::ApplyProblem> problem = hq::applySettings(saved, window->document.edited());
        QVERIFY(problem);
        QVERIFY(!problem->message.empty());
        QCOMPARE(saved.image.lines, window->document.firmware().image.lines);
        QCOMPARE(saved.eeprom().bytes, window->document.firmware().eeprom().bytes);
    }

    void afterResetTheEditorNoLongerChangesTheDocument() {
        window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
        BlinkEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        panel->countEdit()->setText(QStringLiteral("5"));
        editor.reset();
        QVERIFY(!panel->isVisible());
        QVERIFY(!panel->acceptButton()->isEnabled());
        QCOMPARE(editor.panel(), hq::Panel::Blink);

        const FirmwareDocument::State before = window->document.state();
        panel->countEdit()->setText(QStringLiteral("7"));
        panel->loopBox()->click();
        panel->copyButton(2)->click();
        panel->discardButton()->click();
        QVERIFY(window->document.state() == before);
        QCOMPARE(window->document.undoStack()->count(), 1);
    }

    void ledSetUpShowsTenOutputs() {
        window->load(firmwareOf(tableFirmware(kLedReset, 4, ledDemoTable())));
        LedEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        QCOMPARE(editor.panel(), hq::Panel::Led);
        QCOMPARE(panel->objectName(), QStringLiteral("pnl_led_blinkmuster"));
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("20"));
        for (int n = 1; n <= 10; ++n) {
            QCOMPARE(panel->canvas(n)->objectName(), QStringLiteral("Image_led_Blink%1").arg(n));
            QCOMPARE(panel->canvas(n)->size(), QSize(481, 38));
            QVERIFY(!panel->canvas(n)->isHidden());
            QCOMPARE(panel->canvas(n)->steps()[static_cast<std::size_t>(n - 1)], true);
        }

        editortest::typeEntry(panel->countEdit(), QStringLiteral("101"));
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("100"));
        panel->countEdit()->setText(QStringLiteral("x"));
        QCOMPARE(rangeProblemOf(panel->countEdit()),
                 QStringLiteral("Erlaubt sind nur Zahlen von 1 bis 100."));
        QCOMPARE(working().count(1), 100);
        QCOMPARE(dialogs->messages, QStringList{});
    }

    void ledDrawingBeyondTheEdgesEditsTheFirstAndLastStep() {
        hq::ProgramTable table{};
        for (int a = 0; a < 4; ++a) {
            table[256 * a + 101] = 100;
            table[256 * a + 102] = 1;
            table[256 * a + 100] = 0x10;
            table[256 * a + 103] = 0x04; // output 7
        }
        window->load(firmwareOf(tableFirmware(kLedReset, 4, table)));
        LedEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();

        drag(panel->canvas(7), {{700, 2}});
        QCOMPARE(working().table()[128 + 99], 0x04);
        drag(panel->canvas(7), {{-30, 2}});
        QCOMPARE(working().table()[128 + 0], 0x04);
        drag(panel->canvas(1), {{476, 2}});
        QCOMPARE(working().table()[99], 0x01);
        QCOMPARE(working().table()[100], 0x10); // flags untouched
        QCOMPARE(working().table()[228], 0);    // nothing past the last step

        panel->outputBox(7)->click();
        QCOMPARE(working().table()[103], 0x00);
        QVERIFY(panel->canvas(7)->isHidden());
        QCOMPARE(working().table()[128 + 99], 0x04);
    }

    // "von #2" used to leave outputs 5..10 of the old pattern in place.
    void ledCopyTakesAllTenOutputs() {
        hq::ProgramTable table = ledDemoTable();
        for (int i = 127; i < 256; ++i)
            table[i] = 0x11; // address 1: outputs 5..10 and the rest of its block
        window->load(firmwareOf(tableFirmware(kLedReset, 4, table)));
        LedEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();

        panel->copyButton(2)->click();
        for (int i = 0; i < 256; ++i)
            QCOMPARE(working().table()[i], table[256 + i]);
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("40"));
        for (int n = 1; n <= 10; ++n) {
            QCOMPARE(panel->outputBox(n)->isChecked(), working().outputUsed(2, n));
            QCOMPARE(panel->canvas(n)->isHidden(), !working().outputUsed(2, n));
        }
        QVERIFY(window->document.hasPendingEditorChanges());
        QCOMPARE(window->document.undoStack()->count(), 1);

        // Undone, address 1 has its own ten outputs again.
        window->document.undoStack()->undo();
        for (int i = 0; i < 256; ++i)
            QCOMPARE(working().table()[i], table[i]);
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("20"));
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(panel->outputBox(n)->isChecked(), working().outputUsed(1, n));
        QVERIFY(!window->document.isModified());
    }

    void ledSaveWritesAllFourBlocksFull() {
        FirmwareText text = tableFirmware(kLedReset, 4, ledDemoTable());
        window->load(firmwareOf(text));
        LedEditor editor;
        editor.setUp(window->document, window->window);
        PatternPanel* panel = editor.panelWidget();
        panel->addressButton(4)->click();
        panel->stretchEdit()->setText(QStringLiteral("123"));
        panel->acceptButton()->click();

        QVERIFY(!window->document.hasPendingEditorChanges());
        QCOMPARE(window->document.edited().patterns->table[768 + 102], 123);
        const std::optional<hq::Firmware> saved = savedFirmware(window->document);
        QVERIFY(saved);
        QCOMPARE(imageEntry(*saved, 4, 102), 123);
        QCOMPARE(imageEntry(*saved, 1, 255), 0x5A);
        const int last = lineStarting(text, ":1007F000");
        QVERIFY(saved->image.lines[static_cast<std::size_t>(last)].starts_with(":1007F000"));
    }

private:
    // The document's working copy of the pattern table.
    hq::PatternBank working() const {
        const hq::PatternSetting& patterns = *window->document.state().patterns;
        hq::PatternBank bank(*patterns.layout);
        bank.table() = patterns.table;
        return bank;
    }

    std::unique_ptr<RecordingDialogs> dialogs;
    std::unique_ptr<LightTestWindow> window;
};

HQ_TEST_CLASS(PatternEditorTest)
#include "tst_PatternEditor.moc"

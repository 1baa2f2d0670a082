// The blink and LED editors' edits as undo steps, made through their controls as a user makes them
// (every test runs for both editors): strokes and clicks on the images, the copy, typed count and
// stretch, loop and output boxes, "Übernehmen" and "Verwerfen" are one step each that undo takes back
// to the file's state and redo brings again; the address and the fields are marked while they differ
// from the file, and "Übernehmen" is enabled exactly while the working copy differs from the edited
// settings.

#include "../EditorTestSupport.h"
#include "LightTestSupport.h"
#include "RecordingDialogs.h"

#include "ChangeMark.h"
#include "NumberField.h"
#include "QtTestSuite.h"
#include "light/BlinkEditor.h"
#include "light/LedEditor.h"
#include "light/PatternBank.h"
#include "light/PatternCanvas.h"
#include "light/PatternPanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QUndoStack>

#include <memory>

using namespace hq::test;
using editortest::click;
using editortest::drag;
using editortest::oneStepProblem;
using editortest::sendMouse;
using editortest::typeEntry;

class PatternUndoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data() {
        QTest::addColumn<bool>("led");
        QTest::newRow("blink") << false;
        QTest::newRow("led") << true;
    }

    void init() {
        QFETCH_GLOBAL(bool, led);
        dialogs = std::make_unique<RecordingDialogs>();
        window = std::make_unique<LightTestWindow>();
        if (led) {
            window->load(firmwareOf(tableFirmware(kLedReset, 4, ledDemoTable())));
            editor = std::make_unique<LedEditor>();
        } else {
            window->load(firmwareOf(tableFirmware(kBlinkReset, 1, blinkDemoTable())));
            editor = std::make_unique<BlinkEditor>();
        }
        editor->setUp(window->document, window->window);
        panel = editor->panelWidget();
    }

    void cleanup() {
        editor.reset();
        window.reset();
        dialogs.reset();
    }

    void strokesAndClicksAreOneStepEach() {
        PatternCanvas* canvas = panel->canvas(1);
        const int low = canvas->height() - 3; // the lower part switches steps off
        QRadioButton* address = panel->addressButton(1);
        checkOneStep([canvas, low] { drag(canvas, {{5, low}, {60, low}, {110, low}, {150, low}}); }, address);
        checkOneStep([canvas, low] { click(canvas, {5, low}); }, address);
        PatternCanvas* third = panel->canvas(3);
        checkOneStep([third] { drag(third, {{5, 3}, {200, 3}}); }, address);
        QCOMPARE(working().stepsText(1, 1), fileBank().stepsText(1, 1));
        QCOMPARE(canvas->steps()[0], true);

        // Step 0 of output 1 is on: clicking its upper part changes nothing and is no step; nor is a
        // right drag.
        const int steps = stack()->index();
        click(canvas, {5, 3});
        sendMouse(canvas, QEvent::MouseButtonPress, {5, low}, Qt::RightButton, Qt::RightButton);
        sendMouse(canvas, QEvent::MouseMove, {200, low}, Qt::NoButton, Qt::RightButton);
        sendMouse(canvas, QEvent::MouseButtonRelease, {200, low}, Qt::RightButton, Qt::NoButton);
        QCOMPARE(stack()->index(), steps);
        QVERIFY(!window->document.isModified());
    }

    void aStrokeShowsAtOnceAndBecomesAStepOnRelease() {
        PatternCanvas* canvas = panel->canvas(1);
        const int low = canvas->height() - 3;
        sendMouse(canvas, QEvent::MouseButtonPress, {5, low}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(canvas->steps()[0], false);
        QVERIFY(!working().step(1, 1, 0));
        QVERIFY(panel->acceptButton()->isEnabled());
        QVERIFY(hasChangeMark(panel->addressButton(1)));
        QCOMPARE(stack()->count(), 0);
        sendMouse(canvas, QEvent::MouseMove, {110, low}, Qt::NoButton, Qt::LeftButton);
        sendMouse(canvas, QEvent::MouseButtonRelease, {110, low}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(stack()->count(), 1);
        stack()->undo();
        QCOMPARE(canvas->steps()[0], true);
        QVERIFY(!panel->acceptButton()->isEnabled());
        QVERIFY(!hasChangeMark(panel->addressButton(1)));
    }

    // Undo (its key) pressed while the mouse is held: the stroke goes on from the state undo gives
    // and ends as one step (it used to become one step for every step drawn after the undo).
    void undoInTheMiddleOfAStrokeKeepsTheStrokeOneStep() {
        panel->loopBox()->click();
        PatternCanvas* canvas = panel->canvas(1);
        const int low = canvas->height() - 3;
        sendMouse(canvas, QEvent::MouseButtonPress, {5, low}, Qt::LeftButton, Qt::LeftButton);
        stack()->undo();
        QVERIFY(!window->document.isModified());
        for (int x : {60, 110, 150, 200, 250})
            sendMouse(canvas, QEvent::MouseMove, {x, low}, Qt::NoButton, Qt::LeftButton);
        sendMouse(canvas, QEvent::MouseButtonRelease, {250, low}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!working().step(1, 1, 2));
        QCOMPARE(canvas->steps()[2], false);
        QCOMPARE(stack()->count(), 1);
        stack()->undo();
        QVERIFY(!window->document.isModified());
        QCOMPARE(canvas->steps()[2], true);
    }

    void theCopyIsOneStep() {
        const QString count = panel->countEdit()->text();
        checkOneStep([this] { panel->copyButton(2)->click(); }, panel->addressButton(1));
        QCOMPARE(panel->countEdit()->text(), count);
        QVERIFY(!hasChangeMark(panel->addressButton(2))); // the source is unchanged
    }

    void typedCountAndStretchAreOneStepPerEntry() {
        QLineEdit* count = panel->countEdit();
        QLineEdit* stretch = panel->stretchEdit();
        const QString countInFile = count->text();
        const QString stretchInFile = stretch->text();
        // "1", then "12" in one entry: one step, the field and the address marked.
        checkOneStep([count] { typeEntry(count, QStringLiteral("12")); }, count);
        QCOMPARE(count->text(), countInFile);
        QVERIFY(!hasChangeMark(panel->addressButton(1)));
        checkOneStep([stretch] { typeEntry(stretch, QStringLiteral("12")); }, stretch);
        QCOMPARE(stretch->text(), stretchInFile);
        checkOneStep([this] { panel->countUpDown()->stepUp(); }, panel->addressButton(1));

        // Two entries, two steps; undo goes back one entry at a time.
        typeEntry(count, QStringLiteral("30"));
        QVERIFY(count->toolTip().endsWith(QStringLiteral("In der Datei: ") + countInFile));
        typeEntry(count, QStringLiteral("40"));
        QCOMPARE(stack()->count(), 2);
        stack()->undo();
        QCOMPARE(count->text(), QStringLiteral("30"));
        QCOMPARE(working().count(1), 30);
        stack()->undo();
        QCOMPARE(count->text(), countInFile);
        QVERIFY(!window->document.isModified());
        QVERIFY(!hasChangeMark(count));

        // Text that is no number, or a cleared field, is no step and shows no box.
        const int steps = stack()->index();
        count->setText(QStringLiteral("x"));
        count->clear();
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(stack()->index(), steps);
    }

    void loopAndOutputBoxesAreOneStepEach() {
        QCheckBox* loop = panel->loopBox();
        const bool loopInFile = loop->isChecked();
        checkOneStep([loop] { loop->click(); }, panel->addressButton(1));
        QCOMPARE(loop->isChecked(), loopInFile);

        QCheckBox* output = panel->outputBox(2);
        const bool usedInFile = output->isChecked();
        checkOneStep([output] { output->click(); }, panel->addressButton(1));
        QCOMPARE(output->isChecked(), usedInFile);
        QCOMPARE(panel->canvas(2)->isHidden(), !usedInFile);
    }

    void selectingAnAddressIsNoStepAndUndoShowsEveryAddress() {
        panel->addressButton(3)->click();
        QCOMPARE(stack()->count(), 0);
        QVERIFY(!window->document.isModified());
        const QString countInFile = panel->countEdit()->text();
        typeEntry(panel->countEdit(), QStringLiteral("7"));
        QVERIFY(hasChangeMark(panel->addressButton(3)));

        // Undone while another address is shown: that one stays shown, address 3 is as in the file.
        panel->addressButton(1)->click();
        QVERIFY(!hasChangeMark(panel->addressButton(1)));
        QVERIFY(hasChangeMark(panel->addressButton(3)));
        stack()->undo();
        QVERIFY(panel->addressButton(1)->isChecked());
        QVERIFY(!hasChangeMark(panel->addressButton(3)));
        QCOMPARE(working().count(3), countInFile.toInt());
        panel->addressButton(3)->click();
        QCOMPARE(panel->countEdit()->text(), countInFile);
    }

    void acceptFollowsTheWorkingCopy() {
        QPushButton* accept = panel->acceptButton();
        QVERIFY(!accept->isEnabled());
        panel->loopBox()->click();
        QVERIFY(accept->isEnabled());
        stack()->undo();
        QVERIFY(!accept->isEnabled());
        stack()->redo();
        QVERIFY(accept->isEnabled());

        accept->click();
        QVERIFY(!accept->isEnabled());
        QVERIFY(!window->document.hasPendingEditorChanges());
        QVERIFY(window->document.isModified()); // taken over, not saved
        stack()->undo();
        QVERIFY(accept->isEnabled());
        stack()->redo();
        QVERIFY(!accept->isEnabled());

        // Taken over, an edit enables it again, and taking the edit back disables it.
        panel->outputBox(2)->click();
        QVERIFY(accept->isEnabled());
        panel->outputBox(2)->click();
        QVERIFY(!accept->isEnabled());
    }

    void acceptAndDiscardAreOneStepEach() {
        QPushButton* accept = panel->acceptButton();
        QPushButton* discard = panel->discardButton();
        QRadioButton* address = panel->addressButton(1);
        const hq::ProgramTable inFile = fileBank().table();

        panel->copyButton(4)->click();
        const hq::ProgramTable copied = working().table();
        QCOMPARE(oneStepProblem(
                     window->document, [accept] { accept->click(); }, address),
                 QString());
        QVERIFY(window->document.edited().patterns->table == copied);
        stack()->undo();
        QVERIFY(window->document.edited().patterns->table == inFile);
        QVERIFY(working().table() == copied);
        stack()->undo();
        QVERIFY(!window->document.isModified());

        panel->copyButton(4)->click();
        QCOMPARE(oneStepProblem(window->document, [discard] { discard->click(); }), QString());
        QVERIFY(working().table() == inFile);
        QVERIFY(!window->document.isModified());
        QVERIFY(!hasChangeMark(address));
        QVERIFY(!accept->isEnabled());
        stack()->undo();
        QVERIFY(working().table() == copied);
        QVERIFY(accept->isEnabled());
        stack()->undo();
        QVERIFY(!window->document.isModified());

        // Nothing to take over or to discard: no step.
        const int steps = stack()->index();
        discard->click();
        accept->click();
        QCOMPARE(stack()->index(), steps);
    }

private:
    QUndoStack* stack() const { return window->document.undoStack(); }

    hq::PatternBank bankOf(const hq::PatternSetting& patterns) const {
        hq::PatternBank bank(*patterns.layout);
        bank.table() = patterns.table;
        return bank;
    }
    // The document's working copy and the file's table.
    hq::PatternBank working() const { return bankOf(*window->document.state().patterns); }
    hq::PatternBank fileBank() const { return bankOf(*window->document.fileSettings().patterns); }

    // `edit` on the unmodified document is one step marking `marked` (see EditorTestSupport.h);
    // afterwards it is undone again.
    void checkOneStep(const std::function<void()>& edit, const QWidget* marked) {
        QVERIFY(!window->document.isModified());
        QCOMPARE(oneStepProblem(window->document, edit, marked), QString());
        stack()->undo();
        QVERIFY(!window->document.isModified());
        QVERIFY(!panel->acceptButton()->isEnabled());
    }

    std::unique_ptr<RecordingDialogs> dialogs;
    std::unique_ptr<LightTestWindow> window;
    std::unique_ptr<PatternEditor> editor;
    PatternPanel* panel = nullptr;
};

HQ_TEST_CLASS(PatternUndoTest)
#include "tst_PatternUndo.moc"

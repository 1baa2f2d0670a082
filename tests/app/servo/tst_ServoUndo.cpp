// The servo editor's edits as undo steps, made through its controls as a user makes them: every kind
// of edit (strokes and clicks on both images, generators, mirrors, the copy, typed count and stretch,
// assignments, pulse buttons, flags, curve and set files, "übernehmen", "verwerfen") is one step that
// undo takes back to the file's state and redo brings again; the changed control is marked while its
// value differs from the file, and "übernehmen" is enabled exactly while the working copy differs
// from the edited settings.

#include "../EditorTestSupport.h"
#include "ServoTestSupport.h"

#include "ChangeMark.h"
#include "QtTestSuite.h"
#include "document/FirmwareDocument.h"
#include "servo/CurveCanvasGeometry.h"
#include "servo/CurveTransform.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

using editortest::click;
using editortest::drag;
using editortest::oneStepProblem;
using editortest::sendMouse;
using editortest::typeEntry;

class ServoUndoTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void strokesAndClicksOnTheImagesAreOneStepEach();
    void aStrokeShowsAtOnceAndBecomesAStepOnRelease();
    void aStrokeCutShortByAResetIsOneStep();
    void undoInTheMiddleOfAStrokeKeepsWhatIsDrawnAfterIt();
    void generatorsMirrorsAndTheCopyAreOneStepEach();
    void theCopyMarksTheCurveOnly();
    void typedCountAndStretchAreOneStepPerEntry();
    void assignmentsPulseButtonsAndFlagsAreOneStepEach();
    void marksFollowTheFileNotTheHistory();
    void acceptFollowsTheWorkingCopy();
    void acceptAndDiscardAreOneStepEach();
    void curveAndSetFilesLoadedAreOneStepEach();

private:
    template <class T> T* find(const QString& name) const {
        T* widget = window->findChild<T*>(name);
        if (widget == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return widget;
    }
    template <class T> T* find(const char* name) const { return find<T>(QString::fromLatin1(name)); }
    bool acceptEnabled() const { return find<QPushButton>("servo_btn_uebernehmen")->isEnabled(); }
    QUndoStack* stack() const { return document->undoStack(); }

    // `edit` on the unmodified document is one step marking `marked` (see EditorTestSupport.h);
    // afterwards it is undone again.
    void checkOneStep(const std::function<void()>& edit, const QWidget* marked) {
        QVERIFY(!document->isModified());
        QCOMPARE(oneStepProblem(*document, edit, marked), QString());
        stack()->undo();
        QVERIFY(!document->isModified());
        QVERIFY(!acceptEnabled());
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<FirmwareDocument> document;
    std::unique_ptr<StandInWindow> window;
    std::unique_ptr<ServoEditor> editor;
};

void ServoUndoTest::init() {
    dialogs = ScriptedDialogs();
    Dialogs::install(&dialogs);
    auto loaded = hq::loadFirmware(servoDecoderText());
    QVERIFY(loaded.ok());
    window = std::make_unique<StandInWindow>();
    document = std::make_unique<FirmwareDocument>();
    document->load(*loaded, QStringLiteral("servo.hex"));
    editor = std::make_unique<ServoEditor>();
    editor->setUp(*document, *window);
    window->show();
    openEveryServoTab(window.get());
}

void ServoUndoTest::cleanup() {
    editor.reset();
    window.reset();
    document.reset();
    Dialogs::install(nullptr);
}

void ServoUndoTest::strokesAndClicksOnTheImagesAreOneStepEach() {
    auto* curve = find<QWidget>("servo_Image1");
    auto* relay = find<QWidget>("servo_Image2");
    auto* radio = find<QRadioButton>("servo_rad_a1");
    checkOneStep([curve] { drag(curve, {{10, 10}, {60, 40}, {110, 190}, {300, 0}}); }, radio);
    checkOneStep([curve] { click(curve, {120, 10}); }, radio);
    checkOneStep([relay] { drag(relay, {{50, 5}, {140, 50}, {250, 5}}); }, radio);
    checkOneStep([relay] { click(relay, {50, 5}); }, radio);
    // Shown again as in the file, not marked.
    QCOMPARE(document->servo().copy(), *document->fileSettings().servo);
    QVERIFY(!hasChangeMark(radio));

    // A click that changes nothing is no step: point 0 is at position 20 already and its relay is on
    // (the upper half of the track switches on). Nor is a right drag.
    const FirmwareDocument::State before = document->state();
    const int steps = stack()->index();
    const hq::CurveCanvasGeometry geometry(curve->width(), curve->height(), 11);
    click(curve, {2, geometry.pointY(20)});
    click(relay, {5, 5});
    sendMouse(curve, QEvent::MouseButtonPress, {300, 0}, Qt::RightButton, Qt::RightButton);
    sendMouse(curve, QEvent::MouseMove, {310, 0}, Qt::NoButton, Qt::RightButton);
    sendMouse(curve, QEvent::MouseButtonRelease, {310, 0}, Qt::RightButton, Qt::NoButton);
    QVERIFY(document->state() == before);
    QCOMPARE(stack()->index(), steps);
}

void ServoUndoTest::aStrokeShowsAtOnceAndBecomesAStepOnRelease() {
    auto* curve = find<QWidget>("servo_Image1");
    sendMouse(curve, QEvent::MouseButtonPress, {10, 0}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(curve, QEvent::MouseMove, {60, 0}, Qt::NoButton, Qt::LeftButton);
    // Drawn, shown and pending, but no step before the release.
    QCOMPARE(hq::pointPosition(document->state().servo->data.curve(1)[1]), 127);
    QCOMPARE(document->servo().copy(), *document->state().servo);
    QVERIFY(acceptEnabled());
    QVERIFY(document->isModified());
    QCOMPARE(stack()->count(), 0);
    sendMouse(curve, QEvent::MouseMove, {110, 0}, Qt::NoButton, Qt::LeftButton);
    sendMouse(curve, QEvent::MouseButtonRelease, {110, 0}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->undoText(), QStringLiteral("Kurve 1 gezeichnet"));
    stack()->undo();
    QCOMPARE(document->servo().copy(), *document->fileSettings().servo);
    QVERIFY(!document->isModified());
}

void ServoUndoTest::aStrokeCutShortByAResetIsOneStep() {
    auto* curve = find<QWidget>("servo_Image1");
    sendMouse(curve, QEvent::MouseButtonPress, {10, 0}, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(document->inStroke());
    editor->reset();
    QVERIFY(!document->inStroke());
    QCOMPARE(stack()->count(), 1);
    stack()->undo();
    QVERIFY(!document->isModified());
}

// Undo (its key) pressed while the mouse is held: the stroke goes on from the state undo gives, and
// what is drawn after it is shown, in the document and one step. The points drawn after the undo used
// to be shown without reaching the document, and vanished at the next change.
void ServoUndoTest::undoInTheMiddleOfAStrokeKeepsWhatIsDrawnAfterIt() {
    find<QPushButton>("btn_Lin")->click();
    auto* curve = find<QWidget>("servo_Image1");
    sendMouse(curve, QEvent::MouseButtonPress, {10, 0}, Qt::LeftButton, Qt::LeftButton);
    stack()->undo();
    QCOMPARE(document->servo().copy(), *document->fileSettings().servo);
    sendMouse(curve, QEvent::MouseMove, {60, 0}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(hq::pointPosition(document->servo().copy().data.curve(1)[1]), 127);
    QCOMPARE(document->servo().copy(), *document->state().servo);
    QVERIFY(acceptEnabled());
    sendMouse(curve, QEvent::MouseMove, {110, 0}, Qt::NoButton, Qt::LeftButton);
    sendMouse(curve, QEvent::MouseButtonRelease, {110, 0}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(document->servo().copy(), *document->state().servo);
    QCOMPARE(hq::pointPosition(document->state().servo->data.curve(1)[2]), 127);
    // The Lin step was replaced by the stroke: one step, undone to the file.
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->index(), 1);
    stack()->undo();
    QVERIFY(!document->isModified());
    QCOMPARE(document->servo().copy(), *document->fileSettings().servo);
}

void ServoUndoTest::generatorsMirrorsAndTheCopyAreOneStepEach() {
    // On curve 3, whose radio is marked.
    find<QRadioButton>("servo_rad_a3")->setChecked(true);
    QCOMPARE(stack()->count(), 0);
    auto* radio = find<QRadioButton>("servo_rad_a3");
    for (const char* name : {"btn_Lin", "btn_Log", "btn_Sin", "btn_sin2", "btn_MirrorVertikal",
                             "btn_MirrorHorizontal", "btn_copy2"}) {
        auto* button = find<QPushButton>(name);
        checkOneStep([button] { button->click(); }, radio);
        QCOMPARE(document->servo().copy().data.curve(3), document->fileSettings().servo->data.curve(3));
    }
}

// "von #N" copies the curve only: the target keeps its assignments and flags, so neither their values
// nor their marks change; undo takes the curve back.
void ServoUndoTest::theCopyMarksTheCurveOnly() {
    find<QRadioButton>("servo_rad_a2")->setChecked(true);
    const hq::ServoData inFile = document->fileSettings().servo->data;
    find<QPushButton>("btn_copy1")->click();
    QVERIFY(hasChangeMark(find<QRadioButton>("servo_rad_a2")));
    QVERIFY(!hasChangeMark(find<QRadioButton>("servo_rad_a1")));
    for (QWidget* control : find<QWidget>("pnl_servo2")->findChildren<QWidget*>()) {
        QVERIFY2(!hasChangeMark(control), qPrintable(control->objectName()));
    }
    const hq::ServoData& copied = document->servo().copy().data;
    for (int row = 1; row <= hq::kAssignmentRowCount; ++row) {
        QCOMPARE(hq::assignmentRow(copied, row).servoAction, hq::assignmentRow(inFile, row).servoAction);
        QCOMPARE(hq::assignmentRow(copied, row).curveRelay, hq::assignmentRow(inFile, row).curveRelay);
    }
    QCOMPARE(copied.curve(2)[hq::kCurveFlagEntry], inFile.curve(2)[hq::kCurveFlagEntry]);
    QCOMPARE(copied.curve(2)[hq::kCurveCountEntry], inFile.curve(1)[hq::kCurveCountEntry]);
    QCOMPARE(find<QLineEdit>("edt_Anzahl")->text(), QStringLiteral("11"));

    stack()->undo();
    QCOMPARE(document->servo().copy().data, inFile);
    QCOMPARE(find<QLineEdit>("edt_Anzahl")->text(), QStringLiteral("12"));
    QVERIFY(!hasChangeMark(find<QRadioButton>("servo_rad_a2")));
}

void ServoUndoTest::typedCountAndStretchAreOneStepPerEntry() {
    auto* count = find<QLineEdit>("edt_Anzahl");
    auto* stretch = find<QLineEdit>("edt_stretch");
    auto* radio = find<QRadioButton>("servo_rad_a1");
    // "1", then "12" in one entry: one step; undone, the field shows the file's count again.
    checkOneStep([count] { typeEntry(count, QStringLiteral("12")); }, radio);
    QCOMPARE(count->text(), QStringLiteral("11"));
    checkOneStep([stretch] { typeEntry(stretch, QStringLiteral("25")); }, radio);
    QCOMPARE(stretch->text(), QStringLiteral("1"));

    // Two entries are two steps; undo goes back one entry at a time.
    typeEntry(count, QStringLiteral("30"));
    typeEntry(count, QStringLiteral("40"));
    QCOMPARE(stack()->count(), 2);
    stack()->undo();
    QCOMPARE(count->text(), QStringLiteral("30"));
    QCOMPARE(document->servo().copy().data.curve(1)[hq::kCurveCountEntry], 30);
    stack()->undo();
    QCOMPARE(count->text(), QStringLiteral("11"));
    QVERIFY(!document->isModified());

    // Text that is no number is no step, and pops up nothing.
    stack()->clear();
    count->setText(QStringLiteral("x"));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(stack()->count(), 0);
    QVERIFY(!document->isModified());
}

void ServoUndoTest::assignmentsPulseButtonsAndFlagsAreOneStepEach() {
    auto* action = find<QComboBox>("cbx_a2_action");
    checkOneStep([action] { action->setCurrentIndex(3); }, action);
    // Undone, the row shows "Start Loop" with its curve and relay again.
    QCOMPARE(action->currentIndex(), 1);
    QVERIFY(!find<QComboBox>("cbx_a2_curve")->isHidden());

    for (const char* field : {"servo", "curve", "relais"}) {
        auto* box = find<QComboBox>(QStringLiteral("cbx_a7_%1").arg(QString::fromLatin1(field)));
        checkOneStep([box] { box->setCurrentIndex((box->currentIndex() + 1) % box->count()); }, box);
    }

    auto* offset = find<QLineEdit>("servo_edt_Offset_1");
    auto* maximum = find<QLineEdit>("servo_edt_max_1");
    const QString offsetInFile = offset->text();
    checkOneStep([this] { find<QPushButton>("btn_inc10offset_1")->click(); }, offset);
    QCOMPARE(offset->text(), offsetInFile);
    // Faktor 0 to 1 leaves the shown maximum as it is, but the value differs from the file.
    checkOneStep([this] { find<QPushButton>("btn_inc1faktor_1")->click(); }, maximum);
    // A step the range stops (servo 4: offset 60, at least 50) is no step.
    find<QPushButton>("btn_dec10offset_4")->click();
    QCOMPARE(stack()->count(), 1);
    find<QPushButton>("btn_dec10offset_4")->click();
    QCOMPARE(stack()->count(), 1);
    stack()->undo();

    for (const char* name : {"cbx_v_off_2", "cbx_imp_off_1", "cbx_no_ir_3", "cbx_no_rep_4"}) {
        auto* box = find<QCheckBox>(name);
        const bool inFile = box->isChecked();
        checkOneStep([box] { box->click(); }, box);
        QCOMPARE(box->isChecked(), inFile);
    }
}

void ServoUndoTest::marksFollowTheFileNotTheHistory() {
    auto* offset = find<QLineEdit>("servo_edt_Offset_2");
    const QString inFile = offset->text();
    find<QPushButton>("btn_inc10offset_2")->click();
    QVERIFY(hasChangeMark(offset));
    QVERIFY(offset->toolTip().endsWith(QStringLiteral("In der Datei: ") + inFile));
    find<QPushButton>("btn_dec10offset_2")->click();
    // Back at the file's value by another step: two steps, nothing marked, nothing modified.
    QCOMPARE(stack()->count(), 2);
    QVERIFY(!hasChangeMark(offset));
    QVERIFY(!document->isModified());
    QVERIFY(!acceptEnabled());

    // A curve drawn and drawn back is not marked either.
    auto* curve = find<QWidget>("servo_Image1");
    auto* radio = find<QRadioButton>("servo_rad_a1");
    const hq::CurveBlock curveInFile = document->servo().copy().data.curve(1);
    click(curve, {120, 0});
    QVERIFY(hasChangeMark(radio));
    stack()->undo();
    QVERIFY(!hasChangeMark(radio));
    QCOMPARE(document->servo().copy().data.curve(1), curveInFile);
}

void ServoUndoTest::acceptFollowsTheWorkingCopy() {
    QVERIFY(!acceptEnabled());
    find<QPushButton>("btn_Lin")->click();
    QVERIFY(acceptEnabled());
    stack()->undo();
    QVERIFY(!acceptEnabled());
    stack()->redo();
    QVERIFY(acceptEnabled());

    find<QPushButton>("servo_btn_uebernehmen")->click();
    QVERIFY(!acceptEnabled());
    QVERIFY(!document->hasPendingEditorChanges());
    QVERIFY(document->isModified()); // taken over, not saved
    stack()->undo();
    QVERIFY(acceptEnabled());
    QVERIFY(document->hasPendingEditorChanges());
    stack()->redo();
    QVERIFY(!acceptEnabled());

    // Taken over, an edit makes it enabled again, and drawing it back disables it.
    find<QPushButton>("btn_inc1offset_3")->click();
    QVERIFY(acceptEnabled());
    find<QPushButton>("btn_dec1offset_3")->click();
    QVERIFY(!acceptEnabled());
}

void ServoUndoTest::acceptAndDiscardAreOneStepEach() {
    auto* accept = find<QPushButton>("servo_btn_uebernehmen");
    auto* discard = find<QPushButton>("servo_btn_verwerfen");
    auto* radio = find<QRadioButton>("servo_rad_a1");
    const hq::ServoWorkingCopy inFile = *document->fileSettings().servo;

    find<QPushButton>("btn_Log")->click();
    const hq::ServoWorkingCopy drawn = document->servo().copy();
    QCOMPARE(oneStepProblem(
                 *document, [accept] { accept->click(); }, radio),
             QString());
    QCOMPARE(*document->edited().servo, drawn);
    // Two steps back to the file.
    stack()->undo();
    QCOMPARE(*document->edited().servo, inFile);
    QCOMPARE(document->servo().copy(), drawn);
    stack()->undo();
    QVERIFY(!document->isModified());
    QVERIFY(!hasChangeMark(radio));

    // "verwerfen": the working copy back to the edited settings, as one step.
    find<QPushButton>("btn_Log")->click();
    QCOMPARE(oneStepProblem(*document, [discard] { discard->click(); }), QString());
    QCOMPARE(document->servo().copy(), inFile);
    QVERIFY(!document->isModified());
    QVERIFY(!hasChangeMark(radio));
    QVERIFY(!acceptEnabled());
    stack()->undo();
    QCOMPARE(document->servo().copy(), drawn);
    QVERIFY(acceptEnabled());
    stack()->undo();
    QVERIFY(!document->isModified());

    // Nothing to take over or to discard: no step.
    const int steps = stack()->index();
    discard->click();
    accept->click();
    QCOMPARE(stack()->index(), steps);
}

void ServoUndoTest::curveAndSetFilesLoadedAreOneStepEach() {
    QTemporaryDir dir;
    const QString curveFile = dir.filePath(QStringLiteral("kurve2.cur"));
    const QString setFile = dir.filePath(QStringLiteral("alle.set"));
    // Curve 2 as a curve file; a set with curve 1 linear and servo 1 flags changed.
    find<QRadioButton>("servo_rad_a2")->setChecked(true);
    dialogs.nextSave = curveFile;
    find<QPushButton>("servo_save_1")->click();
    find<QRadioButton>("servo_rad_a1")->setChecked(true);
    find<QPushButton>("btn_Lin")->click();
    find<QCheckBox>("cbx_no_ir_1")->click();
    dialogs.nextSave = setFile;
    find<QPushButton>("servo_save_all")->click();
    stack()->undo();
    stack()->undo();
    QVERIFY(!document->isModified());
    QCOMPARE(stack()->count(), 2); // saving files is no step

    dialogs.nextOpen = curveFile;
    auto* radio = find<QRadioButton>("servo_rad_a1");
    checkOneStep([this] { find<QPushButton>("servo_load_1")->click(); }, radio);
    dialogs.nextOpen = setFile;
    auto* flag = find<QCheckBox>("cbx_no_ir_1");
    checkOneStep([this] { find<QPushButton>("servo_load_all")->click(); }, flag);
    QVERIFY(!flag->isChecked());
    QVERIFY(dialogs.messages.isEmpty());

    // A file that is refused is no step.
    QFile bad(dir.filePath(QStringLiteral("bad.cur")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("5\nx\n");
    bad.close();
    dialogs.nextOpen = bad.fileName();
    const int steps = stack()->index();
    find<QPushButton>("servo_load_1")->click();
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(stack()->index(), steps);
}

HQ_TEST_CLASS(ServoUndoTest)
#include "tst_ServoUndo.moc"

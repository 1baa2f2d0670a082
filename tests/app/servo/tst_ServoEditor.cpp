// The servo editor in the window as a view of the document: what its two panels show of the servo
// firmware, what drawing, typing, the generators, copies, assignments, pulse buttons, flags and curve
// files store in the document's working copy, "übernehmen" and "verwerfen", and what a save writes.

#include "../EditorTestSupport.h"
#include "ServoTestSupport.h"

#include "../../core/servo/ServoFirmwareText.h"
#include "QtTestSuite.h"
#include "StrokeCanvas.h"
#include "document/FirmwareDocument.h"
#include "encode/ProgramTable.h"
#include "image/Checksum.h"
#include "image/Firmware.h"
#include "preview/ServoPreviewWidget.h"
#include "servo/CurveCanvasGeometry.h"
#include "servo/CurveGenerator.h"
#include "servo/CurveTransform.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoAssignmentPanel.h"
#include "servo/ServoEditor.h"
#include "servo/ServoUpDown.h"
#include "settings/FirmwareSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include <memory>

using editortest::drag;
using editortest::sendMouse;

namespace {

const QString kInvalidLine =
    QStringLiteral("Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile %1");

QString millis(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

} // namespace

class ServoEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void setUpShowsTheFirmwareAndLeavesAcceptDisabled();
    void dragAcrossTheCurveStoresClampedPoints();
    void dragOnTheRelayTrackSwitchesRelays();
    void aClickDrawsLikeADragOfOnePoint();
    void strokesAreReportedFromPressToRelease();
    void acceptWritesBlocks3And4AndTheTiming();
    void discardReloadsFromTheFirmware();
    void pointCountAndStretchFields();
    void fieldsShowTheSelectedCurvesStoredValues();
    void actionAbbruchHidesCurveAndRelay();
    void offsetAndFaktorButtons();
    void faktorStepWithoutNewTextStillCountsAsEdit();
    void flagBoxesWriteTheFlagBytes();
    void copyTakesTheCurveOnly();
    void copyKeepsTheAssignmentsAndFlagsOfTheSelectedCurve();
    void generatorsAndMirrorsWorkOnTheSelectedCurve();
    void curveFileSaveAndLoad();
    void curveFileRefusalsChangeNothing();
    void setFileLoadRefreshesAssignmentsAndFlags();
    void resetHidesThePanels();
    void clearingCountOrStretchPopsNothingAndStoresNothing();
    void thePreviewPlaysTheWorkingCopyBeforeItIsTakenOver();
    void aStretchAboveTheLimitPlaysToTheLastPoint();
    void importedSettingsShowAndLeaveNothingPending();
    void curveBlocksHoldingCodeAreShownReadOnly();

private:
    template <class T> T* find(const char* name) const {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no control %s", name);
        }
        return widget;
    }
    bool acceptEnabled() const { return find<QPushButton>("servo_btn_uebernehmen")->isEnabled(); }

    ScriptedDialogs dialogs;
    std::unique_ptr<hq::Firmware> firmware;
    std::unique_ptr<FirmwareDocument> document;
    std::unique_ptr<StandInWindow> window;
    std::unique_ptr<ServoEditor> editor;
};

void ServoEditorTest::init() {
    dialogs = ScriptedDialogs();
    Dialogs::install(&dialogs);
    auto loaded = hq::loadFirmware(servoDecoderText());
    QVERIFY(loaded.ok());
    firmware = std::make_unique<hq::Firmware>(std::move(loaded.value()));
    window = std::make_unique<StandInWindow>();
    editor = std::make_unique<ServoEditor>();
    editor->reset();
    document = std::make_unique<FirmwareDocument>();
    document->load(*firmware, QStringLiteral("servo.hex"));
    editor->setUp(*document, *window);
    window->show();
    openEveryServoTab(window.get());
}

void ServoEditorTest::cleanup() {
    editor.reset();
    window.reset();
    document.reset();
    Dialogs::install(nullptr);
}

void ServoEditorTest::setUpShowsTheFirmwareAndLeavesAcceptDisabled() {
    QCOMPARE(document->servo().copy().data, hq::servotest::demoServoData());
    QCOMPARE(document->servo().copy().timing, hq::servotest::demoServoTiming());
    QVERIFY(!find<QWidget>("pnl_servo")->isHidden());
    QVERIFY(!find<QWidget>("pnl_servo2")->isHidden());
    QVERIFY(!acceptEnabled());
    QVERIFY(!document->hasPendingEditorChanges());
    QVERIFY(dialogs.messages.isEmpty());

    QVERIFY(find<QRadioButton>("servo_rad_a1")->isChecked());
    QCOMPARE(find<QLineEdit>("edt_Anzahl")->text(), QStringLiteral("11"));
    QCOMPARE(find<QLineEdit>("edt_stretch")->text(), QStringLiteral("1"));
    QCOMPARE(find<QLabel>("lbl_KurveInfo1")->text(), QStringLiteral("Zeit zwischen 2 Punkten = 20 ms"));
    QCOMPARE(find<QLabel>("lbl_KurveInfo2")->text(), QStringLiteral("Gesamtzeit für diese Kurve = 200 ms"));
    QVERIFY(!find<QPushButton>("btn_copy1")->isEnabled());
    QVERIFY(find<QPushButton>("btn_copy2")->isEnabled());

    // Row a1: servo 1 with "Start Loop", curve 1, relay 4; row a5 (block 1, entries 106/107):
    // servo 4 with "Abbruch", so its curve and relay boxes are hidden.
    QCOMPARE(find<QComboBox>("cbx_a1_servo")->currentIndex(), 0);
    QCOMPARE(find<QComboBox>("cbx_a1_action")->currentIndex(), 1);
    QCOMPARE(find<QComboBox>("cbx_a1_curve")->currentIndex(), 0);
    QCOMPARE(find<QComboBox>("cbx_a1_relais")->currentIndex(), 3);
    QCOMPARE(find<QComboBox>("cbx_a5_servo")->currentIndex(), 3);
    QCOMPARE(find<QComboBox>("cbx_a5_action")->currentIndex(), 2);
    QVERIFY(find<QComboBox>("cbx_a5_curve")->isHidden());
    QVERIFY(find<QComboBox>("cbx_a5_relais")->isHidden());
    QVERIFY(!find<QComboBox>("cbx_a1_curve")->isHidden());

    // Flag bytes 0x20 | N: servo 1 has bit 0 only (no listed flag), servo 2 bit 1 "Spannung aus".
    QVERIFY(!find<QCheckBox>("cbx_v_off_1")->isChecked());
    QVERIFY(find<QCheckBox>("cbx_v_off_2")->isChecked());
    QVERIFY(find<QCheckBox>("cbx_imp_off_4")->isChecked());
    QVERIFY(!find<QCheckBox>("cbx_no_rep_4")->isChecked());

    // Offset 125, faktor 0.
    QCOMPARE(find<QLineEdit>("servo_edt_Offset_1")->text(), millis("1.000"));
    QCOMPARE(find<QLineEdit>("servo_edt_max_1")->text(), millis("2.016"));
}

void ServoEditorTest::dragAcrossTheCurveStoresClampedPoints() {
    auto* canvas = find<QWidget>("servo_Image1");
    QCOMPARE(canvas->size(), QSize(513, 201));
    // Curve 1 has 11 points: x-step 503 / 11, y-scale 201 / 128.
    drag(canvas, {QPoint(0, 100), QPoint(137, -40), QPoint(46, 250), QPoint(600, 50)});
    const hq::CurveBlock& curve = document->servo().copy().data.curve(1);
    QCOMPARE(curve[0], 64 | 0x80);  // relay of point 0 kept
    QCOMPARE(curve[3], 127 | 0x80); // above the top: 127, relay kept
    QCOMPARE(curve[1], 0);          // below the bottom: 0
    QCOMPARE(curve[13], 96);        // right of the last point: point 13, beyond the count of 11
    QCOMPARE(curve[hq::kCurveCountEntry], 11);
    QCOMPARE(curve[2], hq::servotest::demoServoData().curve(1)[2]);
    QVERIFY(acceptEnabled());
    QVERIFY(document->hasPendingEditorChanges());

    // Far right edits point 99 at most, never the flag byte.
    drag(canvas, {QPoint(20000, 150)});
    QCOMPARE(curve[99], 32 | 0x80);
    QCOMPARE(curve[hq::kCurveFlagEntry], 0x21);

    // After the release a move edits nothing.
    const hq::ServoData before = document->servo().copy().data;
    sendMouse(canvas, QEvent::MouseMove, QPoint(0, 0), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(document->servo().copy().data, before);
    // The other curves are untouched.
    QCOMPARE(document->servo().copy().data.curve(2), hq::servotest::demoServoData().curve(2));
}

void ServoEditorTest::dragOnTheRelayTrackSwitchesRelays() {
    auto* track = find<QWidget>("servo_Image2");
    QCOMPARE(track->size(), QSize(513, 57));
    // Point 1 (x 46..91) has its relay off, point 3 on.
    drag(track, {QPoint(50, 5), QPoint(140, 50)});
    const hq::CurveBlock& curve = document->servo().copy().data.curve(1);
    QVERIFY(hq::pointRelay(curve[1]));
    QVERIFY(!hq::pointRelay(curve[3]));
    QCOMPARE(hq::pointPosition(curve[1]), hq::pointPosition(hq::servotest::demoServoData().curve(1)[1]));
    QVERIFY(acceptEnabled());
}

void ServoEditorTest::aClickDrawsLikeADragOfOnePoint() {
    const hq::CurveBlock& curve = document->servo().copy().data.curve(1);
    auto* canvas = find<QWidget>("servo_Image1");
    // Point 0 is at position 20: clicking on it changes nothing.
    const hq::CurveCanvasGeometry geometry(canvas->width(), canvas->height(), 11);
    sendMouse(canvas, QEvent::MouseButtonPress, QPoint(2, geometry.pointY(20)), Qt::LeftButton,
              Qt::LeftButton);
    sendMouse(canvas, QEvent::MouseButtonRelease, QPoint(2, geometry.pointY(20)), Qt::LeftButton,
              Qt::NoButton);
    QCOMPARE(document->servo().copy().data, hq::servotest::demoServoData());
    QVERIFY(!acceptEnabled());

    // A click at the height of position 64 moves it there at once.
    sendMouse(canvas, QEvent::MouseButtonPress, QPoint(0, 100), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(curve[0], 64 | 0x80);
    QVERIFY(acceptEnabled());
    sendMouse(canvas, QEvent::MouseButtonRelease, QPoint(0, 100), Qt::LeftButton, Qt::NoButton);

    // On the relay track a click switches the relay of point 1 (x 46..91) on.
    QVERIFY(!hq::pointRelay(curve[1]));
    auto* track = find<QWidget>("servo_Image2");
    sendMouse(track, QEvent::MouseButtonPress, QPoint(50, 5), Qt::LeftButton, Qt::LeftButton);
    sendMouse(track, QEvent::MouseButtonRelease, QPoint(50, 5), Qt::LeftButton, Qt::NoButton);
    QVERIFY(hq::pointRelay(curve[1]));

    // The right button draws nothing.
    const hq::ServoData before = document->servo().copy().data;
    sendMouse(canvas, QEvent::MouseButtonPress, QPoint(300, 0), Qt::RightButton, Qt::RightButton);
    sendMouse(canvas, QEvent::MouseMove, QPoint(310, 0), Qt::NoButton, Qt::RightButton);
    sendMouse(canvas, QEvent::MouseButtonRelease, QPoint(310, 0), Qt::RightButton, Qt::NoButton);
    QCOMPARE(document->servo().copy().data, before);
}

void ServoEditorTest::strokesAreReportedFromPressToRelease() {
    for (const char* name : {"servo_Image1", "servo_Image2"}) {
        auto* canvas = find<StrokeCanvas>(name);
        QSignalSpy started(canvas, &StrokeCanvas::strokeStarted);
        QSignalSpy drawn(canvas, &StrokeCanvas::pointDrawn);
        QSignalSpy finished(canvas, &StrokeCanvas::strokeFinished);
        drag(canvas, {QPoint(10, 0), QPoint(60, 0), QPoint(110, 0)});
        QCOMPARE(started.count(), 1);
        QCOMPARE(drawn.count(), 4); // the press and three moves
        QCOMPARE(finished.count(), 1);
        QCOMPARE(drawn.at(3).at(0).toInt(), 2); // point 2 (x 91..137)
    }
    // Drawn at the top: position 127 on the curve, relay on on the track.
    QCOMPARE(document->servo().copy().data.curve(1)[2], 127 | 0x80);
}

void ServoEditorTest::acceptWritesBlocks3And4AndTheTiming() {
    drag(find<QWidget>("servo_Image1"), {QPoint(0, 0)});
    find<QRadioButton>("servo_rad_a4")->setChecked(true);
    find<QLineEdit>("edt_Anzahl")->setText(QStringLiteral("40"));
    find<QPushButton>("btn_inc10offset_3")->click();
    find<QComboBox>("cbx_a8_curve")->setCurrentIndex(2);
    const hq::ServoWorkingCopy edited = document->servo().copy();
    QCOMPARE(edited.data.curve(1)[0], 127 | 0x80);
    QCOMPARE(edited.data.curve(4)[hq::kCurveCountEntry], 40);
    QCOMPARE(edited.timing.offset(3), 210);

    find<QPushButton>("servo_btn_uebernehmen")->click();
    QVERIFY(!acceptEnabled());
    QVERIFY(!document->hasPendingEditorChanges());
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(*document->edited().servo, edited);
    // Saved, blocks 3 and 4 and the timing bytes hold the taken-over working copy.
    hq::Firmware saved = document->firmware();
    QVERIFY(!hq::applySettings(saved, document->edited()));
    QCOMPARE(hq::loadServoWorkingCopy(saved.image, saved.eeprom()), edited);
    QCOMPARE(QString::fromStdString(saved.eeprom().bytes[100]), QStringLiteral("D2"));
    // Entry 0 of block 3 is the low byte of the first word of ":100A0000".
    bool found = false;
    for (int i = 0; i < saved.image.lineCount; ++i) {
        const std::string& line = saved.image.lines[static_cast<std::size_t>(i)];
        if (line.starts_with(":100A0000")) {
            QVERIFY(line.starts_with(":100A0000FF34"));
            found = true;
        }
    }
    QVERIFY(found);
}

void ServoEditorTest::discardReloadsFromTheFirmware() {
    drag(find<QWidget>("servo_Image1"), {QPoint(0, 0), QPoint(300, 0)});
    find<QComboBox>("cbx_a2_action")->setCurrentIndex(3);
    QVERIFY(acceptEnabled());
    find<QPushButton>("servo_btn_verwerfen")->click();
    QCOMPARE(document->servo().copy().data, hq::servotest::demoServoData());
    QVERIFY(!acceptEnabled());
    QCOMPARE(find<QComboBox>("cbx_a2_action")->currentIndex(), 1);
    QVERIFY(!find<QComboBox>("cbx_a2_curve")->isHidden());
}

void ServoEditorTest::pointCountAndStretchFields() {
    auto* count = find<QLineEdit>("edt_Anzahl");
    auto* stretch = find<QLineEdit>("edt_stretch");
    const auto& curve = document->servo().copy().data.curve(1);

    count->setText(QStringLiteral("0"));
    QCOMPARE(curve[hq::kCurveCountEntry], 1);
    QVERIFY(acceptEnabled());
    count->setText(QStringLiteral("-5"));
    QCOMPARE(curve[hq::kCurveCountEntry], 1);
    count->setText(QStringLiteral("150"));
    QCOMPARE(curve[hq::kCurveCountEntry], 100);
    QCOMPARE(count->text(), QStringLiteral("150")); // the typed text stays
    QVERIFY(dialogs.messages.isEmpty());

    // Text that is no number is marked, not stored, and pops up nothing.
    count->setText(QStringLiteral("abc"));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(curve[hq::kCurveCountEntry], 100);
    QVERIFY(!rangeProblemOf(count).isEmpty());
    stretch->setText(QStringLiteral("x"));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(curve[hq::kCurveStretchEntry], 1);

    count->setText(QStringLiteral("10"));
    stretch->setText(QStringLiteral("10"));
    QCOMPARE(curve[hq::kCurveStretchEntry], 10);
    QCOMPARE(find<QLabel>("lbl_KurveInfo1")->text(), QStringLiteral("Zeit zwischen 2 Punkten = 200 ms"));
    QCOMPARE(find<QLabel>("lbl_KurveInfo2")->text(), QStringLiteral("Gesamtzeit für diese Kurve = 1800 ms"));
    stretch->setText(QStringLiteral("500"));
    QCOMPARE(curve[hq::kCurveStretchEntry], 200);

    // Selecting another curve shows its own values without counting as an edit of it.
    find<QRadioButton>("servo_rad_a2")->setChecked(true);
    QCOMPARE(count->text(), QStringLiteral("12"));
    QCOMPARE(stretch->text(), QStringLiteral("2"));
    QCOMPARE(document->servo().copy().data.curve(2), hq::servotest::demoServoData().curve(2));
    QVERIFY(!find<QPushButton>("btn_copy2")->isEnabled());
    QVERIFY(find<QPushButton>("btn_copy1")->isEnabled());

    // A "0" typed for curve 2 stands for its stored 1 and stays; curve 4 shows its own stored 4 (no
    // text typed for it), and curve 2 shows its 1 when selected again.
    stretch->setText(QStringLiteral("0"));
    QCOMPARE(document->servo().copy().data.curve(2)[hq::kCurveStretchEntry], 1);
    QCOMPARE(stretch->text(), QStringLiteral("0"));
    find<QRadioButton>("servo_rad_a4")->setChecked(true);
    QCOMPARE(stretch->text(), QStringLiteral("4"));
    find<QRadioButton>("servo_rad_a2")->setChecked(true);
    QCOMPARE(stretch->text(), QStringLiteral("1"));
}

// The stretch field used to keep a "0" typed for curve 2 when curve 1 (stretch 1) was selected, as
// if it stood for curve 1's value, and showed the "0" of the empty panel after set-up.
void ServoEditorTest::fieldsShowTheSelectedCurvesStoredValues() {
    auto* stretch = find<QLineEdit>("edt_stretch");
    QCOMPARE(stretch->text(), QStringLiteral("1"));
    find<QRadioButton>("servo_rad_a2")->setChecked(true);
    stretch->setText(QStringLiteral("0"));
    find<QRadioButton>("servo_rad_a1")->setChecked(true);
    QCOMPARE(stretch->text(), QStringLiteral("1"));
    QCOMPARE(document->servo().copy().data.curve(1)[hq::kCurveStretchEntry], 1);
}

void ServoEditorTest::actionAbbruchHidesCurveAndRelay() {
    auto* action = find<QComboBox>("cbx_a3_action");
    action->setCurrentIndex(2); // "Abbruch"
    QVERIFY(find<QComboBox>("cbx_a3_curve")->isHidden());
    QVERIFY(find<QComboBox>("cbx_a3_relais")->isHidden());
    QCOMPARE(document->servo().copy().data.curve(3)[103], 0x24);
    QVERIFY(acceptEnabled());
    action->setCurrentIndex(3); // "Beenden"
    QVERIFY(find<QComboBox>("cbx_a3_curve")->isHidden());
    action->setCurrentIndex(0); // "Start"
    QVERIFY(!find<QComboBox>("cbx_a3_curve")->isHidden());
    QVERIFY(!find<QComboBox>("cbx_a3_relais")->isHidden());
    QCOMPARE(document->servo().copy().data.curve(3)[103], 0x04);

    find<QComboBox>("cbx_a3_servo")->setCurrentIndex(1);
    find<QComboBox>("cbx_a3_relais")->setCurrentIndex(0);
    QCOMPARE(document->servo().copy().data.curve(3)[103], 0x02);
    QCOMPARE(document->servo().copy().data.curve(3)[104], 0x41);
}

void ServoEditorTest::offsetAndFaktorButtons() {
    // Servo 1: offset 125, faktor 0.
    find<QPushButton>("btn_inc10faktor_1")->click();
    QCOMPARE(document->servo().copy().timing.faktor(1), 10);
    QCOMPARE(find<QLineEdit>("servo_edt_max_1")->text(), millis("2.088"));
    QVERIFY(acceptEnabled());

    find<QPushButton>("servo_btn_uebernehmen")->click();
    QVERIFY(!acceptEnabled());
    find<QPushButton>("btn_dec10offset_1")->click();
    QCOMPARE(document->servo().copy().timing.offset(1), 115);
    QCOMPARE(find<QLineEdit>("servo_edt_Offset_1")->text(), millis("0.920"));
    QVERIFY(acceptEnabled());

    // Servo 4: offset 60 stops at 50; faktor 128 stays 128 going down.
    find<QPushButton>("btn_dec10offset_4")->click();
    find<QPushButton>("btn_dec10offset_4")->click();
    QCOMPARE(document->servo().copy().timing.offset(4), 50);
    find<QPushButton>("btn_dec1faktor_4")->click();
    QCOMPARE(document->servo().copy().timing.faktor(4), 128);
    // Servo 3: faktor 240 wraps past 253 to 7.
    find<QPushButton>("btn_inc10faktor_3")->click();
    find<QPushButton>("btn_inc10faktor_3")->click();
    QCOMPARE(document->servo().copy().timing.faktor(3), 7);
    // Servo 2: offset 100 up by 1.
    find<QPushButton>("btn_inc1offset_2")->click();
    QCOMPARE(document->servo().copy().timing.offset(2), 101);
}

void ServoEditorTest::faktorStepWithoutNewTextStillCountsAsEdit() {
    // Faktor 0 to 1 adds trunc(127 / 128) = 0: the text stays, the byte changes.
    const QString before = find<QLineEdit>("servo_edt_max_1")->text();
    find<QPushButton>("btn_inc1faktor_1")->click();
    QCOMPARE(document->servo().copy().timing.faktor(1), 1);
    QCOMPARE(find<QLineEdit>("servo_edt_max_1")->text(), before);
    QVERIFY(acceptEnabled());
}

void ServoEditorTest::flagBoxesWriteTheFlagBytes() {
    find<QCheckBox>("cbx_no_rep_1")->click();
    find<QCheckBox>("cbx_v_off_2")->click();
    QCOMPARE(document->servo().copy().data.curve(1)[hq::kCurveFlagEntry], 0xA1); // bit 5 and bit 0 kept
    QCOMPARE(document->servo().copy().data.curve(2)[hq::kCurveFlagEntry], 0x20);
    QCOMPARE(document->servo().copy().data.curve(3)[hq::kCurveFlagEntry], 0x23);
    QVERIFY(acceptEnabled());
}

void ServoEditorTest::copyTakesTheCurveOnly() {
    find<QPushButton>("btn_copy2")->click();
    const hq::ServoData demo = hq::servotest::demoServoData();
    const hq::CurveBlock& curve = document->servo().copy().data.curve(1);
    for (int i = 0; i < hq::kMaxCurvePoints; ++i) {
        QCOMPARE(curve[static_cast<std::size_t>(i)], demo.curve(2)[static_cast<std::size_t>(i)]);
    }
    QCOMPARE(curve[hq::kCurveCountEntry], demo.curve(2)[hq::kCurveCountEntry]);
    QCOMPARE(curve[hq::kCurveStretchEntry], demo.curve(2)[hq::kCurveStretchEntry]);
    QCOMPARE(curve[hq::kCurveFlagEntry], demo.curve(1)[hq::kCurveFlagEntry]);
    for (int i = hq::kCurveStretchEntry + 1; i < hq::kCurveBlockSize; ++i) {
        QCOMPARE(curve[static_cast<std::size_t>(i)], demo.curve(1)[static_cast<std::size_t>(i)]);
    }
    QVERIFY(acceptEnabled());
    // The copied count and stretch show at once.
    QCOMPARE(find<QLineEdit>("edt_Anzahl")->text(), QStringLiteral("12"));
    QCOMPARE(find<QLineEdit>("edt_stretch")->text(), QStringLiteral("2"));
    // A block is never copied onto itself.
    QVERIFY(!find<QPushButton>("btn_copy1")->isEnabled());
}

// With "Kurve 2" selected, "von #1" used to turn rows a2/a6 (servo 2, curve 2, relay 2) into servo
// 1, curve 1, relay 1 and to give servo 2 the option flags of servo 1.
void ServoEditorTest::copyKeepsTheAssignmentsAndFlagsOfTheSelectedCurve() {
    auto shown = [this] {
        QStringList texts;
        for (int row : {2, 6}) {
            for (const char* field : {"servo", "action", "curve", "relais"}) {
                const QByteArray name = "cbx_a" + QByteArray::number(row) + '_' + field;
                texts << find<QComboBox>(name.constData())->currentText();
            }
        }
        for (const char* flag : {"cbx_v_off_2", "cbx_imp_off_2", "cbx_no_ir_2", "cbx_no_rep_2"}) {
            texts << (find<QCheckBox>(flag)->isChecked() ? QStringLiteral("an") : QStringLiteral("aus"));
        }
        return texts;
    };
    find<QRadioButton>("servo_rad_a2")->setChecked(true);
    const QStringList before = shown();
    find<QPushButton>("btn_copy1")->click();
    QCOMPARE(shown(), before);
    const hq::ServoData demo = hq::servotest::demoServoData();
    for (int row : {2, 6}) {
        QCOMPARE(hq::assignmentRow(document->servo().copy().data, row).servoAction,
                 hq::assignmentRow(demo, row).servoAction);
        QCOMPARE(hq::assignmentRow(document->servo().copy().data, row).curveRelay,
                 hq::assignmentRow(demo, row).curveRelay);
    }
    QCOMPARE(document->servo().copy().data.curve(2)[hq::kCurveFlagEntry], demo.curve(2)[hq::kCurveFlagEntry]);
    QCOMPARE(find<QLineEdit>("edt_Anzahl")->text(), QStringLiteral("11"));
}

void ServoEditorTest::generatorsAndMirrorsWorkOnTheSelectedCurve() {
    find<QRadioButton>("servo_rad_a3")->setChecked(true);
    find<QLineEdit>("edt_Anzahl")->setText(QStringLiteral("10"));
    find<QPushButton>("btn_Lin")->click();
    const hq::CurveBlock& curve = document->servo().copy().data.curve(3);
    QCOMPARE(hq::pointPosition(curve[1]), 14);
    QCOMPARE(hq::pointPosition(curve[9]), 127);
    QVERIFY(hq::pointRelay(curve[0]));
    find<QPushButton>("btn_MirrorVertikal")->click();
    QCOMPARE(hq::pointPosition(curve[0]), 127);
    find<QPushButton>("btn_MirrorHorizontal")->click();
    QCOMPARE(hq::pointPosition(curve[0]), 0);
    QVERIFY(hq::pointRelay(curve[0]));
    find<QPushButton>("btn_sin2")->click();
    QCOMPARE(hq::pointPosition(curve[4]), 122);
    find<QPushButton>("btn_Sin")->click();
    QCOMPARE(hq::pointPosition(curve[9]), 126);
    find<QPushButton>("btn_Log")->click();
    QCOMPARE(hq::pointPosition(curve[1]), 38);
    QCOMPARE(document->servo().copy().data.curve(1), hq::servotest::demoServoData().curve(1));
}

void ServoEditorTest::curveFileSaveAndLoad() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kurve.cur"));
    dialogs.nextSave = path;
    find<QPushButton>("servo_save_1")->click();
    QCOMPARE(dialogs.filters.last(), QStringLiteral("CUR (*.cur);;TXT (*.txt);;*.* (*)"));
    QCOMPARE(dialogs.suffix, QStringLiteral("cur"));

    find<QRadioButton>("servo_rad_a2")->setChecked(true);
    dialogs.nextOpen = path;
    find<QPushButton>("servo_load_1")->click();
    QVERIFY(dialogs.messages.isEmpty());
    const hq::ServoData demo = hq::servotest::demoServoData();
    const hq::CurveBlock& curve = document->servo().copy().data.curve(2);
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(curve[static_cast<std::size_t>(i)], demo.curve(1)[static_cast<std::size_t>(i)]);
    }
    QCOMPARE(curve[11], demo.curve(2)[11]);
    QCOMPARE(curve[hq::kCurveCountEntry], 11);
    QCOMPARE(find<QLineEdit>("edt_Anzahl")->text(), QStringLiteral("11"));
    QVERIFY(acceptEnabled());

    // 120 lines: the warning, then the first 100 are used.
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < 120; ++i) {
        file.write(i < 100 ? "300\r\n" : "x\r\n");
    }
    file.close();
    find<QPushButton>("servo_load_1")->click();
    QCOMPARE(dialogs.messages,
             QStringList{QStringLiteral("Nur die ersten 100 Zeilen dieses File werden verwendet")});
    QCOMPARE(curve[hq::kCurveCountEntry], 100);
    QCOMPARE(curve[99], 255);
}

void ServoEditorTest::curveFileRefusalsChangeNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.cur"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("5\n6\nx\n");
    file.close();
    dialogs.nextOpen = path;
    find<QPushButton>("servo_load_1")->click();
    QCOMPARE(dialogs.messages, QStringList{kInvalidLine.arg(2)});
    QCOMPARE(document->servo().copy().data, hq::servotest::demoServoData());
    QVERIFY(!acceptEnabled());

    // An empty file keeps the old count and points.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    find<QPushButton>("servo_load_1")->click();
    QCOMPARE(document->servo().copy().data, hq::servotest::demoServoData());

    // A file that cannot be read shows why.
    dialogs.nextOpen = dir.filePath(QStringLiteral("fehlt.cur"));
    find<QPushButton>("servo_load_1")->click();
    QCOMPARE(dialogs.messages.size(), 2);
    QVERIFY(!dialogs.messages.last().isEmpty());

    // A cancelled dialog does nothing.
    dialogs.nextOpen.clear();
    find<QPushButton>("servo_load_all")->click();
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(document->servo().copy().data, hq::servotest::demoServoData());
}

void ServoEditorTest::setFileLoadRefreshesAssignmentsAndFlags() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alle.set"));
    // Save the demo set, change everything, load the set back.
    dialogs.nextSave = path;
    find<QPushButton>("servo_save_all")->click();
    QCOMPARE(dialogs.filters.last(), QStringLiteral("SET (*.set);;TXT (*.txt);;*.* (*)"));
    QCOMPARE(dialogs.suffix, QStringLiteral("set"));
    find<QPushButton>("btn_Lin")->click();
    find<QComboBox>("cbx_a1_servo")->setCurrentIndex(3);
    find<QCheckBox>("cbx_no_ir_1")->click();
    find<QPushButton>("servo_btn_uebernehmen")->click();

    dialogs.nextOpen = path;
    find<QPushButton>("servo_load_all")->click();
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(document->servo().copy().data, hq::servotest::demoServoData());
    QCOMPARE(find<QComboBox>("cbx_a1_servo")->currentIndex(), 0);
    QVERIFY(!find<QCheckBox>("cbx_no_ir_1")->isChecked());
    QVERIFY(acceptEnabled());

    // A set of 511 lines is refused as a whole.
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (int i = 0; i < 511; ++i) {
        file.write("1\n");
    }
    file.close();
    find<QPushButton>("servo_load_all")->click();
    QCOMPARE(dialogs.messages, QStringList{kInvalidLine.arg(510)});
    QCOMPARE(document->servo().copy().data, hq::servotest::demoServoData());
}

// A curve block holding a word that is no retlw (code of another firmware version) is shown, never
// edited; the pulse timing, which lives in the EEPROM, stays editable.
void ServoEditorTest::curveBlocksHoldingCodeAreShownReadOnly() {
    editor->reset();
    hq::Firmware guarded = *firmware;
    int start = -1;
    for (int i = 0; i < guarded.image.lineCount; ++i)
        if (guarded.image.lines[i].starts_with(hq::programBlockKey(4)))
            start = i;
    QVERIFY(start >= 0);
    std::string& line = guarded.image.lines[start + 3];
    std::string body = line.substr(0, line.size() - 2);
    body.replace(9, 4, "0528"); // goto 0x005 as the file stores it, low byte first
    line = *hq::completeRecord(body);
    document->load(guarded, QStringLiteral("servo-code.hex"));
    editor->setUp(*document, *window);
    openEveryServoTab(window.get());

    auto* notice = find<QLabel>("lbl_tabellenschutz");
    QVERIFY(notice->isVisible());
    QVERIFY2(notice->text().contains(QStringLiteral("2805")), qPrintable(notice->text()));
    QVERIFY(!find<QWidget>("servo_Image1")->isEnabled());
    QVERIFY(!find<QLineEdit>("edt_Anzahl")->isEnabled());
    QVERIFY(!find<QPushButton>("btn_Lin")->isEnabled());
    QVERIFY(!find<QPushButton>("btn_copy2")->isEnabled());
    QVERIFY(!find<QComboBox>("cbx_a1_servo")->isEnabled());
    QVERIFY(find<QPushButton>("btn_inc10offset_1")->isEnabled());
    QVERIFY(find<QRadioButton>("servo_rad_a2")->isEnabled());
    const int steps = document->undoStack()->count();
    drag(find<QWidget>("servo_Image1"), {QPoint(10, 10), QPoint(60, 10)});
    QCOMPARE(document->undoStack()->count(), steps);

    // The next firmware, whose blocks are sound, is edited as usual.
    editor->reset();
    document->load(*firmware, QStringLiteral("servo.hex"));
    editor->setUp(*document, *window);
    QVERIFY(notice->isHidden());
    QVERIFY(find<QWidget>("servo_Image1")->isEnabled() && find<QLineEdit>("edt_Anzahl")->isEnabled());
    QVERIFY(find<QPushButton>("btn_copy2")->isEnabled() && find<QComboBox>("cbx_a1_servo")->isEnabled());
}

void ServoEditorTest::resetHidesThePanels() {
    drag(find<QWidget>("servo_Image1"), {QPoint(10, 10)});
    QVERIFY(document->hasPendingEditorChanges());
    editor->reset();
    QVERIFY(!find<QWidget>("pnl_servo")->isVisible());
    QVERIFY(!find<QWidget>("pnl_servo2")->isVisible());
    // Reset, the editor no longer follows the document: a change shows nowhere, and its controls
    // change nothing.
    auto* panel = window->findChild<ServoAssignmentPanel*>();
    QVERIFY(panel != nullptr);
    QSignalSpy shown(panel, &ServoAssignmentPanel::settingsShown);
    document->discardEditorChanges();
    QCOMPARE(shown.count(), 0);
    const FirmwareDocument::State before = document->state();
    find<QPushButton>("btn_Lin")->click();
    find<QComboBox>("cbx_a1_servo")->setCurrentIndex(2);
    QVERIFY(document->state() == before);
}

// Select all, Backspace: the field is blank while a new number is typed, marked as not allowed to
// stay so; nothing pops up and nothing is stored until there is a number, and a field left blank
// shows the stored value again. Clearing "Anzahl" used to pop up "Ungültige Eingabe…" at once.
void ServoEditorTest::clearingCountOrStretchPopsNothingAndStoresNothing() {
    QUndoStack* stack = document->undoStack();
    for (const char* name : {"edt_Anzahl", "edt_stretch"}) {
        auto* field = find<QLineEdit>(name);
        const QString stored = field->text();
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QString());
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(stack->count(), 0);
        QVERIFY(!document->isModified());
        QVERIFY(!rangeProblemOf(field).isEmpty());

        QTest::keyClicks(field, QStringLiteral("25"));
        QCOMPARE(field->text(), QStringLiteral("25"));
        QVERIFY(rangeProblemOf(field).isEmpty());
        QCOMPARE(stack->count(), 1); // "2", then "25": one entry
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(field->text(), QStringLiteral("25"));
        QVERIFY(dialogs.messages.isEmpty());
        stack->undo();
        QCOMPARE(field->text(), stored);
        stack->clear();
    }
    QCOMPARE(document->servo().copy(), *document->fileSettings().servo);

    // The arrows beside the fields keep working: up from 11, down from 1 stays at 1.
    const QList<ServoUpDown*> arrows =
        find<QLineEdit>("edt_Anzahl")->parentWidget()->findChildren<ServoUpDown*>();
    QCOMPARE(arrows.size(), 2);
    arrows[0]->findChildren<QToolButton*>().at(0)->click();
    QCOMPARE(find<QLineEdit>("edt_Anzahl")->text(), QStringLiteral("12"));
    QCOMPARE(document->servo().storedCount(1), 12);
    arrows[1]->findChildren<QToolButton*>().at(1)->click();
    QCOMPARE(find<QLineEdit>("edt_stretch")->text(), QStringLiteral("1"));
    QCOMPARE(stack->count(), 1);
}

// The preview plays what the editor shows (the working copy), not the file's curve, before anything is
// taken over; edits show in it within a frame.
void ServoEditorTest::thePreviewPlaysTheWorkingCopyBeforeItIsTakenOver() {
    ServoPreviewWidget* preview = editor->preview();
    hq::Milliseconds now = 0;
    preview->setClock([&now] { return now; });
    find<QPushButton>("btn_MirrorVertikal")->click();
    QVERIFY(acceptEnabled());
    const ServoEdits& edits = document->servo();
    QVERIFY(edits.position(1, 3) != hq::pointPosition(document->fileSettings().servo->data.curve(1)[3]));

    preview->start();
    now = 3 * 20; // curve 1: stretch 1, a point every 20 ms
    preview->refresh();
    QCOMPARE(preview->shownPoint(), 3);
    QCOMPARE(preview->position(), edits.position(1, 3));
    QCOMPARE(preview->relayLit(), edits.isRelayOn(1, 3));

    // Paused on point 3, a click that moves it shows in the preview.
    preview->pause();
    auto* canvas = find<QWidget>("servo_Image1");
    const hq::CurveCanvasGeometry geometry(canvas->width(), canvas->height(), edits.pointCount(1));
    editortest::click(canvas, {geometry.pointX(3), geometry.pointY(100)});
    QCOMPARE(edits.position(1, 3), 100);
    QTRY_COMPARE(preview->position(), 100);
    QVERIFY(document->hasPendingEditorChanges());
}

// A file whose curve has a stretch byte above what the editor allows (250 > 200) plays through to its
// last point and ends there; the field shows the byte and marks it.
void ServoEditorTest::aStretchAboveTheLimitPlaysToTheLastPoint() {
    editor->reset();
    hq::ServoData data = hq::servotest::demoServoData();
    data.curve(1)[hq::kCurveStretchEntry] = 250;
    auto loaded = hq::loadFirmware(":04000000D3303A2897\r\n" + hq::servotest::servoFirmwareText(data));
    QVERIFY(loaded.ok());
    document->load(*loaded, QStringLiteral("stretch.hex"));
    editor->setUp(*document, *window);
    auto* stretch = find<QLineEdit>("edt_stretch");
    QCOMPARE(stretch->text(), QStringLiteral("250"));
    QVERIFY(!rangeProblemOf(stretch).isEmpty());
    QVERIFY(!document->isModified());

    ServoPreviewWidget* preview = editor->preview();
    hq::Milliseconds now = 0;
    preview->setClock([&now] { return now; });
    preview->start();
    const int last = document->servo().pointCount(1) - 1;
    // The whole sweep: the points one "Zeit zwischen 2 Punkten" apart, at most 200 × 20 ms.
    now = last * 20 * hq::kMaxStretch - 1;
    preview->refresh();
    QCOMPARE(preview->shownPoint(), last - 1);
    QVERIFY(preview->isPlaying());
    now = last * 20 * hq::kMaxStretch;
    preview->refresh();
    QCOMPARE(preview->shownPoint(), last);
    QCOMPARE(preview->position(), document->servo().position(1, last));
    QVERIFY(!preview->isPlaying());
    now *= 10;
    preview->refresh();
    QCOMPARE(preview->shownPoint(), last);
}

// Settings imported or taken over from another file replace the working copy too: the editor shows
// the new curves, assignments and timing at once, nothing is left to take over, and a save writes
// them.
void ServoEditorTest::importedSettingsShowAndLeaveNothingPending() {
    // Something drawn and not taken over, which the import replaces.
    editortest::drag(find<QWidget>("servo_Image1"), {{10, 10}, {60, 20}});
    QVERIFY(acceptEnabled());

    hq::FirmwareSettings imported = document->fileSettings();
    hq::CurveBlock& curve = imported.servo->data.curve(1);
    curve[hq::kCurveCountEntry] = 30;
    hq::generateCurve(curve, hq::CurveShape::HalfSine);
    hq::setAssignmentRow(imported.servo->data, 1, {0x18, 0x21});
    imported.servo->timing.setOffset(2, 90);
    document->replaceSettings(QStringLiteral("Einstellungen aus andere.hex übernommen"), imported);

    QVERIFY(!document->hasPendingEditorChanges());
    QVERIFY(!acceptEnabled());
    QCOMPARE(document->servo().copy(), *imported.servo);
    QCOMPARE(find<QLineEdit>("edt_Anzahl")->text(), QStringLiteral("30"));
    QCOMPARE(find<QLabel>("lbl_KurveInfo2")->text(), QStringLiteral("Gesamtzeit für diese Kurve = 580 ms"));
    QVERIFY(hasChangeMark(find<QRadioButton>("servo_rad_a1")));
    QCOMPARE(find<QComboBox>("cbx_a1_servo")->currentIndex(), 3);
    QCOMPARE(find<QComboBox>("cbx_a1_action")->currentIndex(), 1);
    QVERIFY(hasChangeMark(find<QComboBox>("cbx_a1_servo")));
    QCOMPARE(find<QLineEdit>("servo_edt_Offset_2")->text(), millis("0.720"));

    hq::Firmware saved = document->firmware();
    QVERIFY(!hq::applySettings(saved, document->edited()));
    QCOMPARE(hq::loadServoWorkingCopy(saved.image, saved.eeprom()), *imported.servo);

    // One step: undone, the file's settings again (the stroke before it was taken back with it).
    document->undoStack()->undo();
    QCOMPARE(find<QLineEdit>("edt_Anzahl")->text(), QStringLiteral("11"));
    QCOMPARE(find<QComboBox>("cbx_a1_servo")->currentIndex(), 0);
    QVERIFY(acceptEnabled());
}

HQ_TEST_CLASS(ServoEditorTest)
#include "tst_ServoEditor.moc"

// What a change of the servo settings repaints, counted by the paint events the widgets receive and
// by the assignment panel's hook: a stroke on the curve repaints its drawing around the drawn points
// and nothing else (not the relay track, not the assignment tabs, not the grid), and every change it
// sends names that curve alone; undo repaints what it gives back, no more.

#include "../EditorTestSupport.h"
#include "ServoTestSupport.h"

#include "ChangeMark.h"
#include "QtTestSuite.h"
#include "document/DocumentChange.h"
#include "document/FirmwareDocument.h"
#include "image/Firmware.h"
#include "main/ParameterGridBox.h"
#include "servo/ServoAssignmentPanel.h"
#include "servo/ServoEditor.h"

#include <QComboBox>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <memory>

using editortest::sendMouse;

namespace {

// The paint events `watched` and its children receive, and the region they paint.
class StripPaintCounter : public QObject {
public:
    explicit StripPaintCounter(QWidget* watched) : watched_(watched) {
        watched->installEventFilter(this);
        for (QWidget* child : watched->findChildren<QWidget*>())
            child->installEventFilter(this);
    }

    int paints = 0;
    QRegion painted; // of the watched widget itself

    void clear() {
        paints = 0;
        painted = QRegion();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (watched == watched_)
                painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

private:
    QObject* watched_;
};

// Lets every repaint that is due happen.
void paintNow() {
    QCoreApplication::processEvents();
}

} // namespace

class ServoRepaintTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aStrokeRepaintsItsDrawingOnly();
    void aRelayStrokeRepaintsTheTrackOnly();
    void undoRepaintsWhatItGivesBack();

private:
    QWidget* find(const char* name) const { return window->findChild<QWidget*>(QString::fromLatin1(name)); }

    ScriptedDialogs dialogs;
    std::unique_ptr<FirmwareDocument> document;
    std::unique_ptr<StandInWindow> window;
    std::unique_ptr<ServoEditor> editor;
};

void ServoRepaintTest::init() {
    Dialogs::install(&dialogs);
    auto loaded = hq::loadFirmware(servoDecoderText());
    QVERIFY(loaded.ok());
    window = std::make_unique<StandInWindow>();
    document = std::make_unique<FirmwareDocument>();
    document->load(*loaded, QStringLiteral("servo.hex"));
    editor = std::make_unique<ServoEditor>();
    editor->setUp(*document, *window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    paintNow();
}

void ServoRepaintTest::cleanup() {
    editor.reset();
    window.reset();
    document.reset();
    Dialogs::install(nullptr);
}

void ServoRepaintTest::aStrokeRepaintsItsDrawingOnly() {
    QWidget* curve = find("servo_Image1");
    StripPaintCounter curvePaints(curve);
    StripPaintCounter relayPaints(find("servo_Image2"));
    StripPaintCounter gridPaints(window->grid());
    StripPaintCounter tabPaints(find("pnl_servo2"));
    QSignalSpy tabsShown(editor->assignmentPanel(), &ServoAssignmentPanel::settingsShown);
    QList<DocumentChange> changes;
    connect(document.get(), &FirmwareDocument::changed, this,
            [&changes](const DocumentChange& change) { changes.append(change); });

    // Curve 1 has 11 points 45.7 pixels apart; five moves over points 2..6, each to a new height. The
    // press marks the curve changed: the mark's bold caption lays the editor out anew once, which
    // repaints the tabs (a tab widget repaints whenever it is laid out); the moves after it do not.
    sendMouse(curve, QEvent::MouseButtonPress, {91, 10}, Qt::LeftButton, Qt::LeftButton);
    paintNow();
    QVERIFY(hasChangeMark(find("servo_rad_a1")));
    tabPaints.clear();
    for (int point = 2; point <= 6; ++point) {
        curvePaints.clear();
        const int x = point * curve->width() / 11;
        sendMouse(curve, QEvent::MouseMove, {x, 20 + point * 10}, Qt::NoButton, Qt::LeftButton);
        paintNow();
        QVERIFY(curvePaints.paints >= 1);
        // Around the point: less than half of the drawing.
        QVERIFY(curvePaints.painted.boundingRect().width() < curve->width() / 2);
        QVERIFY(curvePaints.painted.boundingRect().contains(QPoint(x, 20 + point * 10)));
    }
    sendMouse(curve, QEvent::MouseButtonRelease, {300, 80}, Qt::LeftButton, Qt::NoButton);
    paintNow();
    QCOMPARE(document->undoStack()->count(), 1);

    QCOMPARE(relayPaints.paints, 0);
    QCOMPARE(gridPaints.paints, 0);
    QCOMPARE(tabPaints.paints, 0);
    QCOMPARE(tabsShown.count(), 0);
    QVERIFY(changes.size() >= 5);
    for (const DocumentChange& change : changes) {
        QVERIFY(change.touchesCurve(1));
        for (int other = 2; other <= 4; ++other)
            QVERIFY(!change.touchesCurve(other));
        QVERIFY(!change.touchesServoSettings());
        QVERIFY(!change.touches(DocumentChange::Area::Rows));
        QVERIFY(!change.touches(DocumentChange::Area::Extra));
        QVERIFY(!change.touches(DocumentChange::Area::Baseline));
        const DocumentChange::PointSpan points = change.touchedPoints(1);
        QCOMPARE(points.first, points.last);
        QVERIFY(points.positions);
        QVERIFY(!points.relays);
    }
}

void ServoRepaintTest::aRelayStrokeRepaintsTheTrackOnly() {
    QWidget* track = find("servo_Image2");
    StripPaintCounter curvePaints(find("servo_Image1"));
    StripPaintCounter trackPaints(track);
    // Point 1 (x 46..91) has its relay off: switched on.
    editortest::click(track, {50, 5});
    paintNow();
    QCOMPARE(curvePaints.paints, 0);
    QVERIFY(trackPaints.paints >= 1);
    QVERIFY(trackPaints.painted.boundingRect().width() < track->width() / 4);
}

void ServoRepaintTest::undoRepaintsWhatItGivesBack() {
    QWidget* curve = find("servo_Image1");
    editortest::drag(curve, {{100, 10}, {150, 30}});
    auto* action = window->findChild<QComboBox*>(QStringLiteral("cbx_a2_action"));
    action->setCurrentIndex(3);
    paintNow();

    StripPaintCounter curvePaints(curve);
    StripPaintCounter tabPaints(find("pnl_servo2"));
    QSignalSpy tabsShown(editor->assignmentPanel(), &ServoAssignmentPanel::settingsShown);
    // The assignment comes back: the tabs show it, the drawings stay.
    document->undoStack()->undo();
    paintNow();
    QCOMPARE(action->currentIndex(), 1);
    QCOMPARE(tabsShown.count(), 1);
    QVERIFY(tabPaints.paints >= 1);
    QCOMPARE(curvePaints.paints, 0);

    // The stroke comes back: the drawing around its points, not the tabs.
    tabPaints.clear();
    document->undoStack()->undo();
    paintNow();
    QCOMPARE(tabsShown.count(), 1);
    QCOMPARE(tabPaints.paints, 0);
    QVERIFY(curvePaints.paints >= 1);
    QVERIFY(curvePaints.painted.boundingRect().width() < curve->width());
    QVERIFY(!document->isModified());
}

HQ_TEST_CLASS(ServoRepaintTest)
#include "tst_ServoRepaints.moc"

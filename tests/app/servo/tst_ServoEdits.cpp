// The servo edits of the document without a window: every operation is one undo step named as the
// editor has always named it; typed counts and stretches are stored as clamped numbers, merged until
// the entry ends, and text that is no number or stands for the stored value is no step; a stroke is
// one step named after its drawing whose moves each name the point and what of it changed; and
// without a servo firmware, or for curves, points and rows that do not exist, nothing changes.

#include "ServoTestSupport.h"

#include "QtTestSuite.h"
#include "demo/DemoFirmware.h"
#include "document/DocumentChange.h"
#include "document/FirmwareDocument.h"
#include "document/ServoEdits.h"
#include "image/Firmware.h"
#include "servo/CurveGenerator.h"
#include "servo/CurveTransform.h"
#include "servo/ServoTiming.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <functional>
#include <memory>

using Field = ServoEdits::AssignmentField;

class ServoEditsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void everyOperationIsOneNamedStep_data();
    void everyOperationIsOneNamedStep();
    void typedCountAndStretch();
    void aStrokeIsOneStepAndEachMoveNamesItsPoint();
    void outsideAStrokeADrawnPointIsAStepOfItsOwn();
    void acceptAndDiscard();
    void nothingChangesWithoutServoCurvesOrOutsideThem();

private:
    ServoEdits& edits() { return document->servo(); }
    QUndoStack* stack() const { return document->undoStack(); }

    std::unique_ptr<FirmwareDocument> document;
};

void ServoEditsTest::init() {
    auto loaded = hq::loadFirmware(servoDecoderText());
    QVERIFY(loaded.ok());
    document = std::make_unique<FirmwareDocument>();
    document->load(*loaded, QStringLiteral("servo.hex"));
}

void ServoEditsTest::everyOperationIsOneNamedStep_data() {
    using Edit = std::function<void(ServoEdits&)>;
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("text");
    QTest::newRow("count") << Edit([](ServoEdits& e) { e.setCount(2, 40); }) << "Anzahl von Kurve 2";
    QTest::newRow("stretch") << Edit([](ServoEdits& e) { e.setStretch(3, 9); }) << "Stretch von Kurve 3";
    QTest::newRow("lin") << Edit([](ServoEdits& e) { e.generate(1, hq::CurveShape::Linear); })
                         << "Kurve 1: Lin";
    QTest::newRow("log") << Edit([](ServoEdits& e) { e.generate(2, hq::CurveShape::Logarithmic); })
                         << "Kurve 2: Log";
    QTest::newRow("quarter") << Edit([](ServoEdits& e) { e.generate(3, hq::CurveShape::QuarterSine); })
                             << "Kurve 3: 1/4 Sin";
    QTest::newRow("half") << Edit([](ServoEdits& e) { e.generate(4, hq::CurveShape::HalfSine); })
                          << "Kurve 4: 1/2 Sin";
    QTest::newRow("vertical") << Edit([](ServoEdits& e) { e.mirror(1, ServoEdits::Mirror::Vertical); })
                              << "Kurve 1 vertikal gespiegelt";
    QTest::newRow("horizontal") << Edit([](ServoEdits& e) { e.mirror(2, ServoEdits::Mirror::Horizontal); })
                                << "Kurve 2 horizontal gespiegelt";
    QTest::newRow("copy") << Edit([](ServoEdits& e) { e.copyCurve(3, 1); }) << "Kurve 1 von #3 kopiert";
    QTest::newRow("curve file") << Edit([](ServoEdits& e) {
        e.loadCurve(2, {1, 2, 3});
    }) << "Kurve 2 geladen";
    QTest::newRow("set file") << Edit([](ServoEdits& e) {
        hq::ServoData data = e.copy().data;
        data.curve(4)[7] ^= 0x40;
        e.loadCurves(data);
    }) << "Alle Kurven geladen";
    QTest::newRow("assignment") << Edit([](ServoEdits& e) { e.setAssignment(6, Field::Servo, 0); })
                                << "Zuordnung a6";
    QTest::newRow("offset") << Edit([](ServoEdits& e) { e.stepOffset(2, 10); }) << "Offset von Servo 2";
    QTest::newRow("faktor") << Edit([](ServoEdits& e) { e.stepFaktor(3, -1); }) << "Faktor von Servo 3";
    QTest::newRow("flag") << Edit([](ServoEdits& e) { e.setFlag(1, hq::ServoFlag::NoRepetition, true); })
                          << "Optionen der Servos";
    QTest::newRow("point") << Edit([](ServoEdits& e) { e.setPosition(1, 4, 99); }) << "Kurve 1 gezeichnet";
    QTest::newRow("relay") << Edit([](ServoEdits& e) { e.setRelay(2, 1, true); })
                           << "Relais von Kurve 2 gezeichnet";
}

void ServoEditsTest::everyOperationIsOneNamedStep() {
    using Edit = std::function<void(ServoEdits&)>;
    QFETCH(Edit, edit);
    QFETCH(QString, text);
    const FirmwareDocument::State before = document->state();
    edit(edits());
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->undoText(), text);
    QVERIFY(edits().hasPendingChanges());
    QVERIFY(document->edited() == before.edited); // the working copy only
    stack()->undo();
    QVERIFY(document->state() == before);
}

void ServoEditsTest::typedCountAndStretch() {
    // Numbers are stored brought into 1..100 and 1..200; typing into one field is one step until the
    // entry ends.
    for (int typed : {1, 15, 150, 0, -4})
        edits().setCount(1, typed);
    QCOMPARE(edits().storedCount(1), 1);
    QCOMPARE(stack()->count(), 1);
    edits().setCount(1, 150);
    QCOMPARE(edits().storedCount(1), 100);
    QCOMPARE(edits().pointCount(1), 100);
    edits().finishEntry();
    edits().setStretch(1, 500);
    QCOMPARE(edits().stretch(1), 200);
    QCOMPARE(stack()->count(), 2);
    // Another curve's field is another entry.
    edits().setStretch(2, 7);
    QCOMPARE(stack()->count(), 3);

    // Text that is no number, or the stored value spelt otherwise, is no step.
    edits().finishEntry();
    edits().setCount(1, hq::FieldValue::fromText(""));
    edits().setCount(1, hq::FieldValue::fromText("1x"));
    edits().setStretch(2, hq::FieldValue::fromText("007"));
    edits().setCount(1, hq::FieldValue::fromText("0100"));
    QCOMPARE(stack()->count(), 3);
    QCOMPARE(edits().storedCount(1), 100);
}

void ServoEditsTest::aStrokeIsOneStepAndEachMoveNamesItsPoint() {
    QList<DocumentChange> changes;
    connect(document.get(), &FirmwareDocument::changed, this,
            [&changes](const DocumentChange& change) { changes.append(change); });
    const hq::CurveBlock inFile = edits().curve(3);

    edits().beginStroke(3, ServoEdits::Track::Relay);
    edits().setRelay(3, 1, true); // off before: a change
    edits().setRelay(3, 0, true); // on already: none
    edits().setRelay(3, 2, true);
    QCOMPARE(stack()->count(), 0); // shown at once, a step at the end
    QVERIFY(edits().isRelayOn(3, 1));
    QCOMPARE(edits().position(3, 1), hq::pointPosition(inFile[1]));
    QCOMPARE(changes.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const DocumentChange::PointSpan points = changes[i].touchedPoints(3);
        QCOMPARE(points.first, i == 0 ? 1 : 2);
        QCOMPARE(points.last, points.first);
        QVERIFY(points.relays);
        QVERIFY(!points.positions);
        QVERIFY(changes[i].touchesPending());
        QVERIFY(!changes[i].touchesCurve(1));
        QVERIFY(!changes[i].touchesServoSettings());
    }
    edits().endStroke();
    QCOMPARE(stack()->count(), 1);
    QCOMPARE(stack()->undoText(), QStringLiteral("Relais von Kurve 3 gezeichnet"));

    // Undo names what it gives back: curve 3, points 1..2, relays only.
    changes.clear();
    stack()->undo();
    QCOMPARE(edits().curve(3), inFile);
    QCOMPARE(changes.size(), 1);
    const DocumentChange::PointSpan back = changes[0].touchedPoints(3);
    QCOMPARE(back.first, 1);
    QCOMPARE(back.last, 2);
    QVERIFY(back.relays && !back.positions);

    // A stroke that changes nothing is no step; a changed count names the whole curve.
    edits().beginStroke(3, ServoEdits::Track::Positions);
    edits().setPosition(3, 0, hq::pointPosition(inFile[0]));
    edits().endStroke();
    QCOMPARE(stack()->index(), 0);
    changes.clear();
    edits().setCount(3, 20);
    QVERIFY(changes[0].touchedPoints(3).isWholeCurve());
}

void ServoEditsTest::outsideAStrokeADrawnPointIsAStepOfItsOwn() {
    edits().setPosition(2, 5, 300); // clamped to 127
    edits().setPosition(2, 6, -1);  // clamped to 0
    QCOMPARE(stack()->count(), 2);
    QCOMPARE(edits().position(2, 5), 127);
    QCOMPARE(edits().position(2, 6), 0);
    // The relay bits stay.
    QCOMPARE(edits().isRelayOn(2, 6), hq::pointRelay(edits().curve(2, ServoEdits::Copy::File)[6]));
}

void ServoEditsTest::acceptAndDiscard() {
    edits().generate(1, hq::CurveShape::Linear);
    QVERIFY(edits().curveDiffersFromFile(1));
    edits().accept();
    QCOMPARE(stack()->undoText(), QStringLiteral("übernehmen"));
    QVERIFY(!edits().hasPendingChanges());
    QCOMPARE(*document->edited().servo, edits().copy());
    QVERIFY(edits().curveDiffersFromFile(1)); // taken over, not saved

    edits().stepOffset(1, 1);
    QVERIFY(edits().hasPendingChanges());
    edits().discard();
    QCOMPARE(stack()->undoText(), QStringLiteral("verwerfen"));
    QCOMPARE(edits().offset(1), edits().offset(1, ServoEdits::Copy::File));
    QVERIFY(!edits().hasPendingChanges());
}

void ServoEditsTest::nothingChangesWithoutServoCurvesOrOutsideThem() {
    // Curves, points, rows and servos that do not exist.
    edits().setPosition(0, 3, 50);
    edits().setPosition(5, 3, 50);
    edits().setPosition(1, 100, 50);
    edits().setRelay(1, -1, true);
    edits().setCount(9, 20);
    edits().copyCurve(2, 2);
    edits().loadCurve(1, {});
    edits().setAssignment(9, Field::Action, 1);
    edits().stepOffset(0, 10);
    edits().setFlag(5, hq::ServoFlag::PulsesOff, true);
    QCOMPARE(stack()->count(), 0);
    QVERIFY(!document->isModified());
    QCOMPARE(edits().position(1, 100), 0);

    // A firmware without servo curves: reads give zeros, operations change nothing.
    auto other = hq::loadFirmware(hq::demoFirmwareText(31, hq::Protocol::DCC));
    QVERIFY(other.ok());
    document->load(*other, QStringLiteral("relais.hex"));
    QVERIFY(!edits().hasCurves());
    QCOMPARE(edits().pointCount(1), 1);
    QVERIFY(!edits().hasPendingChanges());
    edits().generate(1, hq::CurveShape::Linear);
    edits().beginStroke(1, ServoEdits::Track::Positions);
    edits().setPosition(1, 2, 50);
    edits().endStroke();
    edits().setAssignment(1, Field::Servo, 2);
    QCOMPARE(stack()->count(), 0);
    QVERIFY(!document->isModified());
}

HQ_TEST_CLASS(ServoEditsTest)
#include "tst_ServoEdits.moc"

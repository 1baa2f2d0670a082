// The window's document: edits as undo steps, merging of one field entry, strokes, the editors'
// working copies, and "modified" as edited differs from the file.

#include "QtTestSuite.h"
#include "demo/DemoFirmware.h"
#include "document/FirmwareDocument.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

using State = FirmwareDocument::State;

namespace {

hq::Firmware demo(int kind, hq::Protocol protocol = hq::Protocol::DCC) {
    return *hq::loadFirmware(hq::demoFirmwareText(kind, protocol));
}

// Typed into the address field of `row`.
void typeAddress(FirmwareDocument& document, int row, const std::string& text) {
    document.grid().setAddress(row, hq::FieldValue::fromText(text));
}

} // namespace

class TestFirmwareDocument : public QObject {
    Q_OBJECT
private slots:
    void editsAreUndoStepsAndModifiedFollowsTheFile() {
        FirmwareDocument document;
        QSignalSpy modified(&document, &FirmwareDocument::modifiedChanged);
        document.load(demo(31), QStringLiteral("relay.hex"));
        QVERIFY(!document.isModified());
        QVERIFY(!document.undoStack()->canUndo());

        const std::string loaded = document.edited().rows[1].address.text();
        typeAddress(document, 1, "99");
        QVERIFY(document.isModified());
        QCOMPARE(modified.count(), 1);
        document.undoStack()->undo();
        QVERIFY(!document.isModified());
        QCOMPARE(document.edited().rows[1].address.text(), loaded);
        QCOMPARE(modified.count(), 2);
        document.undoStack()->redo();
        QCOMPARE(document.edited().rows[1].address.text(), std::string("99"));

        // Back to the file's value by another entry: not modified, though there is history.
        document.finishEntry();
        typeAddress(document, 1, loaded);
        QVERIFY(!document.isModified());
        QVERIFY(document.undoStack()->canUndo());

        // A change that changes nothing is no step.
        const int steps = document.undoStack()->count();
        typeAddress(document, 1, loaded);
        QCOMPARE(document.undoStack()->count(), steps);
    }

    void oneFieldEntryIsOneStep() {
        FirmwareDocument document;
        document.load(demo(31), QStringLiteral("relay.hex"));
        const std::string loaded = document.edited().rows[2].address.text();
        for (const char* typed : {"1", "12", "123"})
            typeAddress(document, 2, typed);
        QCOMPARE(document.undoStack()->count(), 1);
        document.finishEntry();
        typeAddress(document, 2, "1234");
        QCOMPARE(document.undoStack()->count(), 2);
        document.undoStack()->undo();
        QCOMPARE(document.edited().rows[2].address.text(), std::string("123"));
        document.undoStack()->undo();
        QCOMPARE(document.edited().rows[2].address.text(), loaded);

        // Typed and taken back within one entry leaves no step.
        document.finishEntry();
        typeAddress(document, 3, "77");
        QCOMPARE(document.undoStack()->count(), 1);
        typeAddress(document, 3, document.fileSettings().rows[3].address.text());
        QCOMPARE(document.undoStack()->count(), 0);
        QVERIFY(!document.isModified());
    }

    void aStrokeIsOneStep() {
        FirmwareDocument document;
        document.load(demo(42), QStringLiteral("servo.hex"));
        const hq::ServoWorkingCopy before = *document.state().servo;
        document.servo().beginStroke(1, ServoEdits::Track::Positions);
        for (int point = 0; point < 5; ++point)
            document.servo().setPosition(1, point, 100);
        QVERIFY(document.isModified());
        QVERIFY(document.hasPendingEditorChanges());
        QCOMPARE(document.undoStack()->count(), 0);
        document.servo().endStroke();
        QCOMPARE(document.undoStack()->count(), 1);
        document.undoStack()->undo();
        QVERIFY(*document.state().servo == before);
        QVERIFY(!document.isModified());
    }

    void takingOverAndDiscardingTheWorkingCopy() {
        FirmwareDocument document;
        document.load(demo(45), QStringLiteral("led.hex"));
        document.patterns().toggleLoop(1);
        QVERIFY(document.hasPendingEditorChanges());
        QVERIFY(document.shown().patterns == document.state().patterns);
        QVERIFY(!(document.edited().patterns == document.state().patterns));

        document.acceptEditorChanges();
        QVERIFY(!document.hasPendingEditorChanges());
        QVERIFY2(document.isModified(), "taken over, but not saved");
        document.undoStack()->undo();
        QVERIFY(document.hasPendingEditorChanges());

        document.discardEditorChanges();
        QVERIFY(!document.hasPendingEditorChanges());
        QVERIFY(!document.isModified());
        document.undoStack()->undo();
        QVERIFY2(document.hasPendingEditorChanges(), "verwerfen is undone like any step");
    }

    void discardAllAndReplaceAreOneStepEach() {
        FirmwareDocument document;
        document.load(demo(44), QStringLiteral("neon.hex"));
        document.light().setNeonValue(hq::NeonValue::Hell, 7);
        typeAddress(document, 1, "42");
        document.discardAllChanges();
        QVERIFY(!document.isModified());
        QCOMPARE(document.undoStack()->count(), 3);
        document.undoStack()->undo();
        QCOMPARE(document.edited().rows[1].address.text(), std::string("42"));

        hq::FirmwareSettings other = document.fileSettings();
        other.neon->dunkel = 3;
        other.rows[2].address = hq::FieldValue::fromText("11");
        document.replaceSettings(QStringLiteral("Einstellungen importieren"), other);
        QVERIFY(document.edited() == other);
        document.undoStack()->undo();
        QCOMPARE(document.edited().rows[1].address.text(), std::string("42"));
    }

    void aSaveMakesTheSavedFileTheBaselineAndShowsWhatItHolds() {
        FirmwareDocument document;
        document.load(demo(31), QStringLiteral("relay.hex"));
        const hq::FieldValue before = document.edited().rows[1].address;
        typeAddress(document, 1, "007");
        hq::Firmware saved = document.firmware();
        QVERIFY(!hq::applySettings(saved, document.edited()));
        document.markSaved(saved, QStringLiteral("saved.hex"));
        QVERIFY(!document.isModified());
        QCOMPARE(document.path(), QStringLiteral("saved.hex"));
        QCOMPARE(document.edited().rows[1].address.text(), std::string("7"));
        QCOMPARE(document.undoStack()->count(), 1);
        document.undoStack()->undo();
        QVERIFY2(document.isModified(), "before the edit differs from the saved file");
        QVERIFY(document.edited().rows[1].address == before);
    }

    void loadingStartsANewHistory() {
        FirmwareDocument document;
        QSignalSpy reloaded(&document, &FirmwareDocument::reloaded);
        document.load(demo(31), QStringLiteral("a.hex"));
        typeAddress(document, 1, "9");
        document.load(demo(43), QStringLiteral("b.hex"));
        QCOMPARE(reloaded.count(), 2);
        QVERIFY(!document.undoStack()->canUndo());
        QVERIFY(!document.isModified());
        QVERIFY(document.state().patterns.has_value());
        QVERIFY(!document.state().servo.has_value());
    }

    // Values, not keystrokes: a spelling of the same number is no change at all.
    void aNumberTypedAnotherWayIsNoChange() {
        FirmwareDocument document;
        document.load(demo(31), QStringLiteral("relay.hex"));
        QSignalSpy changes(&document, &FirmwareDocument::changed);
        const int loaded = document.grid().row(2).address.numberOr(-1);
        for (const QString& typed : {QStringLiteral("0%1").arg(loaded), QStringLiteral(" +%1").arg(loaded)}) {
            document.grid().setAddress(2, hq::FieldValue::fromText(typed.toStdString()));
            document.grid().finishEntry();
        }
        document.grid().setExtra(hq::FieldValue::fromText("0" + document.grid().extra().text()));
        QCOMPARE(document.undoStack()->count(), 0);
        QVERIFY(!document.isModified());
        QCOMPARE(changes.count(), 0);

        // Text that is no number stays in the document (for the save to report) and is a change.
        document.grid().setAddress(2, hq::FieldValue::fromText("5x"));
        QVERIFY(document.isModified());
        QCOMPARE(document.grid().row(2).address.text(), std::string("5x"));
    }

    // Each change names what it touched, so that views repaint only their part.
    void changesNameTheirArea() {
        FirmwareDocument document;
        QList<DocumentChange> seen;
        connect(&document, &FirmwareDocument::changed, &document,
                [&seen](const DocumentChange& change) { seen.append(change); });
        document.load(demo(42), QStringLiteral("servo.hex"));
        QVERIFY(seen.last().touches(DocumentChange::Area::Baseline));
        seen.clear();

        document.grid().setAddress(3, 99);
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen.last().touches(DocumentChange::Area::Rows));
        QVERIFY(seen.last().touchesRow(3));
        QVERIFY(!seen.last().touchesRow(2));
        QVERIFY(!seen.last().touches(DocumentChange::Area::Servo));

        document.servo().beginStroke(2, ServoEdits::Track::Positions);
        document.servo().setPosition(2, 4, document.servo().position(2, 4) ^ 0x10);
        const DocumentChange stroke = seen.last();
        QVERIFY(stroke.touches(DocumentChange::Area::Servo));
        QVERIFY(stroke.touchesCurve(2));
        QVERIFY(!stroke.touchesCurve(1));
        QVERIFY(!stroke.touchesServoSettings());
        QVERIFY(!stroke.touches(DocumentChange::Area::Rows));
        document.servo().endStroke();

        // Undo gives back exactly what the step changed.
        seen.clear();
        document.undoStack()->undo();
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen.last().touchesCurve(2));
        QVERIFY(!seen.last().touches(DocumentChange::Area::Rows));
        document.undoStack()->undo();
        QVERIFY(seen.last().touchesRow(3));
        QVERIFY(!seen.last().touches(DocumentChange::Area::Servo));

        // A save makes the file the new baseline: every mark compares anew.
        seen.clear();
        hq::Firmware saved = document.firmware();
        document.markSaved(saved, QStringLiteral("saved.hex"));
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen.last().touches(DocumentChange::Area::Baseline));
    }
};

HQ_TEST_CLASS(TestFirmwareDocument)
#include "tst_FirmwareDocument.moc"

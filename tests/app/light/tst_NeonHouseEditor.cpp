// The neon and house-light editors in the window as views of the document: values shown from the
// file, typed values stored in the document's edited settings within their ranges (one undo step per
// field entry, marked while they differ from the file), text that is no number marked in the field
// without a message box, and what a save then writes into the EEPROM.

#include "../EditorTestSupport.h"
#include "LightTestSupport.h"
#include "RecordingDialogs.h"

#include "ChangeMark.h"
#include "NumberField.h"
#include "QtTestSuite.h"
#include "demo/DemoFirmware.h"
#include "document/FirmwareDocument.h"
#include "light/HouseEditor.h"
#include "light/NeonEditor.h"
#include "light/NeonPanel.h"
#include "main/ParameterGridBox.h"
#include "main/ZusatzPanel.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace hq::test;
using editortest::oneStepProblem;
using editortest::typeEntry;

namespace {

hq::Firmware neonFirmware() {
    hq::EepromImage eeprom;
    eeprom.setValue(0x00, 6);    // delay 3 s
    eeprom.setValue(0x20, 0xC8); // DUNKEL 55
    eeprom.setValue(0x21, 0x0A); // HELL 245
    return firmwareOf(firmwareText(kNeonReset, kDccFahrzeug, eeprom));
}

hq::Firmware houseFirmware(int minimum) {
    hq::EepromImage eeprom;
    eeprom.setValue(0x0F, minimum);
    return firmwareOf(firmwareText(kHouseReset, kMmSchalt, eeprom));
}

} // namespace

class NeonHouseEditorTest : public QObject {
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

    void neonSetUpShowsTheLevelsInverted() {
        window->load(neonFirmware());
        const hq::EepromImage before = window->document.firmware().eeprom();
        NeonEditor editor;
        editor.setUp(window->document, window->window);
        NeonPanel* panel = editor.panelWidget();
        QVERIFY(!panel->isHidden());
        QCOMPARE(panel->objectName(), QStringLiteral("pnl_wz_f_neon"));
        QCOMPARE(panel->edit(hq::NeonValue::Hell)->text(), QStringLiteral("245"));
        QCOMPARE(panel->edit(hq::NeonValue::Dunkel)->text(), QStringLiteral("55"));
        QCOMPARE(panel->edit(hq::NeonValue::Delay)->text(), QStringLiteral("6"));
        // Showing changes nothing: no step, no mark, the firmware as loaded.
        QCOMPARE(window->document.firmware().eeprom().bytes, before.bytes);
        QVERIFY(!window->document.isModified());
        QCOMPARE(window->document.undoStack()->count(), 0);
        for (hq::NeonValue which : {hq::NeonValue::Hell, hq::NeonValue::Dunkel, hq::NeonValue::Delay})
            QVERIFY(!hasChangeMark(panel->edit(which)));
        QCOMPARE(editor.panel(), hq::Panel::Neon);
        // The HELL field warns that its byte is shared with the code of row 1.
        QVERIFY(hintOf(panel->edit(hq::NeonValue::Hell)).contains(QStringLiteral("0x21")));
    }

    void neonValuesAreStoredWithinTheirRangeAndSaved() {
        window->load(neonFirmware());
        NeonEditor editor;
        editor.setUp(window->document, window->window);
        NeonPanel* panel = editor.panelWidget();
        NumberField* hell = panel->edit(hq::NeonValue::Hell);
        NumberField* dunkel = panel->edit(hq::NeonValue::Dunkel);
        NumberField* delay = panel->edit(hq::NeonValue::Delay);
        auto edited = [this] { return *window->document.edited().neon; };

        hell->setText(QStringLiteral("255"));
        QCOMPARE(edited().hell, std::optional<int>(255));
        hell->setText(QStringLiteral("0"));
        QCOMPARE(edited().hell, std::optional<int>(0));

        typeEntry(dunkel, QStringLiteral("300"));
        QCOMPARE(edited().dunkel, std::optional<int>(255));
        QCOMPARE(dunkel->text(), QStringLiteral("255"));

        delay->setText(QStringLiteral("0"));
        QCOMPARE(edited().delay, std::optional<int>(0));
        delay->setText(QStringLiteral("256"));
        QCOMPARE(edited().delay, std::optional<int>(255));
        QCOMPARE(delay->text(), QStringLiteral("256")); // as typed, marked, until the entry ends
        QVERIFY(delay->isOutOfRange());
        QTest::keyClick(delay, Qt::Key_Return);
        QCOMPARE(delay->text(), QStringLiteral("255"));
        QVERIFY(dialogs->messages.isEmpty());
        // Nothing is written into the firmware before a save.
        QCOMPARE(window->document.firmware().eeprom().bytes[0x20], std::string("C8"));
        QVERIFY(window->document.isModified());
        QVERIFY(!window->document.hasPendingEditorChanges());

        // The test firmware's rows hold no valid address: as typed in the grid before saving.
        window->document.grid().setAddress(1, 3);
        window->document.grid().setAddress(2, 4);
        // The save stores the levels inverted and the delay as it is. Byte 0x21 is written with row
        // 1's code after HELL, so the file cannot hold HELL 0: saved only where the user agrees.
        QVERIFY(!savedFirmware(window->document));
        const std::optional<hq::Firmware> saved = savedFirmware(window->document, hq::ApplyOptions{true});
        QVERIFY(saved);
        QCOMPARE(saved->eeprom().bytes[0x20], std::string("00"));
        QCOMPARE(saved->eeprom().bytes[0x00], std::string("FF"));
    }

    // EEPROM byte 0x21 is HELL and the third code byte of row 1: a row-1 edit alone changes HELL,
    // for DCC through the address (its high byte), for MM through the function number (its code).
    // The save asks, naming the file's level and the one it would write, and writes nothing
    // without a yes.
    void neonSaveAsksWhenARowOneEditChangesHell() {
        struct Case {
            hq::Protocol protocol;
            bool address;
            QString typed;
            int stored;
        };
        for (const Case& edit : {Case{hq::Protocol::DCC, true, QStringLiteral("3000"), 52},
                                 Case{hq::Protocol::MM, false, QStringLiteral("3"), 234}}) {
            QTemporaryDir folder;
            QVERIFY(folder.isValid());
            const QString path = folder.filePath(QStringLiteral("neon.hex"));
            const std::string text = hq::demoFirmwareText(44, edit.protocol);
            {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(text.data(), static_cast<qint64>(text.size()));
            }
            dialogs->messages.clear();
            TFormMain& main = window->window;
            QVERIFY(main.loadFile(path));
            const std::optional<int> inFile = main.document()->edited().neon->hell;
            QVERIFY(inFile && *inFile != edit.stored);
            QLineEdit* field = edit.address ? main.grid()->addressEdit(1) : main.grid()->functionEdit(1);
            field->setFocus();
            field->selectAll();
            typeEntry(field, edit.typed);
            QCOMPARE(main.document()->edited().neon->hell, inFile);

            QVERIFY(!main.files()->save());
            QCOMPARE(dialogs->messages.size(), 1);
            const QString& question = dialogs->messages.first();
            QVERIFY2(question.startsWith(QStringLiteral("Die Licht-Stufe HELL %1 der Datei bleibt beim "
                                                        "Speichern nicht erhalten")
                                             .arg(*inFile)),
                     qPrintable(question));
            QVERIFY2(question.contains(QStringLiteral("Gespeichert würde HELL = %1.").arg(edit.stored)),
                     qPrintable(question));
            QVERIFY(question.endsWith(QStringLiteral("Trotzdem speichern?")));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll().toStdString(), text);
            QVERIFY(main.document()->isModified());
        }
    }

    void neonTextThatIsNoNumber() {
        window->load(neonFirmware());
        NeonEditor editor;
        editor.setUp(window->document, window->window);
        NumberField* hell = editor.panelWidget()->edit(hq::NeonValue::Hell);

        hell->clear();
        QVERIFY(hell->isOutOfRange());
        QCOMPARE(window->document.edited().neon->hell, std::optional<int>(245));
        hell->setText(QStringLiteral("hell"));
        QCOMPARE(hell->text(), QStringLiteral("hell"));
        QVERIFY(hell->isOutOfRange());
        QCOMPARE(rangeProblemOf(hell), QStringLiteral("Erlaubt sind nur Zahlen von 0 bis 255."));
        QCOMPARE(window->document.edited().neon->hell, std::optional<int>(245));
        QVERIFY(!window->document.isModified());
        QCOMPARE(window->document.undoStack()->count(), 0);
        QVERIFY(dialogs->messages.isEmpty());
        // Left holding no number, the field shows the stored value again.
        QTest::keyClick(hell, Qt::Key_Return);
        QCOMPARE(hell->text(), QStringLiteral("245"));
        QVERIFY(!hell->isOutOfRange());
    }

    void neonAfterResetTheEditorNoLongerChangesTheDocument() {
        window->load(neonFirmware());
        NeonEditor editor;
        editor.setUp(window->document, window->window);
        editor.reset();
        QVERIFY(!editor.panelWidget()->isVisible());
        editor.panelWidget()->edit(hq::NeonValue::Hell)->setText(QStringLiteral("1"));
        QCOMPARE(window->document.edited().neon->hell, std::optional<int>(245));
        QCOMPARE(window->document.undoStack()->count(), 0);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void neonEachFieldEntryIsOneUndoStep() {
        window->load(neonFirmware());
        NeonEditor editor;
        editor.setUp(window->document, window->window);
        NeonPanel* panel = editor.panelWidget();
        FirmwareDocument& document = window->document;

        for (hq::NeonValue which : {hq::NeonValue::Hell, hq::NeonValue::Dunkel, hq::NeonValue::Delay}) {
            QLineEdit* edit = panel->edit(which);
            const QString inFile = edit->text();
            // "1", then "12": one step.
            QCOMPARE(oneStepProblem(
                         document, [edit] { typeEntry(edit, QStringLiteral("12")); }, edit),
                     QString());
            QCOMPARE(edit->text(), QStringLiteral("12"));
            QVERIFY(edit->toolTip().endsWith(QStringLiteral("In der Datei: ") + inFile));
            document.undoStack()->undo();
            QCOMPARE(edit->text(), inFile);
            QVERIFY(!hasChangeMark(edit));
            QVERIFY(!document.isModified());
        }

        // A finished entry and a new one in the same field are two steps.
        QLineEdit* dunkel = panel->edit(hq::NeonValue::Dunkel);
        typeEntry(dunkel, QStringLiteral("7"));
        typeEntry(dunkel, QStringLiteral("8"));
        QCOMPARE(document.undoStack()->count(), 2);
        document.undoStack()->undo();
        QCOMPARE(dunkel->text(), QStringLiteral("7"));
        QVERIFY(hasChangeMark(dunkel));
        // The up-down steps the value through the field.
        const int steps = document.undoStack()->index();
        panel->upDown(hq::NeonValue::Dunkel)->stepUp();
        QCOMPARE(document.edited().neon->dunkel, std::optional<int>(8));
        QCOMPARE(document.undoStack()->index(), steps + 1);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void houseMinimumIsShownAndClamped() {
        window->load(houseFirmware(4));
        HouseEditor editor;
        editor.setUp(window->document, window->window);
        NumberField* edit = editor.minimumEdit();
        QCOMPARE(editor.panel(), hq::Panel::House);
        // The editor's own field, shown in the window.
        QVERIFY(edit->isVisible() && editor.captionLabel()->isVisible() &&
                editor.minimumUpDown()->isVisible());
        QVERIFY(window->window.isAncestorOf(editor.editorArea()));
        QCOMPARE(editor.captionLabel()->text(), QStringLiteral("Mindestanzahl (1..9)"));
        QCOMPARE(edit->objectName(), QStringLiteral("edt_mindestAnzahl"));
        QCOMPARE(hintOf(edit), QStringLiteral("Anzahl der mindest aktiven Ausgänge beim Ablauf"));
        QCOMPARE(edit->text(), QStringLiteral("4"));
        QVERIFY(!window->document.isModified());
        auto minimum = [this] { return window->document.edited().house->minimum; };

        typeEntry(edit, QStringLiteral("12"));
        QCOMPARE(minimum(), std::optional<int>(9));
        QCOMPARE(edit->text(), QStringLiteral("9"));
        edit->setText(QStringLiteral("0"));
        QCOMPARE(minimum(), std::optional<int>(1));
        QVERIFY(edit->isOutOfRange());
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QStringLiteral("1"));

        edit->clear();
        edit->setText(QStringLiteral("viele"));
        QVERIFY(edit->isOutOfRange());
        QCOMPARE(rangeProblemOf(edit), QStringLiteral("Erlaubt sind nur Zahlen von 1 bis 9."));
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(minimum(), std::optional<int>(1));

        // Not in the firmware before a save; the save writes it.
        QCOMPARE(window->document.firmware().eeprom().bytes[0x0F], std::string("04"));
        const std::optional<hq::Firmware> saved = savedFirmware(window->document);
        QVERIFY(saved);
        QCOMPARE(saved->eeprom().bytes[0x0F], std::string("01"));

        editor.reset();
        QVERIFY(!edit->isVisible());
        edit->setText(QStringLiteral("5"));
        QCOMPARE(minimum(), std::optional<int>(1));
    }

    void houseUpDownFollowsTheField() {
        window->load(houseFirmware(4));
        HouseEditor editor;
        editor.setUp(window->document, window->window);
        QSpinBox* upDown = editor.minimumUpDown();
        NumberField* edit = editor.minimumEdit();
        QCOMPARE(upDown->objectName(), QStringLiteral("UpDown5"));
        QCOMPARE(upDown->minimum(), 1);
        QCOMPARE(upDown->maximum(), 9);
        QCOMPARE(upDown->value(), 4);
        upDown->stepBy(-2);
        QCOMPARE(edit->text(), QStringLiteral("2"));
        QCOMPARE(window->document.edited().house->minimum, std::optional<int>(2));
        edit->setText(QStringLiteral("7"));
        QCOMPARE(upDown->value(), 7);
        // Text out of range or no number leaves the up-down where it was.
        edit->setText(QStringLiteral("12"));
        QCOMPARE(upDown->value(), 7);
        edit->setText(QStringLiteral("x"));
        QCOMPARE(upDown->value(), 7);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void houseSetUpPutsAStoredMinimumOutOfRangeRightAsOneStep() {
        window->load(firmwareOf(firmwareText(kHouseReset, kMmSchalt))); // byte 0x0F is "FF"
        const std::optional<int> inFile = window->document.fileSettings().house->minimum;
        HouseEditor editor;
        editor.setUp(window->document, window->window);
        NumberField* edit = editor.minimumEdit();
        FirmwareDocument& document = window->document;
        QCOMPARE(document.edited().house->minimum, std::optional<int>(9));
        QCOMPARE(edit->text(), QStringLiteral("9"));
        QVERIFY(hasChangeMark(edit));
        QCOMPARE(document.undoStack()->count(), 1);
        QVERIFY(document.isModified());
        // Not in the firmware until saved.
        QCOMPARE(document.firmware().eeprom().bytes[0x0F], std::string("FF"));
        const std::optional<hq::Firmware> saved = savedFirmware(document);
        QVERIFY(saved);
        QCOMPARE(saved->eeprom().bytes[0x0F], std::string("09"));

        // Undone, the file's value shows again.
        document.undoStack()->undo();
        QCOMPARE(document.edited().house->minimum, inFile);
        QVERIFY(!document.isModified());
        QVERIFY(!hasChangeMark(edit));
        document.undoStack()->redo();

        // A second set-up adds no step and follows the field only once: one step for one entry.
        editor.reset();
        editor.setUp(document, window->window);
        QCOMPARE(document.undoStack()->count(), 1);
        editortest::typeEntry(edit, QStringLiteral("3"));
        QCOMPARE(document.undoStack()->count(), 2);
        document.undoStack()->undo();
        QCOMPARE(document.edited().house->minimum, std::optional<int>(9));
    }

    void houseEntryIsOneUndoStep() {
        window->load(houseFirmware(4));
        HouseEditor editor;
        editor.setUp(window->document, window->window);
        NumberField* edit = editor.minimumEdit();
        QCOMPARE(oneStepProblem(
                     window->document, [edit] { typeEntry(edit, QStringLiteral("7")); }, edit),
                 QString());
        QVERIFY(edit->toolTip().endsWith(QStringLiteral("In der Datei: 4")));
        window->document.undoStack()->undo();
        QCOMPARE(edit->text(), QStringLiteral("4"));
        QVERIFY(!window->document.isModified());

        // The up-down steps through the field, one step for each entry.
        QCOMPARE(oneStepProblem(
                     window->document, [&editor] { editor.minimumUpDown()->stepUp(); }, edit),
                 QString());
        QCOMPARE(window->document.edited().house->minimum, std::optional<int>(5));
    }

private:
    std::unique_ptr<RecordingDialogs> dialogs;
    std::unique_ptr<LightTestWindow> window;
};

HQ_TEST_CLASS(NeonHouseEditorTest)
#include "tst_NeonHouseEditor.moc"

// The neon and house-light editors in the window: values shown from the EEPROM, typed values stored
// straight into it within their ranges, German messages for text that is no number.

#include "FakeDialogs.h"
#include "LightTestSupport.h"

#include "light/HouseEditor.h"
#include "light/NeonEditor.h"
#include "light/NeonPanel.h"
#include "main/ZusatzPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

using namespace hq::test;

namespace {

const QString kNeonMessage =
    QStringLiteral("Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..255");

hq::Firmware neonFirmware() {
    hq::EepromImage eeprom;
    eeprom.setValue(0x00, 6);    // delay 3 s
    eeprom.setValue(0x20, 0xC8); // DUNKEL 55
    eeprom.setValue(0x21, 0x0A); // HELL 245
    return firmwareOf(firmwareText(kNeonReset, kDccFahrzeug, eeprom));
}

// The window with shorthands for its house-light minimum controls.
struct HouseTestWindow : LightTestWindow {
    QLineEdit* edit() const { return window.zusatz()->minimumEdit(); }
    QLabel* caption() const { return window.zusatz()->minimumCaptionLabel(); }
    QSpinBox* upDown() const { return window.zusatz()->minimumUpDown(); }
};

} // namespace

class NeonHouseEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs = std::make_unique<FakeDialogs>();
        window = std::make_unique<HouseTestWindow>();
    }
    void cleanup() {
        window.reset();
        dialogs.reset();
    }

    void neonSetUpShowsTheLevelsInverted() {
        hq::Firmware firmware = neonFirmware();
        const hq::EepromImage before = firmware.eeprom();
        NeonEditor editor;
        editor.setUp(firmware, window->window);
        NeonPanel* panel = editor.panelWidget();
        QVERIFY(!panel->isHidden());
        QCOMPARE(panel->objectName(), QStringLiteral("pnl_wz_f_neon"));
        QCOMPARE(panel->edit(hq::NeonValue::Hell)->text(), QStringLiteral("245"));
        QCOMPARE(panel->edit(hq::NeonValue::Dunkel)->text(), QStringLiteral("55"));
        QCOMPARE(panel->edit(hq::NeonValue::Delay)->text(), QStringLiteral("6"));
        QCOMPARE(firmware.eeprom().bytes, before.bytes); // showing stores nothing
        QVERIFY(!editor.hasPendingChanges());
        QCOMPARE(editor.panel(), hq::Panel::Neon);
    }

    void neonValuesGoStraightIntoTheEeprom() {
        hq::Firmware firmware = neonFirmware();
        NeonEditor editor;
        editor.setUp(firmware, window->window);
        NeonPanel* panel = editor.panelWidget();
        QLineEdit* hell = panel->edit(hq::NeonValue::Hell);
        QLineEdit* dunkel = panel->edit(hq::NeonValue::Dunkel);
        QLineEdit* delay = panel->edit(hq::NeonValue::Delay);

        hell->setText(QStringLiteral("255"));
        QCOMPARE(firmware.eeprom().bytes[0x21], std::string("00"));
        hell->setText(QStringLiteral("0"));
        QCOMPARE(firmware.eeprom().bytes[0x21], std::string("FF"));

        dunkel->setText(QStringLiteral("300"));
        QCOMPARE(firmware.eeprom().bytes[0x20], std::string("00"));
        QCOMPARE(dunkel->text(), QStringLiteral("255"));

        delay->setText(QStringLiteral("0"));
        QCOMPARE(firmware.eeprom().bytes[0x00], std::string("00"));
        delay->setText(QStringLiteral("256"));
        QCOMPARE(firmware.eeprom().bytes[0x00], std::string("FF"));
        QCOMPARE(delay->text(), QStringLiteral("255"));
        QVERIFY(dialogs->messages.isEmpty());
    }

    void neonTextThatIsNoNumber() {
        hq::Firmware firmware = neonFirmware();
        NeonEditor editor;
        editor.setUp(firmware, window->window);
        QLineEdit* hell = editor.panelWidget()->edit(hq::NeonValue::Hell);

        hell->clear();
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(firmware.eeprom().bytes[0x21], std::string("0A"));
        hell->setText(QStringLiteral("hell"));
        QCOMPARE(dialogs->messages, QStringList{kNeonMessage});
        QCOMPARE(firmware.eeprom().bytes[0x21], std::string("0A"));
        QCOMPARE(hell->text(), QStringLiteral("hell"));
        // The focus goes back to the field, to mend it.
        QCOMPARE(window->window.focusWidget(), hell);
    }

    void neonResetForgetsTheFirmware() {
        hq::Firmware firmware = neonFirmware();
        NeonEditor editor;
        editor.setUp(firmware, window->window);
        editor.reset();
        QVERIFY(editor.panelWidget()->isHidden());
        editor.panelWidget()->edit(hq::NeonValue::Hell)->setText(QStringLiteral("1"));
        QCOMPARE(firmware.eeprom().bytes[0x21], std::string("0A"));
    }

    void houseMinimumIsShownAndClamped() {
        hq::EepromImage eeprom;
        eeprom.setValue(0x0F, 4);
        hq::Firmware firmware = firmwareOf(firmwareText(kHouseReset, kMmSchalt, eeprom));
        HouseEditor editor;
        editor.setUp(firmware, window->window);
        QCOMPARE(editor.panel(), hq::Panel::House);
        QVERIFY(!window->edit()->isHidden() && !window->caption()->isHidden() &&
                !window->upDown()->isHidden());
        QCOMPARE(window->edit()->text(), QStringLiteral("4"));
        QCOMPARE(firmware.eeprom().bytes[0x0F], std::string("04"));

        window->edit()->setText(QStringLiteral("12"));
        QCOMPARE(firmware.eeprom().bytes[0x0F], std::string("09"));
        QCOMPARE(window->edit()->text(), QStringLiteral("9"));
        window->edit()->setText(QStringLiteral("0"));
        QCOMPARE(firmware.eeprom().bytes[0x0F], std::string("01"));
        QCOMPARE(window->edit()->text(), QStringLiteral("1"));

        window->edit()->clear();
        QVERIFY(dialogs->messages.isEmpty());
        window->edit()->setText(QStringLiteral("viele"));
        QCOMPARE(dialogs->messages,
                 QStringList{
                     QStringLiteral("Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..9")});
        QCOMPARE(firmware.eeprom().bytes[0x0F], std::string("01"));

        editor.reset();
        QVERIFY(window->edit()->isHidden() && window->caption()->isHidden() && window->upDown()->isHidden());
    }

    void houseSetUpPutsAStoredMinimumOutOfRangeRight() {
        hq::Firmware firmware = firmwareOf(firmwareText(kHouseReset, kMmSchalt)); // byte 0x0F is "FF"
        HouseEditor editor;
        editor.setUp(firmware, window->window);
        QCOMPARE(firmware.eeprom().bytes[0x0F], std::string("09"));
        QCOMPARE(window->edit()->text(), QStringLiteral("9"));

        // A second set-up connects the edit only once: one message for one wrong text.
        editor.reset();
        editor.setUp(firmware, window->window);
        window->edit()->setText(QStringLiteral("x"));
        QCOMPARE(dialogs->messages.size(), 1);
    }

private:
    std::unique_ptr<FakeDialogs> dialogs;
    std::unique_ptr<HouseTestWindow> window;
};

QTEST_MAIN(NeonHouseEditorTest)
#include "tst_NeonHouseEditor.moc"

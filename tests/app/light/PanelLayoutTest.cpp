#include "FakeDialogs.h"
#include "LightTestWindow.h"

#include "light/BlinkEditor.h"
#include "light/LedEditor.h"
#include "light/NeonEditor.h"
#include "light/NeonPanel.h"
#include "light/PatternPanel.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace hq::test;

namespace {

// Every control lies inside its panel, no two overlap, and every caption has room for its text.
void checkLayout(QWidget* panel) {
    const QList<QWidget*> children = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        QVERIFY2(panel->rect().contains(child->geometry()), qPrintable(child->objectName()));
        for (QWidget* other : children)
            if (other != child)
                QVERIFY2(!child->geometry().intersects(other->geometry()),
                         qPrintable(child->objectName() + QStringLiteral(" / ") + other->objectName()));
    }
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        int needed = 0;
        if (auto* button = qobject_cast<QPushButton*>(w))
            needed = button->fontMetrics().horizontalAdvance(button->text()) + 12; // hint has a minimum width
        else if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))
            needed = w->sizeHint().width();
        QVERIFY2(needed <= w->width(),
                 qPrintable(w->objectName() + QStringLiteral(" ") + QString::number(needed)));
    }
}

// The time labels have room for the longest times too.
void longestTimes(PatternPanel* panel) {
    panel->stretchEdit()->setText(QStringLiteral("200"));
    panel->countEdit()->setText(QString::number(panel->config().maxCount()));
    QVERIFY(panel->totalTimeLabel()->text().endsWith(QStringLiteral("00000 ms")));
    checkLayout(panel);
}

void saveShot(QWidget* panel, const QString& name) {
    QDir().mkpath(QStringLiteral(HQ_SHOTS_DIR));
    QVERIFY(panel->grab().save(QStringLiteral(HQ_SHOTS_DIR "/") + name));
}

} // namespace

class PanelLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void blinkPanel() {
        FakeDialogs dialogs;
        LightTestWindow window;
        hq::ProgramTable table = blinkDemoTable();
        table[55] = 0xF1;
        table[1] = table[5] = 0x0F;
        hq::Firmware firmware = firmwareOf(tableFirmware(kBlinkReset, 1, table));
        BlinkEditor editor(&window.window);
        editor.setUp(firmware, &window.window);
        window.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.window));
        checkLayout(editor.panelWidget());
        QVERIFY(editor.panelWidget()->geometry().bottom() < 480);
        saveShot(editor.panelWidget(), QStringLiteral("pnl_blinkmuster.png"));
        saveShot(&window.window, QStringLiteral("blink_window.png"));
        longestTimes(editor.panelWidget());
    }

    void ledPanel() {
        FakeDialogs dialogs;
        LightTestWindow window;
        hq::Firmware firmware = firmwareOf(tableFirmware(kLedReset, 4, ledDemoTable()));
        LedEditor editor(&window.window);
        editor.setUp(firmware, &window.window);
        editor.panelWidget()->addressButton(2)->click();
        window.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.window));
        PatternPanel* panel = editor.panelWidget();
        checkLayout(panel);
        // Below the top of the main window's button row only the part right of its picture box is used.
        const int buttonRowTop = 485;
        for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (panel->y() + child->geometry().bottom() >= buttonRowTop)
                QVERIFY2(panel->x() + child->x() >= 535, qPrintable(child->objectName()));
        QVERIFY(!panel->mask().contains(QPoint(100, buttonRowTop - panel->y() + 10)));
        QVERIFY(panel->mask().contains(QPoint(200, buttonRowTop - panel->y() + 10)));
        QVERIFY(panel->geometry().bottom() < 680);
        saveShot(panel, QStringLiteral("pnl_led_blinkmuster.png"));
        saveShot(&window.window, QStringLiteral("led_window.png"));
        longestTimes(editor.panelWidget());
    }

    void neonPanel() {
        FakeDialogs dialogs;
        LightTestWindow window;
        hq::EepromImage eeprom;
        eeprom.setValue(0x00, 4);
        eeprom.setValue(0x20, 200);
        eeprom.setValue(0x21, 10);
        hq::Firmware firmware = firmwareOf(firmwareText(kNeonReset, kDccFahrzeug, eeprom));
        NeonEditor editor(&window.window);
        editor.setUp(firmware, &window.window);
        window.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.window));
        checkLayout(editor.panelWidget());
        QVERIFY(editor.panelWidget()->geometry().right() < 945);
        saveShot(editor.panelWidget(), QStringLiteral("pnl_wz_f_neon.png"));
    }
};

QTEST_MAIN(PanelLayoutTest)
#include "PanelLayoutTest.moc"

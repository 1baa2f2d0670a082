// The blink, LED and neon panels in the window as a user sees them: inside the window, every control
// within reach of the mouse (no panel covers another's controls or the window's own buttons), no
// caption cut off, also with the longest times. Pictures of them for a look by eye go to
// HQ_SHOTS_DIR.

#include "../EditorTestSupport.h"
#include "../LayoutChecks.h"
#include "LightTestSupport.h"
#include "RecordingDialogs.h"

#include "ChangeMark.h"
#include "NumberField.h"
#include "QtTestSuite.h"
#include "light/BlinkEditor.h"
#include "light/HouseEditor.h"
#include "light/LedEditor.h"
#include "light/NeonEditor.h"
#include "light/NeonPanel.h"
#include "light/PatternPanel.h"
#include "main/ButtonBox.h"
#include "main/ImageBox.h"
#include "preview/PatternPreviewWidget.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace hq::test;

namespace {

QStringList canvasNames(const PatternPanelConfig& config) {
    QStringList names;
    for (int n = 1; n <= config.outputs(); ++n)
        names << config.imagePrefix + QString::number(n);
    return names;
}

// The panel lies inside the window, its controls do not overlap one another, each can be reached in
// the window, and so can the window's own buttons and picture beside it.
void checkInWindow(TFormMain& window, QWidget* panel, const QStringList& canvases = {}) {
    QVERIFY(panel->isVisible());
    const QRect inWindow(panel->mapTo(&window, QPoint(0, 0)), panel->size());
    QVERIFY2(window.rect().contains(inWindow), qPrintable(layoutcheck::nameOf(panel)));
    const QList<QWidget*> children = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (!child->isVisible())
            continue;
        QVERIFY2(panel->rect().contains(child->geometry()), qPrintable(layoutcheck::nameOf(child)));
        for (QWidget* other : children)
            if (other != child && other->isVisible())
                QVERIFY2(!child->geometry().intersects(other->geometry()),
                         qPrintable(layoutcheck::nameOf(child) + QStringLiteral(" / ") +
                                    layoutcheck::nameOf(other)));
    }
    QCOMPARE(layoutcheck::unreachable(&window, panel, canvases), QStringList{});
    QCOMPARE(layoutcheck::unreachable(&window, window.buttons()), QStringList{});
    QVERIFY(layoutcheck::reachable(&window, window.imageBox()->image()));
    QCOMPARE(layoutcheck::cutOff(panel), QStringList{});
}

// The time labels have room for the longest times too, and the marks of the changed values (the
// address, count and stretch) cut no caption off.
void longestTimes(PatternPanel* panel) {
    panel->stretchEdit()->setText(QStringLiteral("200"));
    panel->countEdit()->setText(QString::number(panel->config().maxCount()));
    QVERIFY(panel->totalTimeLabel()->text().endsWith(QStringLiteral("00000 ms")));
    QVERIFY(hasChangeMark(panel->countEdit()));
    int marked = 0;
    for (int a = 1; a <= hq::kPatternAddresses; ++a)
        marked += hasChangeMark(panel->addressButton(a)) ? 1 : 0;
    QCOMPARE(marked, 1);
    QCOMPARE(layoutcheck::cutOff(panel).join(QLatin1Char(',')), QString());
}

// The names of the controls that Tab reaches, from `first` on, while they lie in `panel`.
QStringList tabOrder(QWidget* panel, QWidget* first) {
    QStringList names;
    first->setFocus(Qt::TabFocusReason);
    for (QWidget* at = QApplication::focusWidget();
         at != nullptr && panel->isAncestorOf(at) && names.size() < 40; at = QApplication::focusWidget()) {
        names << at->objectName();
        QTest::keyClick(at, Qt::Key_Tab);
    }
    return names;
}

void saveShot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(HQ_SHOTS_DIR));
    QVERIFY(widget->grab().save(QStringLiteral(HQ_SHOTS_DIR "/") + name));
}

} // namespace

class PanelLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        holder = std::make_unique<LightTestWindow>();
        QVERIFY(QTest::qWaitForWindowExposed(&holder->window));
    }
    void cleanup() { holder.reset(); }

    void blinkPanel() {
        RecordingDialogs dialogs;
        hq::ProgramTable table = blinkDemoTable();
        table[55] = 0xF1;
        table[1] = table[5] = 0x0F;
        holder->load(firmwareOf(tableFirmware(kBlinkReset, 1, table)));
        BlinkEditor editor;
        editor.setUp(holder->document, holder->window);
        QCoreApplication::processEvents();
        PatternPanel* panel = editor.panelWidget();
        checkInWindow(holder->window, panel, canvasNames(panel->config()));
        QCOMPARE(layoutcheck::unreachable(&holder->window, editor.preview()), QStringList{});
        saveShot(panel, QStringLiteral("pnl_blinkmuster.png"));
        // Tab goes from the address through the head, the rule's manual link, the outputs and the
        // buttons that can be pressed.
        QStringList expected;
        for (const char* role :
             {"rad_a1", "edt_Anzahl", "edt_stretch", "cbx_loop", "btn_handbuch", "cbx_out1", "cbx_out2",
              "cbx_out3", "cbx_out4", "btn_copy2", "btn_copy3", "btn_copy4", "btn_verwerfen"})
            expected << QStringLiteral("blinkmuster_") + QLatin1String(role);
        QCOMPARE(tabOrder(panel, panel->addressButton(1)), expected);
        saveShot(&holder->window, QStringLiteral("blink_window.png"));
        longestTimes(panel);
    }

    void ledPanel() {
        RecordingDialogs dialogs;
        holder->load(firmwareOf(tableFirmware(kLedReset, 4, ledDemoTable())));
        LedEditor editor;
        editor.setUp(holder->document, holder->window);
        editor.panelWidget()->addressButton(2)->click();
        QCoreApplication::processEvents();
        PatternPanel* panel = editor.panelWidget();
        // The LED editor is as tall as the window's client area: its preview goes below the ten
        // drawings, in the editor area right of the grid, clear of the picture.
        checkInWindow(holder->window, panel, canvasNames(panel->config()));
        QCOMPARE(layoutcheck::unreachable(&holder->window, editor.preview()), QStringList{});
        saveShot(panel, QStringLiteral("pnl_led_blinkmuster.png"));
        saveShot(&holder->window, QStringLiteral("led_window.png"));
        longestTimes(panel);
    }

    void neonPanel() {
        RecordingDialogs dialogs;
        hq::EepromImage eeprom;
        eeprom.setValue(0x00, 4);
        eeprom.setValue(0x20, 200);
        eeprom.setValue(0x21, 10);
        holder->load(firmwareOf(firmwareText(kNeonReset, kDccFahrzeug, eeprom)));
        NeonEditor editor;
        editor.setUp(holder->document, holder->window);
        QCoreApplication::processEvents();
        checkInWindow(holder->window, editor.panelWidget());
        saveShot(editor.panelWidget(), QStringLiteral("pnl_wz_f_neon.png"));
    }

    // The house-light editor's own field, marked with its longest value, in the window.
    void housePanel() {
        RecordingDialogs dialogs;
        hq::EepromImage eeprom;
        eeprom.setValue(0x0F, 3);
        holder->load(firmwareOf(firmwareText(kHouseReset, kMmSchalt, eeprom)));
        HouseEditor editor;
        editor.setUp(holder->document, holder->window);
        editortest::typeEntry(editor.minimumEdit(), QStringLiteral("9"));
        QVERIFY(hasChangeMark(editor.minimumEdit()));
        QCoreApplication::processEvents();
        QWidget* panel = editor.captionLabel()->parentWidget();
        checkInWindow(holder->window, panel);
        QVERIFY(editor.minimumEdit()->width() >= editor.minimumEdit()->sizeHint().width());
        saveShot(panel, QStringLiteral("pnl_haus.png"));
    }

private:
    std::unique_ptr<LightTestWindow> holder;
};

HQ_TEST_CLASS(PanelLayoutTest)
#include "tst_PanelLayout.moc"

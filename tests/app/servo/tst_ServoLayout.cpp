#include "../LayoutChecks.h"
#include "ServoTestSupport.h"

#include "../../core/servo/ServoFirmwareText.h"
#include "ChangeMark.h"
#include "QtTestSuite.h"
#include "document/FirmwareDocument.h"
#include "image/Firmware.h"
#include "main/ButtonBox.h"
#include "main/ImageBox.h"
#include "main/ParameterGridBox.h"
#include "servo/ServoEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

// The servo panels in the window as a user sees them: inside the window beside the grid, every
// control of the panels and of the window within reach of the mouse, no caption cut off, and
// pictures of them for a look by eye (written to HQ_SHOTS_DIR).
class ServoLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void panelsFitTheRoomTheWindowMade();
    void everyControlCanBeReached();
    void nothingIsCutOff();
    void pictures();

private:
    QWidget* panel(const char* name) const { return window->findChild<QWidget*>(QString::fromLatin1(name)); }

    ScriptedDialogs dialogs;
    std::unique_ptr<hq::Firmware> firmware;
    FirmwareDocument document;
    std::unique_ptr<StandInWindow> window;
    std::unique_ptr<ServoEditor> editor;
};

void ServoLayoutTest::init() {
    Dialogs::install(&dialogs);
    auto loaded = hq::loadFirmware(servoDecoderText());
    QVERIFY(loaded.ok());
    firmware = std::make_unique<hq::Firmware>(std::move(loaded.value()));
    window = std::make_unique<StandInWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    editor = std::make_unique<ServoEditor>();
    document.load(*firmware, QStringLiteral("servo.hex"));
    editor->setUp(document, *window);
    QCoreApplication::processEvents();
}

void ServoLayoutTest::cleanup() {
    editor.reset();
    window.reset();
    Dialogs::install(nullptr);
}

void ServoLayoutTest::panelsFitTheRoomTheWindowMade() {
    // The window grew beyond its smallest size for the panels and cannot be made too small for them.
    QVERIFY(window->width() > TFormMain::kMinimumWidth);
    QVERIFY(window->height() > TFormMain::kMinimumHeight);
    QCOMPARE(window->minimumSize(), window->size());

    const EditorRoom room = window->editorRoom();
    const QRect curves = panel("pnl_servo")->geometry();
    const QRect assignment = panel("pnl_servo2")->geometry();
    QVERIFY(room.holds(curves));
    QVERIFY(room.holds(assignment));
    QVERIFY(window->centralWidget()->rect().contains(assignment));
    QVERIFY(!curves.intersects(assignment));
    for (QWidget* box : {static_cast<QWidget*>(window->grid()), static_cast<QWidget*>(window->buttons()),
                         static_cast<QWidget*>(window->imageBox())}) {
        QVERIFY(!curves.intersects(box->geometry()));
        QVERIFY(!assignment.intersects(box->geometry()));
    }
    // The assignment panel has room for its tabs.
    QVERIFY(assignment.height() >= panel("pnl_servo2")->minimumSizeHint().height());
}

void ServoLayoutTest::everyControlCanBeReached() {
    const QStringList canvases{QStringLiteral("servo_Image1"), QStringLiteral("servo_Image2")};
    QCOMPARE(layoutcheck::unreachable(window.get(), panel("pnl_servo"), canvases), QStringList{});
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("servo_tabs"));
    QVERIFY(tabs != nullptr);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        QCOMPARE(layoutcheck::unreachable(window.get(), panel("pnl_servo2")), QStringList{});
    }
    // The window's own buttons in their narrowed row, and the picture beside them.
    QCOMPARE(layoutcheck::unreachable(window.get(), window->buttons()), QStringList{});
    QVERIFY(layoutcheck::reachable(window.get(), window->imageBox()->image()));
}

void ServoLayoutTest::nothingIsCutOff() {
    // The longest texts the info labels and timing fields can get.
    window->findChild<QLineEdit*>(QStringLiteral("edt_Anzahl"))->setText(QStringLiteral("100"));
    window->findChild<QLineEdit*>(QStringLiteral("edt_stretch"))->setText(QStringLiteral("200"));
    for (int i = 0; i < 20; ++i) {
        window->findChild<QPushButton*>(QStringLiteral("btn_inc10offset_1"))->click();
        window->findChild<QPushButton*>(QStringLiteral("btn_inc10faktor_1"))->click();
    }
    QCoreApplication::processEvents();
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("lbl_KurveInfo2"))->text(),
             QStringLiteral("Gesamtzeit für diese Kurve = 396000 ms"));

    // Every control that can be marked is: the marked (bold) captions need room too.
    for (int curve = 1; curve <= hq::kServoCurveCount; ++curve) {
        window->findChild<QRadioButton*>(QStringLiteral("servo_rad_a%1").arg(curve))->setChecked(true);
        window->findChild<QPushButton*>(QStringLiteral("btn_Sin"))->click();
    }
    for (QComboBox* box : panel("pnl_servo2")->findChildren<QComboBox*>()) {
        box->setCurrentIndex((box->currentIndex() + 1) % box->count());
    }
    for (QCheckBox* box : panel("pnl_servo2")->findChildren<QCheckBox*>()) {
        box->click();
    }
    QCoreApplication::processEvents();
    for (QWidget* control : panel("pnl_servo2")->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(control) != nullptr || qobject_cast<QCheckBox*>(control) != nullptr) {
            QVERIFY2(hasChangeMark(control), qPrintable(control->objectName()));
        }
    }
    QVERIFY(hasChangeMark(window->findChild<QRadioButton*>(QStringLiteral("servo_rad_a4"))));
    QCOMPARE(layoutcheck::cutOff(panel("pnl_servo")), QStringList{});
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("servo_tabs"));
    QVERIFY(tabs != nullptr);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        QCOMPARE(layoutcheck::cutOff(panel("pnl_servo2")), QStringList{});
        QCOMPARE(layoutcheck::unreachable(window.get(), panel("pnl_servo2")), QStringList{});
    }
}

void ServoLayoutTest::pictures() {
    // A demo curve: 25 points of "1/4 Sin", the relay on over the middle points.
    window->findChild<QLineEdit*>(QStringLiteral("edt_Anzahl"))->setText(QStringLiteral("25"));
    window->findChild<QLineEdit*>(QStringLiteral("edt_stretch"))->setText(QStringLiteral("8"));
    window->findChild<QPushButton*>(QStringLiteral("btn_Sin"))->click();
    hq::ServoWorkingCopy copy = editor->workingCopy();
    for (int i = 0; i < 25; ++i) {
        copy.data.curve(1)[static_cast<std::size_t>(i)] &= 0x7F;
        if (i >= 8 && i <= 16) {
            copy.data.curve(1)[static_cast<std::size_t>(i)] |= 0x80;
        }
    }
    document.edit(QStringLiteral("Bild"), [&copy](FirmwareDocument::State& state) { state.servo = copy; });

    QCoreApplication::processEvents();
    const QString dir = QStringLiteral(HQ_SHOTS_DIR);
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(window->grab().save(dir + QStringLiteral("/servo_window.png")));
    QVERIFY(panel("pnl_servo")->grab().save(dir + QStringLiteral("/pnl_servo.png")));
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("servo_tabs"));
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        QVERIFY(panel("pnl_servo2")->grab().save(dir + QStringLiteral("/pnl_servo2_%1.png").arg(i)));
    }
}

HQ_TEST_CLASS(ServoLayoutTest)
#include "tst_ServoLayout.moc"

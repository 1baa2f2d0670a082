// What a new user does, start to end, in the real window on demo firmware: edit, save, load the
// saved file again and find everything back.

#include "FakeDialogs.h"
#include "QtTestSuite.h"
#include "WindowTestSupport.h"
#include "document/FirmwareDocument.h"
#include "image/Firmware.h"
#include "light/PatternBank.h"
#include "light/PatternLayout.h"
#include "main/AppFactory.h"
#include "main/TFormMain.h"
#include "servo/CurveGenerator.h"
#include "servo/CurveTransform.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoWorkingCopy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A drag with the left button held from `from` to `to` in small steps.
void drag(QWidget* canvas, QPointF from, QPointF to) {
    windowtest::sendMouse(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    const int steps = 40;
    for (int i = 0; i <= steps; ++i)
        windowtest::sendMouse(canvas, QEvent::MouseMove, from + (to - from) * i / steps, Qt::NoButton,
                              Qt::LeftButton);
    windowtest::sendMouse(canvas, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

hq::Firmware loadSaved(const QString& path) {
    auto firmware = hq::loadFirmwareFile(QFile::encodeName(path).toStdString());
    return firmware ? *firmware : hq::Firmware{};
}

} // namespace

class TestUserJourneys : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void changeAnAddressToggleRedGreenSaveAndReload();
    void servoHalfSineRelayAndAssignmentSurviveSaving();
    void runningLightCopiedToAddressThreeSurvivesSaving();

private:
    template <class T> T* find(const char* name) const {
        T* widget = window_->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr)
            qWarning("no control %s", name);
        return widget;
    }
    QString demo(int kind, hq::Protocol protocol);
    QString save();
    void reopen(const QString& path);

    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
};

void TestUserJourneys::init() {
    dialogs_ = FakeDialogs();
    Dialogs::install(&dialogs_);
    dir_ = std::make_unique<QTemporaryDir>();
    window_ = createMainWindow();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TestUserJourneys::cleanup() {
    window_.reset();
    Dialogs::install(nullptr);
    dir_.reset();
}

QString TestUserJourneys::demo(int kind, hq::Protocol protocol) {
    return windowtest::writeDemo(*dir_, kind, protocol);
}

QString TestUserJourneys::save() {
    const QString path = dir_->filePath(QStringLiteral("saved-%1.hex").arg(dialogs_.saveCalls.size()));
    dialogs_.saveNames = {path};
    dialogs_.answers = {QMessageBox::Yes};
    find<QPushButton>("btn_save")->click();
    return path;
}

// A fresh window, as after a restart of the program.
void TestUserJourneys::reopen(const QString& path) {
    window_ = createMainWindow();
    window_->show();
    dialogs_.openNames = {path};
    find<QPushButton>("btn_load")->click();
}

void TestUserJourneys::changeAnAddressToggleRedGreenSaveAndReload() {
    dialogs_.openNames = {demo(31, hq::Protocol::DCC)};
    find<QPushButton>("btn_load")->click();
    QLineEdit* address = find<QLineEdit>("edt_adresse_2");
    address->setText(QStringLiteral("1017"));
    const QString before = address->styleSheet() + address->palette().color(QPalette::Base).name();
    find<QPushButton>("btn_RG_2")->click();
    QVERIFY(address->styleSheet() + address->palette().color(QPalette::Base).name() != before);
    const bool wasGreen = window_->document()->edited().rows[2].redGreen == 1;

    const QString saved = save();
    QVERIFY(dialogs_.messages.isEmpty());
    reopen(saved);
    QCOMPARE(find<QLineEdit>("edt_adresse_2")->text(), QStringLiteral("1017"));
    QCOMPARE(window_->firmware()->parameters.rows[2].redGreen == 1, wasGreen);
    QCOMPARE(find<QLineEdit>("edt_adresse_1")->text(), QString::number(hq::kDemoSwitchingAddress));
}

void TestUserJourneys::servoHalfSineRelayAndAssignmentSurviveSaving() {
    dialogs_.openNames = {demo(42, hq::Protocol::MM)};
    find<QPushButton>("btn_load")->click();
    find<QRadioButton>("servo_rad_a2")->click();
    find<QPushButton>("btn_sin2")->click();
    const int count = window_->findChild<QLineEdit*>(QStringLiteral("edt_Anzahl"))->text().toInt();
    QVERIFY(count >= 2);

    // Relay on for the first half of the points: drag along the top of the relay track.
    QWidget* relay = find<QWidget>("servo_Image2");
    drag(relay, QPointF(1, 2), QPointF(relay->width() / 2.0, 2));
    drag(relay, QPointF(relay->width() / 2.0 + 20, relay->height() - 2),
         QPointF(relay->width() - 1, relay->height() - 2));

    // Address 3 moves servo 2 with "Start Loop".
    find<QComboBox>("cbx_a3_servo")->setCurrentIndex(1);
    find<QComboBox>("cbx_a3_action")->setCurrentIndex(1);

    const QString saved = save();
    QCOMPARE(dialogs_.messageTexts(), QStringList{QStringLiteral("Geänderte Werte übernehmen?")});
    const hq::Firmware firmware = loadSaved(saved);
    const hq::ServoWorkingCopy copy = hq::loadServoWorkingCopy(firmware.image, firmware.eeprom());
    const hq::CurveBlock& curve = copy.data.curve(2);
    bool someRelayOn = false;
    bool someRelayOff = false;
    for (int i = 0; i < count; ++i) {
        QCOMPARE(hq::pointPosition(curve[i]), hq::generatedPosition(hq::CurveShape::HalfSine, count, i));
        (hq::pointRelay(curve[i]) ? someRelayOn : someRelayOff) = true;
    }
    QVERIFY(someRelayOn && someRelayOff);
    QVERIFY(hq::pointRelay(curve[0]));
    const hq::AssignmentRow row = hq::assignmentRow(copy.data, 3);
    QCOMPARE(row.servoAction, 0x12);

    // And the window shows it all again.
    reopen(saved);
    QCOMPARE(find<QComboBox>("cbx_a3_servo")->currentText(), QStringLiteral("Servo 2"));
    QCOMPARE(find<QComboBox>("cbx_a3_action")->currentText(), QStringLiteral("Start Loop"));
    QVERIFY(find<QComboBox>("cbx_a3_curve")->isVisible());
}

void TestUserJourneys::runningLightCopiedToAddressThreeSurvivesSaving() {
    dialogs_.openNames = {demo(43, hq::Protocol::DCC)};
    find<QPushButton>("btn_load")->click();
    find<QLineEdit>("blinkmuster_edt_Anzahl")->setText(QStringLiteral("4"));
    for (int n = 1; n <= 4; ++n) {
        QCheckBox* used =
            find<QCheckBox>(QStringLiteral("blinkmuster_cbx_out%1").arg(n).toLatin1().constData());
        if (!used->isChecked())
            used->click();
    }
    if (!find<QCheckBox>("blinkmuster_cbx_loop")->isChecked())
        find<QCheckBox>("blinkmuster_cbx_loop")->click();
    // Output n lights in step n only: clear the whole row, then draw its one step.
    for (int n = 1; n <= 4; ++n) {
        QWidget* canvas = find<QWidget>(QStringLiteral("Image_Blink%1").arg(n).toLatin1().constData());
        const double step = (canvas->width() - 10) / 4.0;
        drag(canvas, QPointF(1, canvas->height() - 2), QPointF(canvas->width() - 1, canvas->height() - 2));
        drag(canvas, QPointF((n - 1) * step + step / 2, 2), QPointF((n - 1) * step + step / 2 + 1, 2));
    }
    find<QRadioButton>("blinkmuster_rad_a3")->click();
    find<QPushButton>("blinkmuster_btn_copy1")->click();

    const QString saved = save();
    QCOMPARE(dialogs_.messageTexts(), QStringList{QStringLiteral("Geänderte Werte übernehmen?")});
    hq::PatternBank bank(hq::kBlinkLayout);
    QVERIFY(bank.read(loadSaved(saved).image));
    for (int address : {1, 3}) {
        QCOMPARE(bank.count(address), 4);
        QVERIFY(bank.loop(address));
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(bank.outputUsed(address, n));
            std::string expected = "0000";
            expected[static_cast<std::size_t>(n - 1)] = '1';
            QCOMPARE(bank.stepsText(address, n), expected);
        }
    }

    reopen(saved);
    find<QRadioButton>("blinkmuster_rad_a3")->click();
    QCOMPARE(find<QLineEdit>("blinkmuster_edt_Anzahl")->text(), QStringLiteral("4"));
    QVERIFY(find<QCheckBox>("blinkmuster_cbx_loop")->isChecked());
}

HQ_TEST_CLASS(TestUserJourneys)
#include "tst_UserJourneys.moc"

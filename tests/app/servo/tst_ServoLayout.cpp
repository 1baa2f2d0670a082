#include "ServoTestSupport.h"

#include "../../core/servo/ServoFirmwareText.h"
#include "image/Firmware.h"
#include "servo/ServoEditor.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

// Where the panels are placed in the window, that nothing inside them is cut off, and pictures of
// them for a look by eye (written to HQ_SHOTS_DIR).
class ServoLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowAndBoxesAreResized();
    void panelsStayClearOfTheWindowsBoxes();
    void nothingIsCutOff();
    void pictures();

private:
    QWidget* panel(const char* name) const { return window->findChild<QWidget*>(QString::fromLatin1(name)); }
    void checkChildrenFit(QWidget* container);

    ScriptedDialogs dialogs;
    std::unique_ptr<hq::Firmware> firmware;
    std::unique_ptr<StandInWindow> window;
    std::unique_ptr<ServoEditor> editor;
};

void ServoLayoutTest::init() {
    Dialogs::install(&dialogs);
    auto loaded = hq::loadFirmware(hq::servotest::servoFirmwareText());
    QVERIFY(loaded.ok());
    firmware = std::make_unique<hq::Firmware>(std::move(loaded.value()));
    window = std::make_unique<StandInWindow>();
    editor = std::make_unique<ServoEditor>(window->centralWidget());
    editor->setUp(*firmware, window.get());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void ServoLayoutTest::cleanup() {
    editor.reset();
    window.reset();
    Dialogs::install(nullptr);
}

void ServoLayoutTest::windowAndBoxesAreResized() {
    QCOMPARE(window->size(), QSize(950, 700));
    QCOMPARE(window->minimumSize(), QSize(950, 700));
    QCOMPARE(window->buttons->geometry(), QRect(5, 485, 297, 80));
    QCOMPARE(window->image->geometry(), QRect(305, 485, 230, 80));
    QCOMPARE(panel("pnl_servo")->pos(), QPoint(410, 5));
    QVERIFY(panel("pnl_servo")->width() <= 535);
}

void ServoLayoutTest::panelsStayClearOfTheWindowsBoxes() {
    const QRect client = window->centralWidget()->rect();
    const QRect curves = panel("pnl_servo")->geometry();
    const QRect assignment = panel("pnl_servo2")->geometry();
    QVERIFY(client.contains(curves));
    QVERIFY2(client.contains(assignment), qPrintable(QStringLiteral("pnl_servo2 at %1,%2 %3x%4 in %5x%6")
                                                         .arg(assignment.x())
                                                         .arg(assignment.y())
                                                         .arg(assignment.width())
                                                         .arg(assignment.height())
                                                         .arg(client.width())
                                                         .arg(client.height())));
    for (const QRect& box :
         {window->grid->geometry(), window->buttons->geometry(), window->image->geometry()}) {
        QVERIFY(!curves.intersects(box));
        QVERIFY(!assignment.intersects(box));
    }
    QVERIFY(!curves.intersects(assignment));
}

void ServoLayoutTest::checkChildrenFit(QWidget* container) {
    const QRect area = container->rect();
    const auto children = container->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (!child->isVisibleTo(container) || child->objectName().startsWith(QLatin1String("qt_"))) {
            continue;
        }
        const QRect inContainer(child->mapTo(container, QPoint(0, 0)), child->size());
        QVERIFY2(area.contains(inContainer),
                 qPrintable(child->objectName() + QLatin1String(" outside its panel")));
        QString name = child->objectName();
        if (auto* label = qobject_cast<QLabel*>(child); label != nullptr && name.isEmpty()) {
            name = label->text();
        }
        if (name.isEmpty()) {
            name = QString::fromLatin1(child->metaObject()->className());
        }
        QSize needed;
        if (auto* button = qobject_cast<QPushButton*>(child)) {
            // A push button's size hint holds a minimum width of its own; the text is what counts.
            needed = QSize(button->fontMetrics().horizontalAdvance(button->text()) + 8,
                           button->minimumSizeHint().height());
        } else if (auto* other = qobject_cast<QAbstractButton*>(child);
                   other != nullptr && other->text().isEmpty()) {
            continue; // the arrows of an up-down
        } else if (qobject_cast<QLabel*>(child) != nullptr ||
                   qobject_cast<QAbstractButton*>(child) != nullptr ||
                   qobject_cast<QComboBox*>(child) != nullptr) {
            needed = child->minimumSizeHint();
        } else {
            continue;
        }
        QVERIFY2(child->width() >= needed.width(),
                 qPrintable(name + QLatin1String(" narrower than its text")));
        QVERIFY2(child->height() >= needed.height(),
                 qPrintable(name + QLatin1String(" lower than its text")));
    }
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
    checkChildrenFit(panel("pnl_servo"));
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("servo_tabs"));
    QVERIFY(tabs != nullptr);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        checkChildrenFit(panel("pnl_servo2"));
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
    QVERIFY(hq::storeServoWorkingCopy(copy, firmware->image, firmware->eeprom()).ok());
    window->findChild<QPushButton*>(QStringLiteral("servo_btn_verwerfen"))->click();

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

QTEST_MAIN(ServoLayoutTest)
#include "tst_ServoLayout.moc"

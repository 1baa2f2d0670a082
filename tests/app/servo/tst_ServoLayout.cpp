// The servo editor in the window as a user sees it: one area beside the grid with the curve panel,
// the preview right of it and the assignment tabs below it; nothing of it on the grid, the button
// row or the picture; every control within reach of the mouse and no caption cut off, also with a
// large font; the keyboard's way through the curve panel; the tabs built when first shown without
// changing the panel's size; and pictures for a look by eye (written to HQ_SHOTS_DIR).

#include "../LayoutChecks.h"
#include "ServoTestSupport.h"

#include "ChangeMark.h"
#include "NumberField.h"
#include "QtTestSuite.h"
#include "document/FirmwareDocument.h"
#include "image/Firmware.h"
#include "main/ButtonBox.h"
#include "main/ImageBox.h"
#include "main/ParameterGridBox.h"
#include "servo/ServoAssignmentPanel.h"
#include "servo/ServoEditor.h"

#include <QApplication>
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

class ServoLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void panelsFitInTheWindowBesideItsOwnBoxes();
    void arrangementAsBefore();
    void everyControlCanBeReached();
    void nothingIsCutOff();
    void aLargeFontFitsToo();
    void assignmentBoxesFitTheirItemsAlsoAfterAFontChange();
    void tabOrderOfTheCurvePanel();
    void tabsAreBuiltWhenFirstShown();
    void pictures();

private:
    void showEditor();
    QWidget* panel(const char* name) const { return window->findChild<QWidget*>(QString::fromLatin1(name)); }
    // `widget`'s rectangle in the window's client area.
    QRect inClient(const QWidget* widget) const {
        return {widget->mapTo(window->centralWidget(), QPoint(0, 0)), widget->size()};
    }
    // Every control that can be marked is, with the longest texts the labels and fields can get.
    void markEverything();

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
    showEditor();
}

void ServoLayoutTest::showEditor() {
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

void ServoLayoutTest::markEverything() {
    window->findChild<QLineEdit*>(QStringLiteral("edt_Anzahl"))->setText(QStringLiteral("100"));
    window->findChild<QLineEdit*>(QStringLiteral("edt_stretch"))->setText(QStringLiteral("200"));
    openEveryServoTab(window.get());
    for (int i = 0; i < 20; ++i) {
        window->findChild<QPushButton*>(QStringLiteral("btn_inc10offset_1"))->click();
        window->findChild<QPushButton*>(QStringLiteral("btn_inc10faktor_1"))->click();
    }
    for (int curve = 1; curve <= hq::kServoCurveCount; ++curve) {
        window->findChild<QRadioButton*>(QStringLiteral("servo_rad_a%1").arg(curve))->setChecked(true);
        window->findChild<QPushButton*>(QStringLiteral("btn_Sin"))->click();
    }
    for (QComboBox* box : panel("pnl_servo2")->findChildren<QComboBox*>())
        box->setCurrentIndex((box->currentIndex() + 1) % box->count());
    for (QCheckBox* box : panel("pnl_servo2")->findChildren<QCheckBox*>())
        box->click();
    QCoreApplication::processEvents();
}

void ServoLayoutTest::panelsFitInTheWindowBesideItsOwnBoxes() {
    // The window grew for the editor and cannot be made too small for it.
    QVERIFY(window->width() > TFormMain::kMinimumWidth);
    const QSize needed = window->minimumSizeHint();
    QVERIFY(window->width() >= needed.width() && window->height() >= needed.height());

    const QRect client = window->centralWidget()->rect();
    const QList<QWidget*> panels{panel("pnl_servo"), panel("servo_vorschau"), panel("pnl_servo2")};
    for (QWidget* shown : panels) {
        QVERIFY(shown->isVisible());
        QVERIFY2(client.contains(inClient(shown)), qPrintable(shown->objectName()));
        for (QWidget* box : {static_cast<QWidget*>(window->grid()), static_cast<QWidget*>(window->buttons()),
                             static_cast<QWidget*>(window->imageBox())})
            QVERIFY2(!inClient(shown).intersects(box->geometry()), qPrintable(shown->objectName()));
        for (QWidget* other : panels)
            QVERIFY(other == shown || !inClient(shown).intersects(inClient(other)));
        QVERIFY(shown->height() >= shown->minimumSizeHint().height());
        QVERIFY(shown->width() >= shown->minimumSizeHint().width());
    }
}

// As the window has always shown it: the preview right of the curve panel at its top, the tabs below
// the curve panel ending at its right edge.
void ServoLayoutTest::arrangementAsBefore() {
    const QRect curves = inClient(panel("pnl_servo"));
    const QRect preview = inClient(panel("servo_vorschau"));
    const QRect tabs = inClient(panel("pnl_servo2"));
    QVERIFY(preview.left() > curves.right());
    QCOMPARE(preview.top(), curves.top());
    QVERIFY(tabs.top() > curves.bottom());
    QCOMPARE(tabs.right(), curves.right());
    QVERIFY(tabs.left() > curves.left());
}

void ServoLayoutTest::everyControlCanBeReached() {
    const QStringList canvases{QStringLiteral("servo_Image1"), QStringLiteral("servo_Image2")};
    QCOMPARE(layoutcheck::unreachable(window.get(), panel("pnl_servo"), canvases), QStringList{});
    QCOMPARE(layoutcheck::unreachable(window.get(), panel("servo_vorschau")), QStringList{});
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("servo_tabs"));
    QVERIFY(tabs != nullptr);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        QCOMPARE(layoutcheck::unreachable(window.get(), panel("pnl_servo2")), QStringList{});
    }
    // The window's own buttons in their narrowed row, and the picture beside them: the editor's area
    // takes no mouse where it has no panel.
    QCOMPARE(layoutcheck::unreachable(window.get(), window->buttons()), QStringList{});
    QVERIFY(layoutcheck::reachable(window.get(), window->imageBox()->image()));
}

void ServoLayoutTest::nothingIsCutOff() {
    markEverything();
    window->findChild<QRadioButton*>(QStringLiteral("servo_rad_a1"))->setChecked(true);
    QCoreApplication::processEvents();
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("lbl_KurveInfo2"))->text(),
             QStringLiteral("Gesamtzeit für diese Kurve = 396000 ms"));
    for (QWidget* control : panel("pnl_servo2")->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(control) != nullptr || qobject_cast<QCheckBox*>(control) != nullptr)
            QVERIFY2(hasChangeMark(control), qPrintable(control->objectName()));
    }
    QVERIFY(hasChangeMark(window->findChild<QRadioButton*>(QStringLiteral("servo_rad_a4"))));
    QCOMPARE(layoutcheck::cutOff(panel("pnl_servo")), QStringList{});
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("servo_tabs"));
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        QCOMPARE(layoutcheck::cutOff(panel("pnl_servo2")), QStringList{});
        QCOMPARE(layoutcheck::unreachable(window.get(), panel("pnl_servo2")), QStringList{});
    }
    // Count and stretch hold their longest values.
    for (const char* name : {"edt_Anzahl", "edt_stretch"}) {
        auto* field = window->findChild<NumberField*>(QString::fromLatin1(name));
        QVERIFY(field->width() >= field->sizeHint().width());
    }
}

// With a 14-point font the panels grow with their texts: still nothing cut off or covered.
void ServoLayoutTest::aLargeFontFitsToo() {
    cleanup();
    Dialogs::install(&dialogs);
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSize(14);
    QApplication::setFont(large);
    showEditor();
    markEverything();
    QCOMPARE(layoutcheck::cutOff(panel("pnl_servo")), QStringList{});
    QCOMPARE(layoutcheck::unreachable(window.get(), panel("pnl_servo"), {QStringLiteral("servo_Image1")}),
             QStringList{});
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("servo_tabs"));
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        QCOMPARE(layoutcheck::cutOff(panel("pnl_servo2")), QStringList{});
    }
    QApplication::setFont(before);
}

// The boxes of a column share the size one of them worked out in their font: it must be the size a
// box of their items needs, in bold for a changed box too, and after the font changed while the
// editor was shown.
void ServoLayoutTest::assignmentBoxesFitTheirItemsAlsoAfterAFontChange() {
    auto sizesAsNeeded = [this] {
        QStringList wrong;
        for (QComboBox* box : window->findChildren<QComboBox*>()) {
            if (!box->objectName().startsWith(QStringLiteral("cbx_a")))
                continue;
            QComboBox plain;
            plain.setFont(box->font());
            for (int i = 0; i < box->count(); ++i)
                plain.addItem(box->itemText(i));
            if (box->sizeHint() != plain.sizeHint() ||
                box->minimumSizeHint().width() < plain.minimumSizeHint().width())
                wrong << box->objectName();
        }
        return wrong;
    };
    QCOMPARE(window->findChildren<QComboBox*>(QStringLiteral("cbx_a1_servo")).size(), 1);
    QCOMPARE(sizesAsNeeded(), QStringList{});
    // A changed box is bold: it needs its own size, and the others of its column keep theirs.
    auto* changed = window->findChild<QComboBox*>(QStringLiteral("cbx_a3_servo"));
    changed->setCurrentIndex((changed->currentIndex() + 1) % changed->count());
    QCoreApplication::processEvents();
    QVERIFY(changed->font().bold());
    QVERIFY(!window->findChild<QComboBox*>(QStringLiteral("cbx_a1_servo"))->font().bold());
    QCOMPARE(sizesAsNeeded(), QStringList{});
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSize(before.pointSize() * 2);
    const int widthBefore =
        window->findChild<QComboBox*>(QStringLiteral("cbx_a3_action"))->sizeHint().width();
    QApplication::setFont(large);
    QCoreApplication::processEvents();
    QVERIFY(window->findChild<QComboBox*>(QStringLiteral("cbx_a3_action"))->sizeHint().width() > widthBefore);
    QCOMPARE(sizesAsNeeded(), QStringList{});
    QApplication::setFont(before);
}

// The keyboard goes through the curve panel as it always has: count, stretch, "übernehmen",
// "verwerfen", the curves, the copies, the generators, the mirrors and the files.
void ServoLayoutTest::tabOrderOfTheCurvePanel() {
    window->findChild<QPushButton*>(QStringLiteral("btn_Lin"))->click(); // "übernehmen" takes the focus
    QStringList order;
    QWidget* first = window->findChild<QWidget*>(QStringLiteral("edt_Anzahl"));
    QWidget* next = first;
    do {
        if (panel("pnl_servo")->isAncestorOf(next) && next->focusPolicy() & Qt::TabFocus)
            order << next->objectName();
        next = next->nextInFocusChain();
    } while (next != first);
    const QStringList expected{QStringLiteral("edt_Anzahl"),
                               QStringLiteral("edt_stretch"),
                               QStringLiteral("servo_btn_uebernehmen"),
                               QStringLiteral("servo_btn_verwerfen"),
                               QStringLiteral("servo_rad_a1"),
                               QStringLiteral("servo_rad_a2"),
                               QStringLiteral("servo_rad_a3"),
                               QStringLiteral("servo_rad_a4"),
                               QStringLiteral("btn_copy1"),
                               QStringLiteral("btn_copy2"),
                               QStringLiteral("btn_copy3"),
                               QStringLiteral("btn_copy4"),
                               QStringLiteral("btn_Lin"),
                               QStringLiteral("btn_Log"),
                               QStringLiteral("btn_Sin"),
                               QStringLiteral("btn_sin2"),
                               QStringLiteral("btn_MirrorVertikal"),
                               QStringLiteral("btn_MirrorHorizontal"),
                               QStringLiteral("servo_save_1"),
                               QStringLiteral("servo_load_1"),
                               QStringLiteral("servo_save_all"),
                               QStringLiteral("servo_load_all")};
    QCOMPARE(order, expected);
}

// Only the first tab's controls exist when the editor is first shown; the others are built when their
// tab is chosen, show the document's values at once, and fit the panel as it is.
void ServoLayoutTest::tabsAreBuiltWhenFirstShown() {
    auto* settings = window->findChild<ServoAssignmentPanel*>();
    QVERIFY(settings->assignmentPage() != nullptr);
    QVERIFY(settings->timingPage() == nullptr);
    QVERIFY(settings->flagsPage() == nullptr);
    QVERIFY(window->findChild<QPushButton*>(QStringLiteral("btn_inc1offset_1")) == nullptr);
    QVERIFY(window->findChild<QCheckBox*>(QStringLiteral("cbx_v_off_2")) == nullptr);
    const QSize size = settings->size();

    // Built and shown at once, without the panel changing its size (a page built later used to show
    // squeezed for a frame, and would have widened the panel).
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("servo_tabs"));
    tabs->setCurrentIndex(1);
    QVERIFY(window->findChild<QPushButton*>(QStringLiteral("btn_inc1offset_1"))->isVisible());
    QCOMPARE(layoutcheck::cutOff(settings), QStringList{});
    openEveryServoTab(window.get());
    QCoreApplication::processEvents();
    QCOMPARE(settings->size(), size);
    QVERIFY(window->findChild<QCheckBox*>(QStringLiteral("cbx_v_off_2"))->isChecked());
    QVERIFY(!window->findChild<QLineEdit*>(QStringLiteral("servo_edt_Offset_1"))->text().isEmpty());
    arrangementAsBefore();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        QCOMPARE(layoutcheck::cutOff(settings), QStringList{});
    }
}

void ServoLayoutTest::pictures() {
    // A demo curve: 25 points of "1/4 Sin", the relay on over the middle points.
    window->findChild<QLineEdit*>(QStringLiteral("edt_Anzahl"))->setText(QStringLiteral("25"));
    window->findChild<QLineEdit*>(QStringLiteral("edt_stretch"))->setText(QStringLiteral("8"));
    window->findChild<QPushButton*>(QStringLiteral("btn_Sin"))->click();
    hq::ServoWorkingCopy copy = document.servo().copy();
    for (int i = 0; i < 25; ++i) {
        copy.data.curve(1)[static_cast<std::size_t>(i)] &= 0x7F;
        if (i >= 8 && i <= 16) {
            copy.data.curve(1)[static_cast<std::size_t>(i)] |= 0x80;
        }
    }
    document.servo().loadCurves(copy.data);

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

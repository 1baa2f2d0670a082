// The window's parts on their own: the grid's pixel mapping, the program's arguments, the
// minimum-count up-down, the button box narrowed for an editor, and the dialog shorthands.

#include "ButtonBox.h"
#include "FakeDialogs.h"
#include "GridGeometry.h"
#include "ImageBox.h"
#include "LaunchOptions.h"
#include "QtTestSuite.h"
#include "TFormMain.h"
#include "ZusatzPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

class TestWindowParts : public QObject {
    Q_OBJECT

private slots:
    void gridRowsFillTheFirstColumnThenTheSecond();
    void gridRowZeroAndOddCounts();
    void launchOptions_data();
    void launchOptions();
    void upDownFollowsTheMinimumEdit();
    void zusatzPanelMakesRoomForTheMinimum();
    void buttonsFitANarrowedBox();
    void pictureStaysCentred();
    void dialogShorthandsOfferTheStatedButtons();
};

void TestWindowParts::gridRowsFillTheFirstColumnThenTheSecond() {
    const GridGeometry g(15);
    const int top = GridGeometry::kTop;
    QVERIFY(GridGeometry::kHeadingTop + 16 <= top); // the column headings stand above the rows
    QCOMPARE(g.rowOrigin(1), (GridPoint{10, top}));
    QCOMPARE(g.rowOrigin(2), (GridPoint{10, top + 25}));
    QCOMPARE(g.rowOrigin(15), (GridPoint{10, top + 14 * 25}));
    QCOMPARE(g.column(15), 0);
    QCOMPARE(g.column(16), 1);
    QCOMPARE(g.rowOrigin(16), (GridPoint{210, top}));
    QCOMPARE(g.rowOrigin(31), (GridPoint{210, top + 15 * 25}));
    QCOMPARE(g.addressOrigin(16), (GridPoint{310, top}));
    QCOMPARE(g.switchOrigin(16), (GridPoint{360, top}));

    const GridGeometry two(2);
    QCOMPARE(two.rowOrigin(3), (GridPoint{210, top}));
    QCOMPARE(two.rowOrigin(4), (GridPoint{210, top + 25}));

    // The last row of the fullest column still ends above the help line, the help line above the flags.
    QVERIFY(g.rowOrigin(31).y + GridGeometry::kFieldHeight <= GridGeometry::kHelpTop);
    QVERIFY(GridGeometry::kHelpTop + GridGeometry::kHelpHeight <= GridGeometry::kFlagsTop);
    // Columns do not touch the divider.
    QVERIFY(g.switchOrigin(1).x + GridGeometry::kButtonWidth < GridGeometry::dividerX());
    QVERIFY(GridGeometry::dividerX() < g.rowOrigin(16).x);
    QVERIFY(g.switchOrigin(16).x + GridGeometry::kButtonWidth <= GridGeometry::kBoxWidth - 5);
}

void TestWindowParts::gridRowZeroAndOddCounts() {
    const GridGeometry g(4);
    QCOMPARE(g.rowOrigin(0), g.rowOrigin(1));
    const GridGeometry nonsense(0);
    const int top = GridGeometry::kTop;
    QCOMPARE(nonsense.rowOrigin(1), (GridPoint{10, top}));
    QCOMPARE(nonsense.column(2), 1);
}

void TestWindowParts::launchOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("screenshot");
    QTest::addColumn<bool>("error");
    QTest::newRow("nothing") << QStringList{} << QString() << QString() << false;
    QTest::newRow("file") << QStringList{QStringLiteral("a.hex")} << QStringLiteral("a.hex") << QString()
                          << false;
    QTest::newRow("screenshot") << QStringList{QStringLiteral("--screenshot"), QStringLiteral("out.png"),
                                               QStringLiteral("a.hex")}
                                << QStringLiteral("a.hex") << QStringLiteral("out.png") << false;
    QTest::newRow("screenshot without file")
        << QStringList{QStringLiteral("--screenshot"), QStringLiteral("out.png")} << QString()
        << QStringLiteral("out.png") << false;
    QTest::newRow("screenshot without picture")
        << QStringList{QStringLiteral("--screenshot")} << QString() << QString() << true;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--farbe")} << QString() << QString()
                                    << true;
    QTest::newRow("two files") << QStringList{QStringLiteral("a.hex"), QStringLiteral("b.hex")}
                               << QStringLiteral("a.hex") << QString() << true;
}

void TestWindowParts::launchOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QString, screenshot);
    QFETCH(bool, error);
    const LaunchOptions options = LaunchOptions::parse(arguments);
    QCOMPARE(options.file, file);
    QCOMPARE(options.screenshot, screenshot);
    QCOMPARE(!options.error.isEmpty(), error);
}

void TestWindowParts::upDownFollowsTheMinimumEdit() {
    ZusatzPanel panel;
    QSpinBox* upDown = panel.minimumUpDown();
    QLineEdit* edit = panel.minimumEdit();
    QCOMPARE(upDown->objectName(), QStringLiteral("UpDown5"));
    QCOMPARE(upDown->minimum(), 1);
    QCOMPARE(upDown->maximum(), 9);
    QCOMPARE(upDown->value(), 9);

    upDown->stepBy(-2);
    QCOMPARE(edit->text(), QStringLiteral("7"));
    edit->setText(QStringLiteral("3"));
    QCOMPARE(upDown->value(), 3);
    // Text out of range or no number leaves the up-down where it was.
    edit->setText(QStringLiteral("12"));
    QCOMPARE(upDown->value(), 3);
    edit->setText(QStringLiteral("x"));
    QCOMPARE(upDown->value(), 3);
    QCOMPARE(edit->text(), QStringLiteral("x"));
}

void TestWindowParts::zusatzPanelMakesRoomForTheMinimum() {
    QWidget window;
    auto* panel = new ZusatzPanel(&window);
    window.show();
    panel->showExtra(QStringLiteral("Ablaufgeschwindigkeit (1..255)"),
                     QStringLiteral("1 = schnell\n255 = langsam"));
    const int height = panel->height();
    QVERIFY(panel->rect().contains(panel->extraEdit()->geometry()));
    // What the house-light editor does on set-up.
    panel->minimumEdit()->show();
    panel->minimumUpDown()->show();
    QVERIFY(panel->height() > height);
    QVERIFY(panel->rect().contains(panel->minimumEdit()->geometry()));
    QVERIFY(panel->rect().contains(panel->minimumUpDown()->geometry()));
    QVERIFY(!panel->minimumEdit()->geometry().intersects(panel->minimumUpDown()->geometry()));
    panel->clear();
    QVERIFY(panel->isHidden());
    QCOMPARE(panel->height(), height);
}

void TestWindowParts::buttonsFitANarrowedBox() {
    // Narrowed for an editor, the box puts its buttons in two rows.
    TFormMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ButtonBox* box = window.buttons();
    const int wide = box->width();
    window.makeRoom(QSize(0, 0));
    QCoreApplication::processEvents(); // the box lays its buttons out anew
    QVERIFY(box->width() < wide);
    const QList<QPushButton*> buttons = {box->loadButton(), box->saveButton(), box->infoButton(),
                                         box->closeButton()};
    for (int i = 0; i < buttons.size(); ++i) {
        const QRect r = buttons.at(i)->geometry();
        QVERIFY(box->rect().contains(r));
        QVERIFY(r.width() >= buttons.at(i)->fontMetrics().horizontalAdvance(buttons.at(i)->text()));
        for (int j = 0; j < i; ++j) {
            QVERIFY(!r.intersects(buttons.at(j)->geometry()));
        }
    }
    QVERIFY(box->rect().contains(box->progressBar()->geometry()));
    QVERIFY(!box->geometry().intersects(window.imageBox()->geometry()));
}

void TestWindowParts::pictureStaysCentred() {
    ImageBox box;
    box.setGeometry(0, 0, 335, 80);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QLabel* image = box.image();
    QVERIFY(qAbs(image->geometry().center().x() - box.rect().center().x()) <= 1);
    box.resize(230, 80);
    QVERIFY(qAbs(image->geometry().center().x() - box.rect().center().x()) <= 1);
    QVERIFY(box.rect().contains(image->geometry()));
}

void TestWindowParts::dialogShorthandsOfferTheStatedButtons() {
    FakeDialogs fake;
    Dialogs::install(&fake);
    warningOk(nullptr, QStringLiteral("a"));
    warningCancel(nullptr, QStringLiteral("b"));
    fake.answers = {QMessageBox::No, QMessageBox::Yes};
    QVERIFY(!askYesNo(nullptr, QStringLiteral("c")));
    QVERIFY(askYesNo(nullptr, QStringLiteral("d")));
    Dialogs::install(nullptr);

    QCOMPARE(fake.messages.size(), 4);
    QCOMPARE(fake.messages.at(0).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(fake.messages.at(1).buttons, QMessageBox::StandardButtons(QMessageBox::Cancel));
    QCOMPARE(fake.messages.at(2).buttons, QMessageBox::Yes | QMessageBox::No);
    for (const auto& message : std::as_const(fake.messages)) {
        QCOMPARE(message.icon, QMessageBox::Warning);
    }
    QVERIFY(&Dialogs::instance() != &fake);
}

HQ_TEST_CLASS(TestWindowParts)
#include "tst_WindowParts.moc"

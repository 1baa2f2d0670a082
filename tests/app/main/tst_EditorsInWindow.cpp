// The editors inside the real window on demo firmware: drawing on a canvas, the take-over question
// when saving, and the saved program-memory lines compared with what hexquendra-cli writes for the
// same table.

#include "FakeDialogs.h"
#include "QtTestSuite.h"
#include "WindowTestSupport.h"
#include "encode/ProgramTable.h"
#include "image/Firmware.h"
#include "main/AppFactory.h"
#include "main/FileController.h"
#include "main/TFormMain.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using windowtest::readAll;

namespace {

struct EditorCase {
    int kind;
    const char* canvas;
    const char* panel;
};

const EditorCase kCases[] = {
    {42, "servo_Image1", "pnl_servo"},
    {43, "Image_Blink1", "pnl_blinkmuster"},
    {45, "Image_led_Blink1", "pnl_led_blinkmuster"},
};

// Drags along the top of the canvas: every step or point passed is switched on or raised to the top.
void dragAlongTheTop(QWidget* canvas) {
    windowtest::sendMouse(canvas, QEvent::MouseButtonPress, QPointF(1, 1), Qt::LeftButton, Qt::LeftButton);
    for (int x = 1; x < canvas->width(); x += 3)
        windowtest::sendMouse(canvas, QEvent::MouseMove, QPointF(x, 1), Qt::NoButton, Qt::LeftButton);
    windowtest::sendMouse(canvas, QEvent::MouseButtonRelease, QPointF(canvas->width() - 1, 1), Qt::LeftButton,
                          Qt::NoButton);
}

hq::ProgramTable tableOf(const QString& path) {
    hq::ProgramTable table{};
    auto firmware = hq::loadFirmwareFile(QFile::encodeName(path).toStdString());
    if (firmware) {
        for (int block = 1; block <= 4; ++block)
            hq::readProgramBlock(firmware->image, block, table);
    }
    return table;
}

} // namespace

class TestEditorsInWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void drawnTablesAreSavedAsTheCommandLineWritesThem_data();
    void drawnTablesAreSavedAsTheCommandLineWritesThem();
    void loadingAnotherKindHidesTheEditor();
    void enterClicksEveryButtonOfTheEditors_data();
    void enterClicksEveryButtonOfTheEditors();

private:
    QString writeDemo(int kind);

    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
};

void TestEditorsInWindow::init() {
    dialogs_ = FakeDialogs();
    Dialogs::install(&dialogs_);
    dir_ = std::make_unique<QTemporaryDir>();
    window_ = createMainWindow();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TestEditorsInWindow::cleanup() {
    window_.reset();
    Dialogs::install(nullptr);
    dir_.reset();
}

QString TestEditorsInWindow::writeDemo(int kind) {
    return windowtest::writeDemo(*dir_, kind, hq::Protocol::MM);
}

void TestEditorsInWindow::drawnTablesAreSavedAsTheCommandLineWritesThem_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i)
        QTest::newRow(kCases[i].panel) << i;
}

void TestEditorsInWindow::drawnTablesAreSavedAsTheCommandLineWritesThem() {
    QFETCH(int, index);
    const EditorCase& c = kCases[index];
    const QString input = writeDemo(c.kind);
    QVERIFY(window_->loadFile(input));
    auto* canvas = window_->findChild<QWidget*>(QString::fromLatin1(c.canvas));
    QVERIFY(canvas != nullptr);
    QVERIFY(canvas->isVisible());
    QVERIFY(window_->findChild<QWidget*>(QString::fromLatin1(c.panel))->isVisible());

    dragAlongTheTop(canvas);

    const QString saved = dir_->filePath(QStringLiteral("saved.hex"));
    dialogs_.answers = {QMessageBox::Yes};
    dialogs_.saveNames = {saved};
    window_->files()->save();
    QCOMPARE(dialogs_.messageTexts(), QStringList{QStringLiteral("Geänderte Werte übernehmen?")});
    QVERIFY(QFile::exists(saved));
    const hq::ProgramTable table = tableOf(saved);
    QVERIFY2(table != tableOf(input), "the drawing changed the table");

    // The same table through the command line, starting from the same demo file.
    QJsonArray entries;
    for (int value : table)
        entries.append(value);
    const QString settings = dir_->filePath(QStringLiteral("settings.json"));
    QFile json(settings);
    QVERIFY(json.open(QIODevice::WriteOnly));
    json.write(QJsonDocument(QJsonObject{{QStringLiteral("program_table"), entries}}).toJson());
    json.close();
    const QString viaCli = dir_->filePath(QStringLiteral("cli.hex"));
    QProcess cli;
    cli.start(QStringLiteral(HQ_CLI_PATH),
              {QStringLiteral("apply"), input, settings, QStringLiteral("-o"), viaCli});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(readAll(saved), readAll(viaCli));
}

void TestEditorsInWindow::loadingAnotherKindHidesTheEditor() {
    QVERIFY(window_->loadFile(writeDemo(42)));
    QWidget* servo = window_->findChild<QWidget*>(QStringLiteral("pnl_servo"));
    QWidget* servo2 = window_->findChild<QWidget*>(QStringLiteral("pnl_servo2"));
    QVERIFY(servo && servo->isVisible() && servo2->isVisible());
    // The smallest window: its client area and the menu bar on top.
    const QSize atStart(TFormMain::kMinimumWidth,
                        TFormMain::kMinimumHeight + window_->menuBar()->sizeHint().height());
    // The window made room for the servo editor: wider, with its panels inside.
    QVERIFY(window_->width() > atStart.width() && window_->height() >= atStart.height());
    for (QWidget* panel : {servo, servo2}) {
        const QRect inWindow(panel->mapTo(window_.get(), QPoint(0, 0)), panel->size());
        QVERIFY(window_->rect().contains(inWindow));
    }

    QVERIFY(window_->loadFile(writeDemo(43)));
    QVERIFY(!servo->isVisible());
    QVERIFY(!servo2->isVisible());
    QVERIFY(window_->findChild<QWidget*>(QStringLiteral("pnl_blinkmuster"))->isVisible());

    QVERIFY(window_->loadFile(writeDemo(31)));
    QVERIFY(!window_->findChild<QWidget*>(QStringLiteral("pnl_blinkmuster"))->isVisible());
    QCOMPARE(window_->size(), atStart);
    QCOMPARE(window_->minimumSize(), atStart);
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestEditorsInWindow::enterClicksEveryButtonOfTheEditors_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("panels");
    QTest::newRow("servo") << 42 << QStringList{QStringLiteral("pnl_servo"), QStringLiteral("pnl_servo2")};
    QTest::newRow("blink") << 43 << QStringList{QStringLiteral("pnl_blinkmuster")};
    QTest::newRow("led") << 45 << QStringList{QStringLiteral("pnl_led_blinkmuster")};
}

// Return and the keypad's Enter click the focused button, in every panel of every editor.
void TestEditorsInWindow::enterClicksEveryButtonOfTheEditors() {
    QFETCH(int, kind);
    QFETCH(QStringList, panels);
    QVERIFY(window_->loadFile(writeDemo(kind)));
    int pressed = 0;
    auto pressShownButtons = [&pressed](QWidget* container) {
        for (QPushButton* button : container->findChildren<QPushButton*>()) {
            // Skipped: a copy button of the address shown, "übernehmen" with nothing to take over.
            if (!button->isVisible() || !button->isEnabled())
                continue;
            QSignalSpy clicked(button, &QPushButton::clicked);
            button->setFocus(Qt::TabFocusReason);
            const Qt::Key key = pressed % 2 == 0 ? Qt::Key_Return : Qt::Key_Enter;
            QTest::keyClick(button, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QVERIFY2(clicked.count() == 1, qPrintable(button->objectName()));
            ++pressed;
        }
    };
    for (const QString& name : std::as_const(panels)) {
        auto* panel = window_->findChild<QWidget*>(name);
        QVERIFY(panel != nullptr && panel->isVisible());
        pressShownButtons(panel);
    }
    // The servo's pulse buttons on their own tab.
    if (auto* tabs = window_->findChild<QTabWidget*>(QStringLiteral("servo_tabs"))) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            pressShownButtons(tabs->currentWidget());
        }
    }
    QVERIFY(pressed >= 4);
}

HQ_TEST_CLASS(TestEditorsInWindow)
#include "tst_EditorsInWindow.moc"

// The window's parts on their own: the program's arguments, the minimum-count up-down and the extra
// value's panel, the button box beside an editor, the picture box and the pictures compiled in, the
// wrapped label, and the dialog shorthands.

#include "AppFactory.h"
#include "ButtonBox.h"
#include "FakeDialogs.h"
#include "ImageBox.h"
#include "LaunchOptions.h"
#include "QtTestSuite.h"
#include "TFormMain.h"
#include "WindowFirstDialogs.h"
#include "WrappedLabel.h"
#include "ZusatzPanel.h"
#include "demo/DemoFirmware.h"
#include "document/FirmwareDocument.h"
#include "pictures/Pictures.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

class TestWindowParts : public QObject {
    Q_OBJECT

private slots:
    void launchOptions_data();
    void launchOptions();
    void buttonsFitACompactBox();
    void pictureStaysCentred();
    void compiledInPicturesAreTheSourcePictures();
    void wrappedLabelMeasuresItsPresentTextAndFont();
    void dialogShorthandsOfferTheStatedButtons();
    void aMessageAboutTheFileGivenAtStartShowsTheWindowFirst();
};

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

void TestWindowParts::buttonsFitACompactBox() {
    // Beside an editor the box puts its buttons in two rows: narrower, nothing overlapping or cut.
    ButtonBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const int wide = box.sizeHint().width();
    box.setCompact(true);
    QCoreApplication::processEvents(); // the box, a window of its own here, takes its new least size
    box.resize(box.sizeHint());
    QCoreApplication::processEvents();
    QVERIFY(box.isCompact());
    QVERIFY(box.width() < wide);
    const QList<QPushButton*> buttons = {box.loadButton(), box.saveButton(), box.infoButton(),
                                         box.closeButton()};
    for (int i = 0; i < buttons.size(); ++i) {
        const QRect r = buttons.at(i)->geometry();
        QVERIFY(box.rect().contains(r));
        QVERIFY(r.width() >= buttons.at(i)->fontMetrics().horizontalAdvance(buttons.at(i)->text()));
        for (int j = 0; j < i; ++j)
            QVERIFY(!r.intersects(buttons.at(j)->geometry()));
    }
    QVERIFY(box.infoButton()->y() > box.loadButton()->geometry().bottom()); // "Info" in the second row
    QVERIFY(box.rect().contains(box.progressBar()->geometry()));
    box.setCompact(false);
    QCoreApplication::processEvents();
    box.resize(box.sizeHint());
    QCoreApplication::processEvents();
    QCOMPARE(box.loadButton()->y(), box.closeButton()->y());
}

void TestWindowParts::pictureStaysCentred() {
    ImageBox box;
    box.resize(box.sizeHint() + QSize(100, 10));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QLabel* image = box.image();
    QVERIFY(qAbs(image->geometry().center().x() - box.contentsRect().center().x()) <= 1);
    box.resize(box.sizeHint());
    QCoreApplication::processEvents();
    QVERIFY(qAbs(image->geometry().center().x() - box.contentsRect().center().x()) <= 1);
    QVERIFY(box.rect().contains(image->geometry()));
}

void TestWindowParts::compiledInPicturesAreTheSourcePictures() {
    // Pixel for pixel, transparency included, as a pixmap read from the picture file shows: a fault in
    // the build tool (a row shifted, channels swapped, the last pixels cut) shows here.
    // (The pixels alone: a picture file may also name its colour space, which drawing does not use.)
    auto shown = [](const QPixmap& pixmap) {
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        QList<QRgb> pixels{QRgb(image.width())};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                pixels << image.pixel(x, y);
        return pixels;
    };
    const QPixmap logo(QStringLiteral(HQ_PICTURES_DIR "/hexquendra.png"));
    const QPixmap icon(QStringLiteral(HQ_PICTURES_DIR "/hexquendra-icon.png"));
    QVERIFY(!logo.isNull() && !icon.isNull());
    QCOMPARE(shown(pictures::logo()), shown(logo));
    const QIcon windowIcon = pictures::windowIcon();
    QCOMPARE(windowIcon.availableSizes(), QList<QSize>{icon.size()});
    QCOMPARE(shown(windowIcon.pixmap(icon.size())), shown(icon));
    ImageBox box;
    QCOMPARE(box.image()->pixmap().size(), logo.size());
}

void TestWindowParts::wrappedLabelMeasuresItsPresentTextAndFont() {
    // It remembers heights; each must be the height a plain label needs for the same text, font
    // and width, after the text or the font changed as before.
    WrappedLabel wrapped;
    QLabel plain;
    plain.setWordWrap(true);
    auto same = [&](int width) { return wrapped.heightForWidth(width) == plain.heightForWidth(width); };
    const QString shortText = QStringLiteral("Adresse 01: DCC-Zubehöradresse 5");
    const QString longText = shortText + QStringLiteral(", grün · Dekoder 2, Ausgang 1. Manche Zentralen "
                                                        "zählen die Ausgänge um 4 versetzt.");
    for (const QString& text : {shortText, longText, shortText}) {
        wrapped.setText(text);
        plain.setText(text);
        for (int width : {120, 300, 120})
            QVERIFY2(same(width), qPrintable(text));
    }
    const int before = wrapped.heightForWidth(120);
    QFont large = wrapped.font();
    large.setPointSizeF(large.pointSizeF() * 2);
    wrapped.setFont(large);
    plain.setFont(large);
    QVERIFY(wrapped.heightForWidth(120) > before);
    QVERIFY(same(120));
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

// A file given at start is loaded before the window shows; a message about it shows the window
// first, and a file that loads without a word leaves the showing to the start.
void TestWindowParts::aMessageAboutTheFileGivenAtStartShowsTheWindowFirst() {
    FakeDialogs fake;
    const std::unique_ptr<TFormMain> window = createMainWindow();
    WindowFirstDialogs first(fake, *window);
    Dialogs::install(&first);
    QVERIFY(window->loadFile(QStringLiteral(HQ_EXAMPLES_DIR "/demo-42-dcc.hex")));
    QVERIFY(!window->isVisible());
    QVERIFY(fake.messages.isEmpty());
    QVERIFY(!window->loadFile(QStringLiteral(HQ_EXAMPLES_DIR "/gibt-es-nicht.hex")));
    Dialogs::install(nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(fake.messages.size(), 1);
    QVERIFY(fake.messages.front().text.contains(QStringLiteral("wurde nicht gefunden")));
}

HQ_TEST_CLASS(TestWindowParts)
#include "tst_WindowParts.moc"

// The manual behind F1: every page is reached from the contents and loads with its links, anchors
// and pictures; a page per firmware kind names the kind's rows; the pattern editor's drawing rule is
// on its page; F1 opens one manual window and opens it again where it was. Pictures of a few pages
// are written to HQ_SHOTS_DIR for a look by eye.

#include "FakeDialogs.h"
#include "QtTestSuite.h"
#include "help/ManualBrowser.h"
#include "help/ManualWindow.h"
#include "help/ShowManual.h"
#include "image/Recognition.h"
#include "main/AppFactory.h"
#include "main/MainMenu.h"
#include "main/TFormMain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QToolButton>

#include <algorithm>
#include <memory>

namespace {

// What one page shows and points to.
struct PageContents {
    QStringList anchors; // the names a link can jump to ("zeichnen")
    QList<QUrl> links;   // resolved against the page
    QList<QUrl> images;
};

PageContents contentsOf(const QTextBrowser& browser) {
    PageContents contents;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            contents.anchors += format.anchorNames();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                contents.links += browser.source().resolved(QUrl(format.anchorHref()));
            if (format.isImageFormat())
                contents.images += browser.source().resolved(QUrl(format.toImageFormat().name()));
        }
    }
    return contents;
}

// The resource file behind a manual address ("qrc:/docs/handbuch/x.html" → ":/docs/handbuch/x.html").
QString resourcePath(const QUrl& url) {
    return QLatin1Char(':') + url.path();
}

} // namespace

class TestManual : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs_ = FakeDialogs();
        Dialogs::install(&dialogs_);
        manual_ = std::make_unique<ManualWindow>();
    }
    void cleanup() {
        manual_.reset();
        Dialogs::install(nullptr);
    }

    void everyPageIsReachedAndLoadsWithItsLinksAnchorsAndPictures();
    void kindPagesListEveryKindWithItsRows();
    void drawingRulesAreOnTheEditorPages();
    void opensAtAnAnchorAndNavigatesBackAndForth();
    void webAddressesGoToTheDesktop();
    void widePicturesShrinkSmoothlyToThePageWidth();
    void f1OpensOneManualAndShowsItAgainWhereItWas();
    void picturesOfPagesForALook();

private:
    // Shows `page` and returns its text.
    QString showText(const QString& page) {
        manual_->showPage(page);
        return manual_->browser()->toPlainText();
    }

    FakeDialogs dialogs_;
    std::unique_ptr<ManualWindow> manual_;
};

void TestManual::everyPageIsReachedAndLoadsWithItsLinksAnchorsAndPictures() {
    QTextBrowser* browser = manual_->browser();
    QStringList queue{ManualWindow::kStartPage};
    QSet<QString> reached{ManualWindow::kStartPage};
    QMap<QString, QStringList> anchors;    // page → its anchor names
    QList<std::pair<QString, QUrl>> jumps; // page → link with an anchor
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        manual_->showPage(page);
        QVERIFY2(!browser->toPlainText().trimmed().isEmpty(), qPrintable(page + QStringLiteral(" is empty")));
        QVERIFY2(!browser->documentTitle().isEmpty(), qPrintable(page + QStringLiteral(" has no title")));
        const PageContents contents = contentsOf(*browser);
        anchors[page] = contents.anchors;
        for (const QUrl& link : contents.links) {
            if (link.scheme() != QStringLiteral("qrc")) {
                QVERIFY2(link.scheme() == QStringLiteral("https"),
                         qPrintable(page + QStringLiteral(" links to ") + link.toString()));
                continue;
            }
            QVERIFY2(QFile::exists(resourcePath(link)),
                     qPrintable(page + QStringLiteral(" links to the missing ") + link.toString()));
            if (link.hasFragment())
                jumps.append({page, link});
            const QString target = link.fileName();
            if (target.endsWith(QStringLiteral(".html")) && !reached.contains(target)) {
                reached.insert(target);
                queue.append(target);
            }
        }
        for (const QUrl& image : contents.images) {
            QVERIFY2(!QImage(resourcePath(image)).isNull(),
                     qPrintable(page + QStringLiteral(" shows the missing picture ") + image.toString()));
        }
    }
    for (const auto& [page, link] : jumps) {
        QVERIFY2(anchors.value(link.fileName()).contains(link.fragment()),
                 qPrintable(page + QStringLiteral(" jumps to the missing anchor ") + link.toString()));
    }
    // Every page in the program is reached from the contents, and every page uses the style sheet.
    const QStringList pages = QDir(QStringLiteral(":/docs/handbuch")).entryList({QStringLiteral("*.html")});
    QVERIFY(pages.size() > 10);
    for (const QString& page : pages) {
        QVERIFY2(reached.contains(page),
                 qPrintable(page + QStringLiteral(" is not reached from the contents")));
        QFile file(QStringLiteral(":/docs/handbuch/") + page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll().contains("<link rel=\"stylesheet\" type=\"text/css\" href=\"handbuch.css\">"),
                 qPrintable(page + QStringLiteral(" lacks the style sheet")));
    }
    QVERIFY(QFile::exists(QStringLiteral(":/docs/handbuch/handbuch.css")));
}

void TestManual::kindPagesListEveryKindWithItsRows() {
    const QString list = showText(QStringLiteral("arten.html"));
    const PageContents listed = contentsOf(*manual_->browser());
    for (const hq::KindInfo& info : hq::kindsTable()) {
        const QString page = QStringLiteral("art-%1.html").arg(info.kind);
        const QString caption = QString::fromUtf8(info.statusCaption.data(), info.statusCaption.size());
        QVERIFY2(std::any_of(listed.links.begin(), listed.links.end(),
                             [&page](const QUrl& link) { return link.fileName() == page; }),
                 qPrintable(QStringLiteral("arten.html does not link to ") + page));
        QVERIFY(list.contains(caption));

        const QString text = showText(page);
        QVERIFY2(text.contains(caption), qPrintable(page));
        QVERIFY(text.contains(QStringLiteral("Firmware-Art %1.").arg(info.kind)));
        for (int row = 1; row < hq::kRowCount; ++row) {
            const std::string& rowCaption = info.rowCaptions.at(static_cast<std::size_t>(row));
            if (!rowCaption.empty())
                QVERIFY2(
                    text.contains(QStringLiteral("%1\n%2").arg(row).arg(QString::fromStdString(rowCaption))),
                    qPrintable(page + QStringLiteral(" lacks row ") + QString::number(row)));
        }
        if (info.extra)
            QVERIFY(text.contains(QString::fromUtf8(info.extra->caption.data(), info.extra->caption.size())));
    }
}

void TestManual::drawingRulesAreOnTheEditorPages() {
    const QString patterns = showText(QStringLiteral("muster.html"));
    QVERIFY(patterns.contains(QStringLiteral("obere Hälfte: an, untere Hälfte: aus")));
    for (const char* caption :
         {"Anzahl Punkte", "Stretch-Faktor", "Loop", "Kurve kopieren", "Übernehmen", "Verwerfen"})
        QVERIFY2(patterns.contains(QString::fromUtf8(caption)), caption);

    const QString servo = showText(QStringLiteral("servo.html"));
    for (const char* caption :
         {"obere Hälfte: an, untere Hälfte: aus", "Lin", "Log", "1/4 Sin", "1/2 Sin", "vertikal",
          "horizontal", "von #1", "Zuordnung", "Impulse", "Optionen", "übernehmen", "verwerfen"})
        QVERIFY2(servo.contains(QString::fromUtf8(caption)), caption);
}

void TestManual::opensAtAnAnchorAndNavigatesBackAndForth() {
    manual_->show();
    QVERIFY(QTest::qWaitForWindowExposed(manual_.get()));
    auto* back = manual_->findChild<QToolButton*>(QStringLiteral("manual_back"));
    auto* forward = manual_->findChild<QToolButton*>(QStringLiteral("manual_forward"));
    auto* contents = manual_->findChild<QToolButton*>(QStringLiteral("manual_contents"));
    QVERIFY(back && forward && contents);
    QCOMPARE(back->text(), QStringLiteral("Zurück"));
    QCOMPARE(forward->text(), QStringLiteral("Vor"));
    QCOMPARE(contents->text(), QStringLiteral("Inhalt"));

    manual_->showPage(QString());
    QCOMPARE(manual_->currentPage(), QStringLiteral("index.html"));
    QCOMPARE(manual_->windowTitle(), QStringLiteral("Inhalt – Handbuch HEX Quendrabolt"));
    QVERIFY(!back->isEnabled());

    // An editor opens the page of its drawing rules: the rule is scrolled into view.
    manual_->showPage(QStringLiteral("muster.html#zeichnen"));
    QCOMPARE(manual_->currentPage(), QStringLiteral("muster.html"));
    QCOMPARE(manual_->browser()->source().fragment(), QStringLiteral("zeichnen"));
    QCOMPARE(manual_->windowTitle(), QStringLiteral("Blink- und LED-Muster – Handbuch HEX Quendrabolt"));
    QTRY_VERIFY(manual_->browser()->verticalScrollBar()->value() > 0);

    QVERIFY(back->isEnabled());
    back->click();
    QCOMPARE(manual_->currentPage(), QStringLiteral("index.html"));
    QVERIFY(forward->isEnabled());
    forward->click();
    QCOMPARE(manual_->currentPage(), QStringLiteral("muster.html"));
    contents->click();
    QCOMPARE(manual_->currentPage(), QStringLiteral("index.html"));
}

void TestManual::webAddressesGoToTheDesktop() {
    manual_->showPage(QStringLiteral("servo.html"));
    emit manual_->browser()->anchorClicked(QUrl(QStringLiteral("https://hexquendrabolt.example.org/")));
    QCOMPARE(dialogs_.urls, QList<QUrl>{QUrl(QStringLiteral("https://hexquendrabolt.example.org/"))});
    QCOMPARE(manual_->currentPage(), QStringLiteral("servo.html"));
}

void TestManual::widePicturesShrinkSmoothlyToThePageWidth() {
    ManualBrowser browser;
    const QUrl wide(QStringLiteral("qrc:/docs/screenshots/editor-42.png"));
    QVERIFY(QImage(resourcePath(wide)).width() > browser.pictureWidth());
    const QVariant shown = browser.loadResource(QTextDocument::ImageResource, wide);
    QCOMPARE(shown.typeId(), QMetaType::QImage);
    QCOMPARE(qvariant_cast<QImage>(shown).deviceIndependentSize().width(), browser.pictureWidth());
    // A picture narrower than the page is left as it is.
    const QUrl narrow(QStringLiteral("qrc:/docs/screenshots/sheet-42.png"));
    QVERIFY(QImage(resourcePath(narrow)).width() <= browser.pictureWidth());
    QCOMPARE(browser.loadResource(QTextDocument::ImageResource, narrow).typeId(), QMetaType::QByteArray);
}

void TestManual::f1OpensOneManualAndShowsItAgainWhereItWas() {
    const std::unique_ptr<TFormMain> window = createMainWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QAction* action = window->mainMenu()->manual;
    QCOMPARE(action->text(), QStringLiteral("Handbuch"));
    QCOMPARE(action->shortcut(), QKeySequence(QKeySequence::HelpContents));
    QVERIFY(action->isEnabled()); // also before a file is loaded

    QTest::keyClick(window.get(), Qt::Key_F1);
    QList<ManualWindow*> manuals = window->findChildren<ManualWindow*>();
    QCOMPARE(manuals.size(), 1);
    ManualWindow* manual = manuals.constFirst();
    QVERIFY(manual->isVisible());
    QVERIFY(manual->isWindow());
    QCOMPARE(manual->currentPage(), QStringLiteral("index.html"));
    // Ready for the keyboard: Tab goes through the links of the page.
    QTRY_COMPARE(QApplication::focusWidget(), manual->browser());

    manual->showPage(QStringLiteral("adresshilfe.html"));
    manual->close();
    QVERIFY(!manual->isVisible());
    window->activateWindow(); // a window manager would do this when the manual closes
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    QCOMPARE(window->findChildren<ManualWindow*>().size(), 1);
    QVERIFY(manual->isVisible());
    QCOMPARE(manual->currentPage(), QStringLiteral("adresshilfe.html"));

    // Asked for a page, the same window shows it.
    QCOMPARE(showManual(window.get(), QStringLiteral("servo.html")), manual);
    QCOMPARE(manual->currentPage(), QStringLiteral("servo.html"));
}

void TestManual::picturesOfPagesForALook() {
    manual_->show();
    QVERIFY(QTest::qWaitForWindowExposed(manual_.get()));
    QDir().mkpath(QStringLiteral(HQ_SHOTS_DIR));
    for (const QString& page : {QStringLiteral("index.html"), QStringLiteral("rundgang.html#tabelle"),
                                QStringLiteral("muster.html#zeichnen"), QStringLiteral("servo.html#impulse"),
                                QStringLiteral("art-42.html")}) {
        manual_->showPage(page);
        QApplication::processEvents();
        const QString name = QStringLiteral(HQ_SHOTS_DIR "/manual-") +
                             QFileInfo(manual_->currentPage()).completeBaseName() + QStringLiteral(".png");
        QVERIFY(manual_->grab().save(name));
    }
}

HQ_TEST_CLASS(TestManual)
#include "tst_Manual.moc"

// "Anlagenblatt": a cover with the decoders, the address index sorted by address, the clashes, the
// free addresses and the files passed over, then one settings sheet per decoder, each starting on a
// page of its own — as a PDF and through the printer. Read back with poppler's pdftotext.

#include "LayoutWindowTestSupport.h"
#include "QtTestSuite.h"
#include "layout/LayoutSheet.h"
#include "sheet/SheetTestSupport.h"

#include <QAction>
#include <QRegularExpression>

using namespace layouttest;

namespace {

// pdftotext puts a form feed between pages.
QStringList pageTexts(const QString& pdf) {
    QStringList pages = sheettest::pdfText(pdf).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The first page of each decoder's sheet, by the file it names.
QStringList sheetFiles(const QStringList& pages) {
    QStringList files;
    const QRegularExpression file(QStringLiteral("Datei:\\s+\\S*/([^/\\s]+\\.hex)"));
    for (const QString& page : pages) {
        if (!page.contains(QStringLiteral("HEX Quendrabolt · Einstellungsblatt")))
            continue;
        const QRegularExpressionMatch match = file.match(page);
        if (match.hasMatch())
            files.append(match.captured(1));
    }
    return files;
}

} // namespace

class TestLayoutSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!sheettest::popplerAvailable())
            QSKIP("poppler-utils (pdftotext, pdfinfo) are not installed");
    }
    void init() {
        dialogs_ = LayoutDialogs();
        Dialogs::install(&dialogs_);
        layout_ = std::make_unique<SampleLayout>();
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
    }
    void cleanup() {
        window_.reset();
        layout_.reset();
        Dialogs::install(nullptr);
    }

    void thePdfHasTheCoverAndAPagePerDecoder() {
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("anlage.pdf"));
        dialogs_.saveNames = {pdf};
        window_->parts().pdfAction->trigger();
        QVERIFY2(dialogs_.messages.isEmpty(), qPrintable(dialogs_.messageTexts().join(u'\n')));
        QCOMPARE(dialogs_.saveCalls.first().proposedName,
                 QFileInfo(layout_->dir.path()).fileName() + QStringLiteral("-anlagenblatt.pdf"));

        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), sheettest::pdfPages(pdf));
        // The cover's pages: those before the first decoder's sheet.
        QString cover;
        for (const QString& page : pages) {
            if (page.contains(QStringLiteral("HEX Quendrabolt · Einstellungsblatt")))
                break;
            QVERIFY(page.contains(QStringLiteral("Anlagenblatt · ")));
            cover += page;
        }
        QVERIFY(cover.contains(QStringLiteral("HEX Quendrabolt · Anlagenblatt")));
        QVERIFY(cover.contains(
            QStringLiteral("Doppelbelegungen: 1 nicht gewollt, 0 gewollt · Übersprungen: 1 Datei")));
        for (const char* file : {"bahnhof/nord.hex", "mm-weiche.hex", "signal.hex", "weiche-01.hex",
                                 "weiche-02.hex", "weiche-03.hex"})
            QVERIFY2(cover.contains(QString::fromUtf8(file)), file);

        // The address index, a table per protocol and address space, sorted by address; the clash
        // marked in its rows.
        const qsizetype mm = cover.indexOf(QStringLiteral("MM Zubehör\n"));
        const qsizetype dcc = cover.indexOf(QStringLiteral("DCC Zubehör\n"));
        const qsizetype clashes = cover.indexOf(QStringLiteral("Doppelbelegungen\n"), dcc);
        QVERIFY(mm > 0 && dcc > mm && clashes > dcc);
        auto addressesIn = [&cover](qsizetype from, qsizetype to) {
            QList<int> order;
            const QRegularExpression row(QStringLiteral("^\\s*(\\d+)\\s+(grün|rot)"),
                                         QRegularExpression::MultilineOption);
            for (auto it = row.globalMatch(cover.mid(from, to - from)); it.hasNext();)
                order.append(it.next().captured(1).toInt());
            return order;
        };
        QCOMPARE(addressesIn(mm, dcc), (QList<int>{5, 6}));
        const QList<int> order = addressesIn(dcc, clashes);
        QCOMPARE(order.size(), 17);
        QVERIFY(std::is_sorted(order.begin(), order.end()));
        QCOMPARE(order.mid(0, 7), (QList<int>{1, 2, 3, 4, 5, 6, 6}));
        QVERIFY(cover.contains(QStringLiteral("⚠ mit weiche-02.hex")));
        QVERIFY(cover.contains(QStringLiteral("⚠ DCC-Zubehöradresse 6, grün: signal.hex Zeile 1 (Weiche) und "
                                              "weiche-02.hex Zeile 2 (Weiche 2)")));
        QVERIFY(cover.contains(QStringLiteral("DCC: einzeln: 13; 4 am Stück: 13–16; 8 am Stück: 24–31")));
        QVERIFY(
            cover.contains(QStringLiteral("kaputt.hex: Das HEX-File konnte leider nicht erkannt werden")));

        // Then each decoder's own sheet, starting on a page of its own, in the order of the table.
        QCOMPARE(sheetFiles(pages), texts({"nord.hex", "mm-weiche.hex", "signal.hex", "weiche-01.hex",
                                           "weiche-02.hex", "weiche-03.hex"}));
        for (const QString& page : pages) {
            if (page.contains(QStringLiteral("HEX Quendrabolt · Einstellungsblatt")))
                QVERIFY(page.contains(QStringLiteral("Seite 1 von")));
        }
    }

    void printingGoesToTheChosenPrinter() {
        QTemporaryDir out;
        window_->parts().printAction->trigger(); // cancelled: nothing printed
        dialogs_.printFile = out.filePath(QStringLiteral("gedruckt.pdf"));
        window_->parts().printAction->trigger();
        const QStringList pages = pageTexts(dialogs_.printFile);
        QVERIFY(pages.first().contains(QStringLiteral("HEX Quendrabolt · Anlagenblatt")));
        QCOMPARE(sheetFiles(pages).size(), 6);
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void theSheetIsReadFromTheFilesAsTheyAreNow() {
        // A decoder gone since the scan is listed as passed over, and has no sheet.
        QVERIFY(QFile::remove(layout_->path(QStringLiteral("weiche-03.hex"))));
        const LayoutSheetSource source =
            readLayoutSheetSource(layout_->dir.path(), window_->snapshot()->scan());
        QCOMPARE(source.scan.decoders.size(), std::size_t{5});
        QCOMPARE(source.files.size(), std::size_t{5});
        QCOMPARE(source.files.count("weiche-03.hex"), std::size_t{0});
        bool listed = false;
        for (const hq::LayoutProblem& problem : source.scan.problems)
            listed = listed || problem.file == "weiche-03.hex";
        QVERIFY(listed);
    }

    void theSheetIsNeverWrittenOverAFileOfTheLayout() {
        const QByteArray before = shiftedDemo(28, hq::Protocol::DCC, 1);
        dialogs_.saveNames = {layout_->path(QStringLiteral("signal.hex"))};
        window_->parts().pdfAction->trigger();
        QCOMPARE(dialogs_.messages.size(), 1);
        QCOMPARE(
            dialogs_.messages.first().text,
            QStringLiteral("Das Anlagenblatt kann nicht über die Datei \"%1\" der Anlage geschrieben werden.")
                .arg(layout_->path(QStringLiteral("signal.hex"))));
        QFile signal(layout_->path(QStringLiteral("signal.hex")));
        QVERIFY(signal.open(QIODevice::ReadOnly));
        QCOMPARE(signal.readAll(), before);
    }

private:
    LayoutDialogs dialogs_;
    std::unique_ptr<SampleLayout> layout_;
    std::unique_ptr<LayoutWindow> window_;
};

HQ_TEST_CLASS(TestLayoutSheet)
#include "tst_LayoutSheet.moc"

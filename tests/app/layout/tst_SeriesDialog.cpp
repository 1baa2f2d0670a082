// "Serie erzeugen…" in the layout window: the preview lists every file with its addresses before
// anything is written, a series that would clash, leave the range or overwrite files is refused
// in German with nothing written, and "Erzeugen" writes the series and the layout shows it.

#include "LayoutWindowTestSupport.h"
#include "QtTestSuite.h"
#include "layout/DecoderTableModel.h"
#include "layout/LayoutFilterProxy.h"
#include "layout/SeriesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>

using namespace layouttest;

namespace {

QStringList folderContent(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(QDir(folder).relativeFilePath(it.next()));
    names.sort();
    return names;
}

QStringList previewColumn(const QTableWidget* preview, int column) {
    QStringList texts;
    for (int row = 0; row < preview->rowCount(); ++row)
        texts.append(preview->item(row, column)->text());
    return texts;
}

} // namespace

class TestSeriesDialog : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs_ = LayoutDialogs();
        Dialogs::install(&dialogs_);
        layout_ = std::make_unique<SampleLayout>();
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        // The selected decoder is the template the dialog starts with.
        QTableView* decoders = window_->parts().decoderView;
        decoders->setCurrentIndex(
            decoders->model()->index(rowWith(decoders->model(), QStringLiteral("weiche-03.hex")), 0));
        window_->parts().seriesAction->trigger();
        dialog_ = window_->seriesDialog();
        QVERIFY(dialog_);
        QVERIFY(dialog_->isVisible());
        before_ = folderContent(layout_->dir.path());
    }
    void cleanup() {
        window_.reset();
        layout_.reset();
        Dialogs::install(nullptr);
    }

    void thePreviewListsTheFilesAndAddressesFirst() {
        QCOMPARE(dialog_->templateBox()->currentText(), QStringLiteral("weiche-03.hex"));
        // "-03" is the old series' number, and "weiche-01.hex" … are there: the next free name.
        QCOMPARE(dialog_->nameEdit()->text(), QStringLiteral("weiche2"));
        // Appended after everything DCC accessory the layout uses (up to 23).
        QCOMPARE(dialog_->firstBox()->value(), 24);
        QCOMPARE(dialog_->strideBox()->text(), QStringLiteral("Spanne der Vorlage"));
        dialog_->nameEdit()->clear();
        QTest::keyClicks(dialog_->nameEdit(), QStringLiteral("block"));
        dialog_->countBox()->setValue(10);
        dialog_->replan();
        QCOMPARE(previewColumn(dialog_->preview(), 0),
                 texts({"block-01.hex", "block-02.hex", "block-03.hex", "block-04.hex", "block-05.hex",
                        "block-06.hex", "block-07.hex", "block-08.hex", "block-09.hex", "block-10.hex"}));
        QCOMPARE(previewColumn(dialog_->preview(), 1).first(), QStringLiteral("24–27"));
        QCOMPARE(previewColumn(dialog_->preview(), 1).last(), QStringLiteral("60–63"));
        QVERIFY(dialog_->createButton()->isEnabled());
        // The file the layout passed over could not be checked against; the dialog says so.
        QVERIFY(dialog_->refusals()->text().startsWith(QStringLiteral("Hinweis: Nicht geprüft: kaputt.hex")));
        QVERIFY(dialog_->findChild<QLabel*>(QStringLiteral("seriesSummary"))
                    ->text()
                    .startsWith(QStringLiteral("10 Dateien nach ")));

        // A stride of its own spreads the copies.
        dialog_->strideBox()->setValue(10);
        dialog_->replan();
        QCOMPARE(previewColumn(dialog_->preview(), 1).at(1), QStringLiteral("34–37"));
        QCOMPARE(folderContent(layout_->dir.path()), before_); // nothing written by planning
    }

    void aRefusedSeriesSaysWhyAndWritesNothing() {
        // "weiche-01.hex" … exist already, and from 1 on the copies clash with the layout.
        dialog_->nameEdit()->setText(QStringLiteral("weiche"));
        dialog_->firstBox()->setValue(1);
        dialog_->countBox()->setValue(3);
        dialog_->replan();
        QVERIFY(!dialog_->createButton()->isEnabled());
        const QString refusals = dialog_->refusals()->text();
        QVERIFY2(refusals.startsWith(QStringLiteral("Die Serie wird nicht geschrieben:")),
                 qPrintable(refusals));
        QVERIFY(refusals.contains(QStringLiteral("weiche-01.hex gibt es schon.")));
        QVERIFY2(refusals.contains(QStringLiteral("DCC-Zubehöradresse 6, grün: ")), qPrintable(refusals));
        QVERIFY(refusals.contains(
            QStringLiteral("Mit „Vorhandene Dateien ersetzen“ werden vorhandene Dateien ersetzt.")));
        // The preview still shows what was planned.
        QCOMPARE(previewColumn(dialog_->preview(), 1), texts({"1–4", "5–8", "9–12"}));
        QVERIFY(!dialog_->create());
        QCOMPARE(folderContent(layout_->dir.path()), before_);

        // Past the end of the DCC accessory range: refused before anything is planned to be written.
        dialog_->nameEdit()->setText(QStringLiteral("ende"));
        dialog_->firstBox()->setValue(2042);
        dialog_->countBox()->setValue(1);
        dialog_->replan();
        QVERIFY(!dialog_->createButton()->isEnabled());
        QVERIFY2(dialog_->refusals()->text().contains(
                     QStringLiteral("ende-01.hex: Adresse 2045 (Zeile 4, Weiche 4) liegt "
                                    "außerhalb des gültigen Bereichs 1 bis 2044")),
                 qPrintable(dialog_->refusals()->text()));
        QTest::mouseClick(dialog_->createButton(), Qt::LeftButton);
        QVERIFY(dialog_->isVisible());
        QCOMPARE(folderContent(layout_->dir.path()), before_);

        // A request the core refuses outright (an empty name) is named the same way.
        dialog_->nameEdit()->clear();
        dialog_->replan();
        QVERIFY(dialog_->refusals()->text().contains(QStringLiteral("Der Name der Serie fehlt.")));
        QCOMPARE(dialog_->preview()->rowCount(), 0);
        QVERIFY(!dialog_->createButton()->isEnabled());
        QVERIFY(!dialog_->plan());
    }

    void erzeugenWritesTheSeriesAndTheLayoutShowsIt() {
        dialog_->nameEdit()->setText(QStringLiteral("block"));
        dialog_->countBox()->setValue(10);
        dialog_->replan();
        QSignalSpy shown(window_.get(), &LayoutWindow::snapshotShown);
        QTest::mouseClick(dialog_->createButton(), Qt::LeftButton);
        QTRY_VERIFY(!window_->seriesDialog());
        QStringList expected = before_;
        for (int copy = 1; copy <= 10; ++copy)
            expected.append(QStringLiteral("block-%1.hex").arg(copy, 2, 10, QLatin1Char('0')));
        expected.sort();
        QCOMPARE(folderContent(layout_->dir.path()), expected);
        QVERIFY(waitForScan(*window_, shown));
        QTRY_COMPARE(window_->snapshot()->scan().decoders.size(), std::size_t{16});
        const QAbstractItemModel* decoders = window_->parts().decoderProxy;
        QCOMPARE(
            decoders->index(rowWith(decoders, QStringLiteral("block-10.hex")), DecoderTableModel::Addresses)
                .data()
                .toString(),
            QStringLiteral("60–63"));
        QCOMPARE(window_->snapshot()->scan().openClashCount(), 1); // only the signal's, as before
        QCOMPARE(window_->statusBar()->currentMessage(),
                 QStringLiteral("Serie geschrieben: 10 Dateien, block-01.hex bis block-10.hex"));
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void aTemplateFromOutsideTheLayout() {
        QTemporaryDir elsewhere;
        const QString path = elsewhere.filePath(QStringLiteral("servo.hex"));
        QVERIFY(writeFile(path, QByteArray::fromStdString(hq::demoFirmwareText(42, hq::Protocol::MM))));
        dialogs_.openNames = {path};
        QTest::mouseClick(dialog_->findChild<QPushButton*>(QStringLiteral("seriesTemplateFile")),
                          Qt::LeftButton);
        QCOMPARE(dialog_->templateBox()->currentData().toString(), path);
        QCOMPARE(dialog_->nameEdit()->text(), QStringLiteral("servo"));
        // MM accessories: the layout uses 5–6, so the series starts at 7.
        QCOMPARE(dialog_->firstBox()->value(), 7);
        dialog_->countBox()->setValue(2);
        dialog_->replan();
        QVERIFY2(dialog_->createButton()->isEnabled(), qPrintable(dialog_->refusals()->text()));
        QCOMPARE(previewColumn(dialog_->preview(), 0), texts({"servo-01.hex", "servo-02.hex"}));

        // A file that is no firmware is refused with the reason.
        const QString text = elsewhere.filePath(QStringLiteral("notiz.hex"));
        QVERIFY(writeFile(text, "keine Firmware\n"));
        dialog_->addTemplateFile(text);
        QVERIFY(!dialog_->createButton()->isEnabled());
        QVERIFY(dialog_->refusals()->text().contains(
                    QStringLiteral("Die Vorlage ist keine erkannte Firmware.")) ||
                dialog_->refusals()->text().contains(QStringLiteral("keine Intel-HEX-Datensätze")));
    }

private:
    LayoutDialogs dialogs_;
    std::unique_ptr<SampleLayout> layout_;
    std::unique_ptr<LayoutWindow> window_;
    SeriesDialog* dialog_ = nullptr;
    QStringList before_;
};

HQ_TEST_CLASS(TestSeriesDialog)
#include "tst_SeriesDialog.moc"

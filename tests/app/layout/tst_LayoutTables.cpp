// The layout window's tables over a generated layout: what they hold, sorting by number, the
// shared filter and "nur Doppelbelegungen", a clash in amber with the other party in its tooltip,
// the files passed over and the free addresses, and the selection kept across a rescan.

#include "LayoutWindowTestSupport.h"
#include "QtTestSuite.h"
#include "layout/AddressTableModel.h"
#include "layout/ClashTableModel.h"
#include "layout/DecoderTableModel.h"
#include "layout/LayoutFilterProxy.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

using namespace layouttest;

class TestLayoutTables : public QObject {
    Q_OBJECT

private slots:
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

    void tablesHoldEveryDecoderAndAddress() {
        QCOMPARE(columnTexts(window_->parts().decoderProxy, DecoderTableModel::File),
                 (texts({"bahnhof/nord.hex", "mm-weiche.hex", "signal.hex", "weiche-01.hex", "weiche-02.hex",
                         "weiche-03.hex"})));
        const QAbstractItemModel* decoders = window_->parts().decoderProxy;
        const int weiche = rowWith(decoders, QStringLiteral("weiche-02.hex"));
        QCOMPARE(decoders->index(weiche, DecoderTableModel::Firmware).data().toString(),
                 QStringLiteral("Zumbar88"));
        QCOMPARE(decoders->index(weiche, DecoderTableModel::Kind).data().toInt(), 32);
        QCOMPARE(decoders->index(weiche, DecoderTableModel::Protocol).data().toString(),
                 QStringLiteral("DCC Schalt"));
        QCOMPARE(decoders->index(weiche, DecoderTableModel::Version).data().toString(),
                 QStringLiteral("V 0.41"));
        QCOMPARE(decoders->index(weiche, DecoderTableModel::Addresses).data().toString(),
                 QStringLiteral("5–8"));
        QCOMPARE(
            decoders->index(rowWith(decoders, QStringLiteral("mm-weiche.hex")), DecoderTableModel::Protocol)
                .data()
                .toString(),
            QStringLiteral("MM Schalt"));

        // The address index: 4 + 4 + 4 + 1 + 4 DCC accessory addresses, then MM's two.
        const QAbstractItemModel* addresses = window_->parts().addressProxy;
        QCOMPARE(addresses->rowCount(), 19);
        QCOMPARE(addresses->index(0, AddressTableModel::Protocol).data().toString(),
                 QStringLiteral("MM Zubehör"));
        QCOMPARE(addresses->index(2, AddressTableModel::Protocol).data().toString(),
                 QStringLiteral("DCC Zubehör"));
        const int signal = rowWith(addresses, QStringLiteral("signal.hex"));
        QCOMPARE(addresses->index(signal, AddressTableModel::Address).data().toInt(), 6);
        QCOMPARE(addresses->index(signal, AddressTableModel::Reaction).data().toString(),
                 QStringLiteral("grün"));
        QCOMPARE(addresses->index(signal, AddressTableModel::Row).data().toInt(), 1);
        QCOMPARE(addresses->index(signal, AddressTableModel::Caption).data().toString(),
                 QStringLiteral("Weiche"));

        QVERIFY(window_->parts().summaryLabel->text().contains(QStringLiteral("6 Dekoder")));
        QVERIFY(window_->parts().summaryLabel->text().contains(QStringLiteral("19 Adressen")));
        QVERIFY(
            window_->parts().summaryLabel->text().contains(QStringLiteral("1 Doppelbelegung nicht gewollt")));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Anlage %1 – 1 Doppelbelegung – HEX Quendrabolt")
                                             .arg(QFileInfo(layout_->dir.path()).fileName()));
    }

    void filesPassedOverAndFreeAddressesAreShown() {
        QTableWidget* problems = window_->parts().problemTable;
        QCOMPARE(problems->rowCount(), 1);
        QCOMPARE(problems->item(0, 0)->text(), QStringLiteral("kaputt.hex"));
        QVERIFY(problems->item(0, 1)->text().startsWith(
            QStringLiteral("Das HEX-File konnte leider nicht erkannt")));
        QCOMPARE(window_->parts().tabs->tabText(2), QStringLiteral("Übersprungen (1)"));
        QVERIFY(window_->parts().summaryLabel->text().contains(QStringLiteral("1 Datei übersprungen")));
        // MM uses 5–6; DCC 1–12 and 20–23.
        QCOMPARE(window_->parts().freeLabel->text(),
                 QStringLiteral("MM: einzeln: 1; 4 am Stück: 1–4; 8 am Stück: 7–14\n"
                                "DCC: einzeln: 13; 4 am Stück: 13–16; 8 am Stück: 24–31"));
    }

    void aClashIsAmberWithTheOtherPartyInItsTooltip() {
        const QAbstractItemModel* addresses = window_->parts().addressProxy;
        const int signal = rowWith(addresses, QStringLiteral("signal.hex"));
        const QModelIndex cell = addresses->index(signal, AddressTableModel::Address);
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), kClashAmber);
        QVERIFY2(cell.data(Qt::ToolTipRole)
                     .toString()
                     .contains(QStringLiteral("mit weiche-02.hex Zeile 2 (Weiche 2)")),
                 qPrintable(cell.data(Qt::ToolTipRole).toString()));
        QCOMPARE(addresses->index(signal, AddressTableModel::Clash).data().toString(),
                 QStringLiteral("Doppelbelegung"));
        // The other party is amber too and names the signal; an address without clash is not.
        const int other = rowWith(addresses, QStringLiteral("weiche-02.hex|2"), layout_roles::Key);
        QCOMPARE(addresses->index(other, 0).data(Qt::BackgroundRole).value<QColor>(), kClashAmber);
        QVERIFY(addresses->index(other, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("signal.hex Zeile 1")));
        const int quiet = rowWith(addresses, QStringLiteral("weiche-02.hex|1"), layout_roles::Key);
        QVERIFY(!addresses->index(quiet, 0).data(Qt::BackgroundRole).isValid());

        // In the decoder table both decoders are amber, with the clash in the tooltip.
        const QAbstractItemModel* decoders = window_->parts().decoderProxy;
        const QModelIndex weiche = decoders->index(rowWith(decoders, QStringLiteral("weiche-02.hex")), 0);
        QCOMPARE(weiche.data(Qt::BackgroundRole).value<QColor>(), kClashAmber);
        QVERIFY(weiche.data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("Zeile 2 (Weiche 2): mit signal.hex Zeile 1 (Weiche)")));
        QVERIFY(!decoders->index(rowWith(decoders, QStringLiteral("weiche-01.hex")), 0)
                     .data(Qt::BackgroundRole)
                     .isValid());

        // The clash list names both parties.
        QCOMPARE(window_->parts().clashProxy->rowCount(), 1);
        QCOMPARE(window_->parts().clashProxy->index(0, ClashTableModel::Text).data().toString(),
                 QStringLiteral(
                     "DCC-Zubehöradresse 6, grün: signal.hex Zeile 1 (Weiche) und weiche-02.hex Zeile 2 "
                     "(Weiche 2)"));
        QCOMPARE(window_->parts().clashProxy->index(0, 0).data(Qt::CheckStateRole).toInt(),
                 int(Qt::Unchecked));
    }

    void headingsSortByNumberAndAThirdClickRestoresTheIndexOrder() {
        QTableView* view = window_->parts().addressView;
        QHeaderView* header = view->horizontalHeader();
        const QAbstractItemModel* addresses = window_->parts().addressProxy;
        header->setSortIndicator(AddressTableModel::Address, Qt::DescendingOrder);
        QList<int> shown;
        for (int row = 0; row < addresses->rowCount(); ++row)
            shown.append(addresses->index(row, AddressTableModel::Address).data().toInt());
        QCOMPARE(shown.mid(0, 5), (QList<int>{23, 22, 21, 20, 12})); // 23 before 3: numbers, not texts
        QVERIFY(std::is_sorted(shown.rbegin(), shown.rend()));

        // Sorting the decoders by kind puts the Dorvats (23, 28) before the Zumbar88s (32).
        window_->parts().decoderView->horizontalHeader()->setSortIndicator(DecoderTableModel::Kind,
                                                                           Qt::AscendingOrder);
        QCOMPARE(columnTexts(window_->parts().decoderProxy, DecoderTableModel::Kind).mid(0, 3),
                 texts({"23", "28", "32"}));

        header->setSortIndicator(-1, Qt::AscendingOrder);
        QCOMPARE(addresses->index(0, AddressTableModel::Protocol).data().toString(),
                 QStringLiteral("MM Zubehör"));
        QCOMPARE(addresses->index(2, AddressTableModel::Address).data().toInt(), 1);
    }

    void theFilterNarrowsEveryTableByAllItsWords() {
        QTest::keyClicks(window_->parts().filterEdit, QStringLiteral("weiche-02"));
        QCOMPARE(window_->parts().decoderProxy->rowCount(), 1);
        QCOMPARE(window_->parts().addressProxy->rowCount(), 4);
        QCOMPARE(window_->parts().clashProxy->rowCount(), 1);

        // Every word must be found, in any column, case aside.
        window_->parts().filterEdit->setText(QStringLiteral("ROT dcc"));
        QCOMPARE(columnTexts(window_->parts().addressProxy, AddressTableModel::Address),
                 texts({"3", "7", "11", "22"}));
        window_->parts().filterEdit->setText(QStringLiteral("rot mm"));
        QCOMPARE(window_->parts().addressProxy->rowCount(), 0);

        window_->parts().filterEdit->clear();
        window_->parts().onlyClashesBox->setChecked(true);
        QCOMPARE(columnTexts(window_->parts().decoderProxy, DecoderTableModel::File),
                 texts({"signal.hex", "weiche-02.hex"}));
        QCOMPARE(columnTexts(window_->parts().addressProxy, AddressTableModel::File),
                 texts({"signal.hex", "weiche-02.hex"}));
        window_->parts().onlyClashesBox->setChecked(false);
        QCOMPARE(window_->parts().addressProxy->rowCount(), 19);
    }

    void aRescanKeepsSortSelectionAndCurrentRow() {
        QTableView* view = window_->parts().addressView;
        view->horizontalHeader()->setSortIndicator(AddressTableModel::File, Qt::DescendingOrder);
        const int row = rowWith(view->model(), QStringLiteral("weiche-01.hex|3"), layout_roles::Key);
        view->selectRow(row);
        view->setCurrentIndex(view->model()->index(row, AddressTableModel::Address));

        // weiche-01.hex moves to 30–33: its row 3 stays selected at its new address.
        QSignalSpy shown(window_.get(), &LayoutWindow::snapshotShown);
        QVERIFY(writeFile(layout_->path(QStringLiteral("weiche-01.hex")),
                          shiftedDemo(32, hq::Protocol::DCC, 25)));
        QVERIFY(waitForScan(*window_, shown));
        QCOMPARE(view->horizontalHeader()->sortIndicatorSection(), int(AddressTableModel::File));
        QCOMPARE(view->model()->index(0, AddressTableModel::File).data().toString(),
                 QStringLiteral("weiche-03.hex"));
        const QModelIndexList selected = view->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().data(layout_roles::Key).toString(), QStringLiteral("weiche-01.hex|3"));
        QCOMPARE(selected.first().siblingAtColumn(AddressTableModel::Address).data().toInt(), 32);
        QCOMPARE(view->currentIndex().siblingAtColumn(0).data(layout_roles::Key).toString(),
                 QStringLiteral("weiche-01.hex|3"));
    }

private:
    LayoutDialogs dialogs_;
    std::unique_ptr<SampleLayout> layout_;
    std::unique_ptr<LayoutWindow> window_;
};

HQ_TEST_CLASS(TestLayoutTables)
#include "tst_LayoutTables.moc"

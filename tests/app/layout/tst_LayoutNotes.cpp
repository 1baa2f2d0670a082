// What only the user knows, written from the layout window to anlage.json: a name typed into the
// decoder table, a clash marked intended in the clash list and the mark taken back with the button.
// A write anlage.json refuses (a file broken by hand) shows the German reason, leaves the file as
// it was and the table as the file says.

#include "LayoutJson.h"
#include "LayoutWindowTestSupport.h"
#include "QtTestSuite.h"
#include "layout/AddressTableModel.h"
#include "layout/ClashTableModel.h"
#include "layout/DecoderTableModel.h"
#include "layout/LayoutFilterProxy.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>

using namespace layouttest;

namespace {

QByteArray fileContent(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

hq::LayoutNotes notesOf(const SampleLayout& layout) {
    auto notes = hq::readLayoutNotes(layout.dir.path().toStdString());
    return notes ? *notes : hq::LayoutNotes{};
}

} // namespace

class TestLayoutNotes : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs_ = LayoutDialogs();
        Dialogs::install(&dialogs_);
        layout_ = std::make_unique<SampleLayout>();
    }
    void cleanup() {
        window_.reset();
        layout_.reset();
        Dialogs::install(nullptr);
    }

    void aNameTypedIntoTheTableIsWrittenToAnlageJson() {
        // A key the program does not know stays in the file.
        QVERIFY(writeFile(layout_->path(QStringLiteral("anlage.json")),
                          R"({"decoders": {"signal.hex": {"note": "alt", "farbe": "blau"}}, "version": 3})"));
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        QTableView* view = window_->parts().decoderView;
        const int row = rowWith(view->model(), QStringLiteral("signal.hex"));
        QCOMPARE(view->model()->index(row, DecoderTableModel::Note).data().toString(), QStringLiteral("alt"));
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, DecoderTableModel::Name));
        QTest::keyClick(view, Qt::Key_F2);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(QApplication::focusWidget(), editor);
        QTest::keyClicks(editor, QStringLiteral("Einfahrt "));
        editor->insert(QStringLiteral("Süd")); // QTest types ASCII only
        QTest::keyClick(editor, Qt::Key_Return);

        // The delegate commits on the next pass of the event loop.
        QTRY_COMPARE(view->model()->index(row, DecoderTableModel::Name).data().toString(),
                     QStringLiteral("Einfahrt Süd"));
        QCOMPARE(notesOf(*layout_).decoders.at("signal.hex"), (hq::DecoderNote{"Einfahrt Süd", "alt"}));
        const QByteArray written = fileContent(layout_->path(QStringLiteral("anlage.json")));
        QVERIFY(written.contains("\"farbe\": \"blau\""));
        QVERIFY(written.contains("\"version\": 3"));
        // Analysed again with the notes as written, and the same after the rescan the write causes.
        QTRY_COMPARE(window_->snapshot()->scan().decoders[2].name, std::string("Einfahrt Süd"));
        QVERIFY(dialogs_.messages.isEmpty());

        // An emptied name and note leave the decoder out of the file, its unknown key kept.
        QVERIFY(view->model()->setData(view->model()->index(row, DecoderTableModel::Note), QString()));
        QVERIFY(view->model()->setData(view->model()->index(row, DecoderTableModel::Name), QString()));
        QCOMPARE(notesOf(*layout_).decoders.at("signal.hex"), hq::DecoderNote{}); // kept for "farbe"
        QVERIFY(fileContent(layout_->path(QStringLiteral("anlage.json"))).contains("\"farbe\""));
        QVERIFY(!fileContent(layout_->path(QStringLiteral("anlage.json"))).contains("Einfahrt"));
    }

    void aNoteBeingTypedIsKeptWhenTheWindowCloses() {
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QTableView* view = window_->parts().decoderView;
        const QModelIndex note = view->model()->index(rowWith(view->model(), QStringLiteral("weiche-03.hex")),
                                                      DecoderTableModel::Note);
        view->setFocus();
        view->setCurrentIndex(note);
        view->edit(note);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("Weichen 9-12"));
        window_->close();
        window_.reset(); // taken down with nothing open any more: no write from a half-gone window
        QCOMPARE(notesOf(*layout_).decoders.at("weiche-03.hex").note, std::string("Weichen 9-12"));
    }

    void aRescanWaitsWhileANameIsTyped() {
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QTableView* view = window_->parts().decoderView;
        const QModelIndex name = view->model()->index(rowWith(view->model(), QStringLiteral("weiche-01.hex")),
                                                      DecoderTableModel::Name);
        view->setFocus();
        view->setCurrentIndex(name);
        view->edit(name);
        const QPointer<QLineEdit> editor = view->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("Nord"));

        // A file changes meanwhile and is read: the editor and what it holds stay.
        QVERIFY(writeFile(layout_->path(QStringLiteral("weiche-03.hex")),
                          shiftedDemo(32, hq::Protocol::DCC, 26)));
        window_->rescan();
        QTRY_VERIFY(!window_->isScanning());
        QVERIFY(editor); // a model replaced under it would have closed it
        QCOMPARE(QApplication::focusWidget(), editor.data());
        QCOMPARE(editor->text(), QStringLiteral("Nord"));
        QCOMPARE(window_->snapshot()->scan().decoders.back().rows.front().address, 9); // not shown yet

        // Entered, the name is written and the scan shown with it.
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(window_->snapshot()->scan().decoders.back().rows.front().address, 31);
        QTRY_COMPARE(window_->snapshot()
                         ->scan()
                         .decoders[rowWith(window_->parts().decoderModel, QStringLiteral("weiche-01.hex"))]
                         .name,
                     std::string("Nord"));
        QCOMPARE(notesOf(*layout_).decoders.at("weiche-01.hex").name, std::string("Nord"));
    }

    void aRefusedWriteSaysWhyAndChangesNothing() {
        const QByteArray broken = R"({"decoders": {"signal.hex": {"name": 7}}})";
        QVERIFY(writeFile(layout_->path(QStringLiteral("anlage.json")), broken));
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        // The broken file is listed; the rest of the layout is shown.
        QCOMPARE(window_->parts().problemTable->item(0, 0)->text(), QStringLiteral("anlage.json"));
        QAbstractItemModel* model = window_->parts().decoderView->model();
        const int row = rowWith(model, QStringLiteral("weiche-01.hex"));
        QVERIFY(!model->setData(model->index(row, DecoderTableModel::Name), QStringLiteral("Weichen Nord")));
        QCOMPARE(dialogs_.messages.size(), 1);
        const QString message = dialogs_.messages.first().text;
        QVERIFY2(
            message.startsWith(QStringLiteral("Name und Notiz von weiche-01.hex wurden nicht gespeichert.")),
            qPrintable(message));
        QVERIFY(message.contains(
            QStringLiteral("anlage.json: \"decoders\", \"signal.hex\": \"name\" muss ein Text sein.")));
        QVERIFY(message.contains(QStringLiteral("Die Datei wird nicht überschrieben")));
        QCOMPARE(fileContent(layout_->path(QStringLiteral("anlage.json"))), broken);
        QCOMPARE(model->index(row, DecoderTableModel::Name).data().toString(), QString());

        // Marking a clash is refused the same way.
        QAbstractItemModel* clashes = window_->parts().clashView->model();
        QVERIFY(
            !clashes->setData(clashes->index(0, ClashTableModel::Intended), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(dialogs_.messages.size(), 2);
        QVERIFY(dialogs_.messages.last().text.startsWith(
            QStringLiteral("Die Markierung wurde nicht gespeichert.")));
        QCOMPARE(clashes->index(0, ClashTableModel::Intended).data(Qt::CheckStateRole).toInt(),
                 int(Qt::Unchecked));
        QCOMPARE(fileContent(layout_->path(QStringLiteral("anlage.json"))), broken);
    }

    void aClashIsMarkedIntendedAndTheMarkTakenBack() {
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        QTableView* clashes = window_->parts().clashView;
        QVERIFY(clashes->model()->setData(clashes->model()->index(0, ClashTableModel::Intended), Qt::Checked,
                                          Qt::CheckStateRole));
        const hq::LayoutNotes notes = notesOf(*layout_);
        QCOMPARE(notes.intended.size(), std::size_t{1});
        const hq::ClashKey& key = notes.intended.front();
        QCOMPARE(key.kind, hq::ClashKind::SameCommand);
        QCOMPARE(key.protocol, hq::Protocol::DCC);
        QCOMPARE(key.address, 6);
        QCOMPARE(key.reaction, 1);
        QCOMPARE(key.rows, (std::vector<hq::RowRef>{{"signal.hex", 1}, {"weiche-02.hex", 2}}));

        // The layout shows it at once: no longer amber, marked "(gewollt)", counted as intended.
        QTRY_VERIFY(window_->snapshot()->scan().openClashCount() == 0);
        const QAbstractItemModel* addresses = window_->parts().addressProxy;
        const int signal = rowWith(addresses, QStringLiteral("signal.hex"));
        QVERIFY(!addresses->index(signal, 0).data(Qt::BackgroundRole).isValid());
        QCOMPARE(addresses->index(signal, AddressTableModel::Clash).data().toString(),
                 QStringLiteral("Doppelbelegung (gewollt)"));
        QVERIFY(window_->parts().summaryLabel->text().contains(QStringLiteral("1 Doppelbelegung, gewollt")));
        QCOMPARE(
            window_->windowTitle(),
            QStringLiteral("Anlage %1 – HEX Quendrabolt").arg(QFileInfo(layout_->dir.path()).fileName()));
        QCOMPARE(clashes->model()->index(0, ClashTableModel::Intended).data().toString(),
                 QStringLiteral("gewollt"));

        // Selected in the list, "Markierung aufheben" takes it back.
        auto* unmark = window_->findChild<QPushButton*>(QStringLiteral("btn_unmark_intended"));
        auto* mark = window_->findChild<QPushButton*>(QStringLiteral("btn_mark_intended"));
        QVERIFY(!unmark->isEnabled());
        clashes->selectRow(0);
        QVERIFY(unmark->isEnabled());
        QVERIFY(!mark->isEnabled());
        QTest::mouseClick(unmark, Qt::LeftButton);
        QVERIFY(notesOf(*layout_).intended.empty());
        QTRY_COMPARE(window_->snapshot()->scan().openClashCount(), 1);
        QCOMPARE(addresses->index(rowWith(addresses, QStringLiteral("signal.hex")), 0)
                     .data(Qt::BackgroundRole)
                     .value<QColor>(),
                 kClashAmber);
        QTRY_VERIFY(mark->isEnabled());
        QVERIFY(dialogs_.messages.isEmpty());
    }

private:
    LayoutDialogs dialogs_;
    std::unique_ptr<SampleLayout> layout_;
    std::unique_ptr<LayoutWindow> window_;
};

HQ_TEST_CLASS(TestLayoutNotes)
#include "tst_LayoutNotes.moc"

// The layout window among the program's windows: "Datei → Anlage öffnen…" and the recent layouts
// open it (once per folder), a double-click opens a decoder in its own main window (once per file),
// and what is saved there — or written by anyone into the folder — shows in the layout at once.

#include "LayoutWindowTestSupport.h"
#include "QtTestSuite.h"
#include "document/FirmwareDocument.h"
#include "help/ManualWindow.h"
#include "io/WriteFile.h"
#include "layout/AddressTableModel.h"
#include "layout/DecoderTableModel.h"
#include "layout/DecoderWindows.h"
#include "layout/LayoutFilterProxy.h"
#include "layout/LayoutFolderWatcher.h"
#include "layout/LayoutMenu.h"
#include "layout/RecentLayouts.h"
#include "main/AppFactory.h"
#include "main/MainMenu.h"
#include "main/TFormMain.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTableView>

using namespace layouttest;

namespace {

QList<LayoutWindow*> layoutWindows() {
    QList<LayoutWindow*> found;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows) {
        if (auto* window = qobject_cast<LayoutWindow*>(widget); window != nullptr && window->isVisible())
            found.append(window);
    }
    return found;
}

QList<TFormMain*> mainWindows() {
    QList<TFormMain*> found;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows) {
        if (auto* window = qobject_cast<TFormMain*>(widget); window != nullptr && window->isVisible())
            found.append(window);
    }
    return found;
}

// As a mouse does it: press and release, then the double-click and its release (QTest's
// mouseDClick alone sends only the double-click, which an item view takes for a click elsewhere).
void doubleClick(QTableView* view, const QModelIndex& index) {
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

class TestLayoutWindows : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs_ = LayoutDialogs();
        Dialogs::install(&dialogs_);
        QSettings().clear();
        layout_ = std::make_unique<SampleLayout>();
    }
    void cleanup() {
        closeOtherWindows(nullptr);
        window_.reset();
        layout_.reset();
        Dialogs::install(nullptr);
    }

    void aDoubleClickOpensTheDecoderInItsOwnMainWindowOnce() {
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        QTableView* addresses = window_->parts().addressView;
        doubleClick(addresses,
                    addresses->model()->index(rowWith(addresses->model(), QStringLiteral("signal.hex")),
                                              AddressTableModel::Address));
        QList<TFormMain*> opened = mainWindows();
        QCOMPARE(opened.size(), 1);
        TFormMain* decoder = opened.first();
        QCOMPARE(decoder->document()->path(), layout_->path(QStringLiteral("signal.hex")));
        QCOMPARE(decoder->firmware()->recognition.kind, 28);
        QVERIFY(decoder->testAttribute(Qt::WA_DeleteOnClose));

        // The same file again, from the decoder table: the window comes to the front, no second one.
        QTableView* decoders = window_->parts().decoderView;
        doubleClick(decoders,
                    decoders->model()->index(rowWith(decoders->model(), QStringLiteral("signal.hex")),
                                             DecoderTableModel::Firmware));
        QCOMPARE(mainWindows().size(), 1);
        // Another decoder gets a window of its own; a file in a sub-folder is found too.
        QVERIFY(window_->openDecoder(QStringLiteral("bahnhof/nord.hex")));
        QCOMPARE(mainWindows().size(), 2);
        QVERIFY(decoderWindowOf(layout_->path(QStringLiteral("bahnhof/nord.hex"))));

        // A double-click on the name edits it instead.
        doubleClick(decoders, decoders->model()->index(0, DecoderTableModel::Name));
        QCOMPARE(mainWindows().size(), 2);
        QVERIFY(decoders->viewport()->findChild<QLineEdit*>());
    }

    void aFileThatIsNoLongerThereOpensNoWindow() {
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        QVERIFY(QFile::remove(layout_->path(QStringLiteral("mm-weiche.hex"))));
        QVERIFY(!window_->openDecoder(QStringLiteral("mm-weiche.hex")));
        QCOMPARE(mainWindows().size(), 0);
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY(dialogs_.messages.first().text.contains(QStringLiteral("mm-weiche.hex")));
    }

    void whatIsSavedInTheDecoderWindowShowsInTheLayoutAtOnce() {
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        QCOMPARE(window_->snapshot()->scan().openClashCount(), 1);
        TFormMain* decoder = window_->openDecoder(QStringLiteral("signal.hex"));
        QVERIFY(decoder);

        // Saved there as "HEX speichern" saves: written beside the file and renamed into place.
        QSignalSpy shown(window_.get(), &LayoutWindow::snapshotShown);
        const QByteArray moved = shiftedDemo(28, hq::Protocol::DCC, 8); // 6 becomes 13
        QVERIFY(hq::io::writeFileReplacing(
                    decoder->document()->path().toStdString(),
                    std::string_view(moved.constData(), static_cast<std::size_t>(moved.size())))
                    .ok());
        QVERIFY(waitForScan(*window_, shown));
        QCOMPARE(window_->snapshot()->scan().clashes.size(), std::size_t{0});
        const QAbstractItemModel* addresses = window_->parts().addressProxy;
        QCOMPARE(
            addresses->index(rowWith(addresses, QStringLiteral("signal.hex")), AddressTableModel::Address)
                .data()
                .toInt(),
            13);
        QVERIFY(window_->parts().summaryLabel->text().contains(QStringLiteral("keine Doppelbelegung")));

        // A file written in place (not renamed) and a new file in a sub-folder show as well.
        shown.clear();
        QVERIFY(
            writeFile(layout_->path(QStringLiteral("signal.hex")), shiftedDemo(28, hq::Protocol::DCC, 9)));
        QVERIFY(waitForScan(*window_, shown));
        QTRY_COMPARE(
            addresses->index(rowWith(addresses, QStringLiteral("signal.hex")), AddressTableModel::Address)
                .data()
                .toInt(),
            14);
        shown.clear();
        QVERIFY(writeFile(layout_->path(QStringLiteral("bahnhof/sued.hex")),
                          shiftedDemo(28, hq::Protocol::DCC, 40)));
        QVERIFY(waitForScan(*window_, shown));
        QTRY_VERIFY(rowWith(window_->parts().decoderProxy, QStringLiteral("bahnhof/sued.hex")) >= 0);
        // A new sub-folder is watched from the scan after it appeared: its files show as well.
        shown.clear();
        QVERIFY(QDir(layout_->dir.path()).mkpath(QStringLiteral("lokschuppen")));
        QVERIFY(waitForScan(*window_, shown));
        QTRY_VERIFY(window_->findChild<LayoutFolderWatcher*>()->watchedFolders().contains(
            layout_->path(QStringLiteral("lokschuppen"))));
        shown.clear();
        QVERIFY(writeFile(layout_->path(QStringLiteral("lokschuppen/tor.hex")),
                          shiftedDemo(28, hq::Protocol::DCC, 50)));
        QVERIFY(waitForScan(*window_, shown));
        QTRY_VERIFY(rowWith(window_->parts().decoderProxy, QStringLiteral("lokschuppen/tor.hex")) >= 0);
    }

    void aFolderThatVanishesEmptiesTheTablesAndSaysWhy() {
        window_ = openWindow(layout_->dir.path());
        QVERIFY(window_);
        QSignalSpy shown(window_.get(), &LayoutWindow::snapshotShown);
        QVERIFY(QDir(layout_->dir.path()).removeRecursively());
        QVERIFY(waitForScan(*window_, shown));
        QTRY_COMPARE(window_->parts().decoderModel->rowCount(), 0);
        QCOMPARE(window_->parts().addressModel->rowCount(), 0);
        QVERIFY2(window_->parts().summaryLabel->text().contains(QStringLiteral("wurde nicht gefunden.")),
                 qPrintable(window_->parts().summaryLabel->text()));
        QVERIFY(dialogs_.messages.isEmpty()); // said in the window, not in a box on every change
    }

    void anlageOeffnenOpensTheLayoutOnceAndRemembersIt() {
        const std::unique_ptr<TFormMain> main = createMainWindow();
        main->show();
        QCOMPARE(main->mainMenu()->openLayout->text(), QStringLiteral("Anlage öffnen…"));
        dialogs_.folderNames = {layout_->dir.path()};
        main->mainMenu()->openLayout->trigger();
        QCOMPARE(dialogs_.folderTitles.size(), 1);
        QList<LayoutWindow*> opened = layoutWindows();
        QCOMPARE(opened.size(), 1);
        LayoutWindow* layout = opened.first();
        QCOMPARE(layout->folder(), QDir::cleanPath(layout_->dir.path()));
        QVERIFY(layout->testAttribute(Qt::WA_DeleteOnClose));
        QTRY_COMPARE(layout->snapshot()->scan().decoders.size(), std::size_t{6});
        QCOMPARE(recent_layouts::folders(), QStringList{layout->folder()});

        // The recent layouts list it; choosing it brings the open window forward.
        QMenu* recent = main->mainMenu()->recentLayouts;
        QMetaObject::invokeMethod(recent, "aboutToShow");
        QCOMPARE(recent->actions().size(), 1);
        QVERIFY(recent->actions().first()->text().endsWith(QDir::toNativeSeparators(layout->folder())));
        recent->actions().first()->trigger();
        QCOMPARE(layoutWindows().size(), 1);
        // A cancelled folder dialog opens nothing.
        main->mainMenu()->openLayout->trigger();
        QCOMPARE(layoutWindows().size(), 1);
        QVERIFY(dialogs_.messages.isEmpty());
        layout->close();
    }

    void f1OpensTheManualAtTheLayoutPage() {
        const std::unique_ptr<TFormMain> main = createMainWindow();
        main->show();
        dialogs_.folderNames = {layout_->dir.path()};
        main->mainMenu()->openLayout->trigger();
        LayoutWindow* layout = layoutWindows().first();
        QAction* manual = layout->findChild<QAction*>(QStringLiteral("act_layout_manual"));
        QVERIFY(manual != nullptr);
        QCOMPARE(manual->shortcut(), QKeySequence(QKeySequence::HelpContents));
        manual->trigger();
        ManualWindow* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<ManualWindow*>(widget); window != nullptr && window->isVisible())
                shown = window;
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->currentPage(), QStringLiteral("anlage.html"));
        shown->close();
        layout->close();
    }

    void aFolderThatCannotBeOpenedIsRefusedAndForgotten() {
        const QString gone = layout_->path(QStringLiteral("weg"));
        recent_layouts::add(gone);
        QVERIFY(!openLayoutWindow(gone));
        QCOMPARE(dialogs_.messages.size(), 1);
        QCOMPARE(dialogs_.messages.first().text,
                 QStringLiteral("Der Ordner \"%1\" wurde nicht gefunden.").arg(gone));
        QCOMPARE(layoutWindows().size(), 0);
        QVERIFY(!openLayoutWindow(layout_->path(QStringLiteral("signal.hex"))));
        QVERIFY(dialogs_.messages.last().text.endsWith(QStringLiteral("ist kein Ordner.")));

        // Chosen from the recent layouts, a vanished folder is taken off the list.
        const std::unique_ptr<TFormMain> main = createMainWindow();
        QMenu* recent = main->mainMenu()->recentLayouts;
        QMetaObject::invokeMethod(recent, "aboutToShow");
        recent->actions().first()->trigger();
        QVERIFY(recent_layouts::folders().isEmpty());
        QMetaObject::invokeMethod(recent, "aboutToShow");
        QCOMPARE(recent->actions().first()->text(), QStringLiteral("(keine)"));
        QVERIFY(!recent->actions().first()->isEnabled());
    }

private:
    LayoutDialogs dialogs_;
    std::unique_ptr<SampleLayout> layout_;
    std::unique_ptr<LayoutWindow> window_;
};

HQ_TEST_CLASS(TestLayoutWindows)
#include "tst_LayoutWindows.moc"

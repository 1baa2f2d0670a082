// The window wires the parts together: the runner's results go into the three models, the
// filter into the proxies, writes go through updateLayoutNotes and are shown at once by analysing
// the last scan again with the notes as written (the files have not changed), and the watcher's
// report starts a rescan.

#include "layout/LayoutWindow.h"

#include "Dialogs.h"
#include "FileWriting.h"
#include "LayoutJson.h"
#include "QtText.h"
#include "help/ShowManual.h"
#include "layout/AddressTableModel.h"
#include "layout/ClashTableModel.h"
#include "layout/DecoderTableModel.h"
#include "layout/DecoderWindows.h"
#include "layout/LayoutAnalysis.h"
#include "layout/LayoutFilterProxy.h"
#include "layout/LayoutFolderWatcher.h"
#include "layout/LayoutMenu.h"
#include "layout/LayoutRoles.h"
#include "layout/LayoutScanRunner.h"
#include "layout/LayoutSheet.h"
#include "layout/SeriesDialog.h"
#include "layout/TableSelection.h"
#include "pictures/Pictures.h"
#include "sheet/SettingsSheet.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace layout_window {
namespace {

// A column never takes more than this many average characters when sized to its content.
constexpr int kWidestColumnChars = 40;

QTableView* makeView(QWidget* parent, const QString& name, QAbstractItemModel* model) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    QHeaderView* header = view->horizontalHeader();
    // A third click on a column heading goes back to the order of the index.
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setStretchLastSection(true);
    header->setHighlightSections(false);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // One line of text per row, with a little air: more rows in sight than the style's default.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().lineSpacing() * 3 / 2);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    return view;
}

// A heading over a table; Alt with its underlined letter moves into the table.
QWidget* titled(const QString& title, QWidget* content, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(title, box);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setBuddy(content);
    layout->addWidget(label);
    layout->addWidget(content, 1);
    return box;
}

QString plural(std::size_t count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

} // namespace
} // namespace layout_window

LayoutWindow::LayoutWindow(const QString& folder, QWidget* parent)
    : QMainWindow(parent), folder_(folder), snapshot_(emptySnapshot()), runner_(new LayoutScanRunner(this)),
      watcher_(new LayoutFolderWatcher(this)), decoderModel_(new DecoderTableModel(this)),
      addressModel_(new AddressTableModel(this)), clashModel_(new ClashTableModel(this)),
      decoderProxy_(new LayoutFilterProxy(this)), addressProxy_(new LayoutFilterProxy(this)),
      clashProxy_(new LayoutFilterProxy(this)) {
    setObjectName(QStringLiteral("LayoutWindow"));
    setWindowIcon(pictures::windowIcon());

    decoderProxy_->setSourceModel(decoderModel_);
    addressProxy_->setSourceModel(addressModel_);
    clashProxy_->setSourceModel(clashModel_);
    decoderModel_->setNoteWriter(
        [this](const std::string& file, const hq::DecoderNote& note) { return writeNote(file, note); });
    clashModel_->setIntendedWriter(
        [this](const hq::ClashKey& key, bool intended) { return writeIntended({key}, intended); });

    buildMenu();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("LayoutClient"));
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(buildHeader());
    layout->addWidget(buildTables(), 1);
    setCentralWidget(client);
    statusBar()->setObjectName(QStringLiteral("LayoutStatus"));
    connectViews();

    connect(runner_, &LayoutScanRunner::runningChanged, this, &LayoutWindow::scanRunning);
    connect(runner_, &LayoutScanRunner::progress, this, &LayoutWindow::scanProgress);
    connect(runner_, &LayoutScanRunner::finished, this, &LayoutWindow::showSnapshot);
    connect(runner_, &LayoutScanRunner::failed, this, &LayoutWindow::scanFailed);
    connect(runner_, &LayoutScanRunner::cancelled, this, &LayoutWindow::scanCancelled);
    connect(watcher_, &LayoutFolderWatcher::changed, this, &LayoutWindow::rescan);

    // Room for the decoder table's columns and a few dozen rows, from the font in use.
    const QFontMetrics metrics = fontMetrics();
    resize(metrics.averageCharWidth() * 170, metrics.lineSpacing() * 48);
    showSummary();
    rescan();
}

LayoutWindow::~LayoutWindow() {
    // An editor still open would be committed while the widgets are taken down, when this window
    // can no longer write or show anything.
    decoderModel_->setNoteWriter({});
    clashModel_->setIntendedWriter({});
}

void LayoutWindow::closeEvent(QCloseEvent* event) {
    // A name or note being typed is kept, as leaving the cell keeps it.
    if (QWidget* focus = QApplication::focusWidget(); focus != nullptr && decoderView_->isAncestorOf(focus))
        decoderView_->setFocus();
    QMainWindow::closeEvent(event);
}

void LayoutWindow::buildMenu() {
    QMenu* layoutMenu = menuBar()->addMenu(QStringLiteral("&Anlage"));
    layoutMenu->setObjectName(QStringLiteral("menu_anlage"));
    QAction* open = layoutMenu->addAction(QStringLiteral("Anlage ö&ffnen…"));
    open->setObjectName(QStringLiteral("act_layout_open"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    QMenu* recent = layoutMenu->addMenu(QStringLiteral("&Zuletzt geöffnete Anlagen"));
    recent->setObjectName(QStringLiteral("menu_recent_layouts"));
    attachLayoutMenu(this, open, recent);
    layoutMenu->addSeparator();
    rescanAction_ = layoutMenu->addAction(QStringLiteral("&Neu einlesen"));
    rescanAction_->setObjectName(QStringLiteral("act_layout_rescan"));
    rescanAction_->setShortcut(QKeySequence::Refresh);
    seriesAction_ = layoutMenu->addAction(QStringLiteral("&Serie erzeugen…"));
    seriesAction_->setObjectName(QStringLiteral("act_layout_series"));
    printAction_ = layoutMenu->addAction(QStringLiteral("Anlagenblatt &drucken…"));
    printAction_->setObjectName(QStringLiteral("act_layout_print"));
    printAction_->setShortcut(QKeySequence::Print);
    pdfAction_ = layoutMenu->addAction(QStringLiteral("Anlagenblatt als &PDF speichern…"));
    pdfAction_->setObjectName(QStringLiteral("act_layout_pdf"));
    layoutMenu->addSeparator();
    QAction* close = layoutMenu->addAction(QStringLiteral("Schl&ießen"));
    close->setObjectName(QStringLiteral("act_layout_close"));
    close->setShortcut(QKeySequence::Close);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    QAction* manual = helpMenu->addAction(QStringLiteral("&Handbuch"));
    manual->setObjectName(QStringLiteral("act_layout_manual"));
    manual->setShortcut(QKeySequence::HelpContents);
    connect(manual, &QAction::triggered, this, [this] { showManual(this, QStringLiteral("anlage.html")); });

    connect(rescanAction_, &QAction::triggered, this, &LayoutWindow::rescan);
    connect(seriesAction_, &QAction::triggered, this, &LayoutWindow::openSeriesDialog);
    connect(printAction_, &QAction::triggered, this, &LayoutWindow::printSheet);
    connect(pdfAction_, &QAction::triggered, this, &LayoutWindow::saveSheetAsPdf);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

QWidget* LayoutWindow::buildHeader() {
    auto* header = new QWidget(this);
    auto* layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* top = new QHBoxLayout;
    auto* folderLabel = new QLabel(QStringLiteral("Ordner: ") + QDir::toNativeSeparators(folder_), header);
    folderLabel->setObjectName(QStringLiteral("layoutFolder"));
    folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(folderLabel, 1);
    auto* rescanButton = new QPushButton(QStringLiteral("Neu einlesen"), header);
    rescanButton->setObjectName(QStringLiteral("btn_layout_rescan"));
    rescanButton->setToolTip(QStringLiteral("Liest alle Dateien der Anlage neu (F5). Gespeichertes erscheint "
                                            "auch ohne das von selbst."));
    connect(rescanButton, &QPushButton::clicked, this, &LayoutWindow::rescan);
    auto* seriesButton = new QPushButton(QStringLiteral("Serie erzeugen…"), header);
    seriesButton->setObjectName(QStringLiteral("btn_layout_series"));
    seriesButton->setToolTip(QStringLiteral("Aus einer Vorlage mehrere Dekoder mit fortlaufenden Adressen"));
    connect(seriesButton, &QPushButton::clicked, this, &LayoutWindow::openSeriesDialog);
    auto* sheetButton = new QPushButton(QStringLiteral("Anlagenblatt"), header);
    sheetButton->setObjectName(QStringLiteral("btn_layout_sheet"));
    sheetButton->setToolTip(QStringLiteral("Deckblatt mit allen Dekodern und Adressen, dann das Blatt jedes "
                                           "Dekoders: drucken oder als PDF speichern"));
    auto* sheetMenu = new QMenu(sheetButton);
    sheetMenu->addAction(printAction_);
    sheetMenu->addAction(pdfAction_);
    sheetButton->setMenu(sheetMenu);
    top->addWidget(rescanButton);
    top->addWidget(seriesButton);
    top->addWidget(sheetButton);
    layout->addLayout(top);

    auto* scanRow = new QHBoxLayout;
    progress_ = new QProgressBar(header);
    progress_->setObjectName(QStringLiteral("layoutProgress"));
    progress_->setFormat(QStringLiteral("%v von %m Dateien"));
    cancel_ = new QPushButton(QStringLiteral("Abbrechen"), header);
    cancel_->setObjectName(QStringLiteral("btn_layout_cancel"));
    cancel_->setToolTip(QStringLiteral("Hält das Einlesen an; die Tabellen zeigen weiter den Stand davor"));
    connect(cancel_, &QPushButton::clicked, this, &LayoutWindow::cancelScan);
    scanRow->addWidget(progress_, 1);
    scanRow->addWidget(cancel_);
    progress_->hide();
    cancel_->hide();
    layout->addLayout(scanRow);

    summary_ = new QLabel(header);
    summary_->setObjectName(QStringLiteral("layoutSummary"));
    summary_->setTextFormat(Qt::RichText);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    auto* filterRow = new QHBoxLayout;
    filter_ = new QLineEdit(header);
    filter_->setObjectName(QStringLiteral("layoutFilter"));
    filter_->setClearButtonEnabled(true);
    filter_->setPlaceholderText(QStringLiteral("Datei, Name, Adresse, Firmware … (mehrere Wörter: alle)"));
    filter_->setToolTip(QStringLiteral("Zeigt in allen Tabellen nur die Zeilen, in denen jedes Wort vorkommt "
                                       "(Strg+F)"));
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), header);
    filterLabel->setBuddy(filter_);
    onlyClashes_ = new QCheckBox(QStringLiteral("nur Doppel&belegungen"), header);
    onlyClashes_->setObjectName(QStringLiteral("layoutOnlyClashes"));
    onlyClashes_->setToolTip(QStringLiteral("Zeigt nur Dekoder und Adressen, die an einer Doppelbelegung "
                                            "beteiligt sind"));
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    filterRow->addWidget(onlyClashes_);
    layout->addLayout(filterRow);
    auto* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        filter_->setFocus();
        filter_->selectAll();
    });
    addAction(find);
    return header;
}

QWidget* LayoutWindow::buildTables() {
    using layout_window::makeView;
    using layout_window::titled;
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("layoutSplitter"));
    decoderView_ = makeView(split, QStringLiteral("layoutDecoders"), decoderProxy_);
    decoderView_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    addressView_ = makeView(split, QStringLiteral("layoutAddresses"), addressProxy_);
    split->addWidget(titled(QStringLiteral("D&ekoder"), decoderView_, split));

    auto* lower = new QSplitter(Qt::Horizontal, split);
    lower->addWidget(titled(QStringLiteral("Adre&ssen"), addressView_, lower));
    tabs_ = new QTabWidget(lower);
    tabs_->setObjectName(QStringLiteral("layoutTabs"));
    tabs_->addTab(buildClashPanel(), QStringLiteral("Doppelbelegungen"));
    free_ = new QLabel(tabs_);
    free_->setObjectName(QStringLiteral("layoutFree"));
    free_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    free_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    free_->setMargin(fontMetrics().averageCharWidth());
    free_->setToolTip(QStringLiteral("Die ersten Blöcke von 1, 4 und 8 Zubehöradressen, die kein Dekoder "
                                     "benutzt (in keiner Farbe), für den nächsten Dekoder"));
    tabs_->addTab(free_, QStringLiteral("Freie Adressen"));
    problems_ = new QTableWidget(tabs_);
    problems_->setObjectName(QStringLiteral("layoutProblems"));
    problems_->setColumnCount(2);
    problems_->setHorizontalHeaderLabels({QStringLiteral("Datei"), QStringLiteral("Grund")});
    problems_->horizontalHeader()->setStretchLastSection(true);
    problems_->verticalHeader()->hide();
    problems_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    problems_->setSelectionBehavior(QAbstractItemView::SelectRows);
    problems_->setWordWrap(true);
    tabs_->addTab(problems_, QStringLiteral("Übersprungen"));
    lower->addWidget(tabs_);
    lower->setStretchFactor(0, 2);
    lower->setStretchFactor(1, 1);
    split->addWidget(lower);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    return split;
}

QWidget* LayoutWindow::buildClashPanel() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    clashView_ = layout_window::makeView(panel, QStringLiteral("layoutClashes"), clashProxy_);
    clashView_->setToolTip(QStringLiteral("Doppelklick zeigt die beteiligten Zeilen in der Adresstabelle"));
    // A clash's line names every party: it wraps rather than hiding them.
    clashView_->setWordWrap(true);
    clashView_->horizontalHeader()->setSectionResizeMode(ClashTableModel::Text, QHeaderView::Stretch);
    clashView_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(clashView_, 1);
    auto* buttons = new QHBoxLayout;
    markIntended_ = new QPushButton(QStringLiteral("Als &gewollt markieren"), panel);
    markIntended_->setObjectName(QStringLiteral("btn_mark_intended"));
    markIntended_->setToolTip(
        QStringLiteral("Die gewählten Doppelbelegungen sind Absicht (etwa ein Signal, das "
                       "seiner Weiche folgt); steht in anlage.json"));
    unmarkIntended_ = new QPushButton(QStringLiteral("Markierung a&ufheben"), panel);
    unmarkIntended_->setObjectName(QStringLiteral("btn_unmark_intended"));
    unmarkIntended_->setToolTip(QStringLiteral("Die gewählten Doppelbelegungen zählen wieder als Fehler"));
    buttons->addWidget(markIntended_);
    buttons->addWidget(unmarkIntended_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(markIntended_, &QPushButton::clicked, this, [this] { markSelectedClashes(true); });
    connect(unmarkIntended_, &QPushButton::clicked, this, [this] { markSelectedClashes(false); });
    markIntended_->setEnabled(false);
    unmarkIntended_->setEnabled(false);
    return panel;
}

void LayoutWindow::connectViews() {
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (LayoutFilterProxy* proxy : {decoderProxy_, addressProxy_, clashProxy_})
            proxy->setFilterWords(text);
    });
    connect(onlyClashes_, &QCheckBox::toggled, this, [this](bool only) {
        decoderProxy_->setOnlyClashes(only);
        addressProxy_->setOnlyClashes(only);
    });
    connect(decoderView_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
        // After the editor has gone (and what it held was written).
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (held_)
                    showSnapshot(held_);
            },
            Qt::QueuedConnection);
    });
    connect(decoderView_, &QAbstractItemView::activated, this, &LayoutWindow::decoderActivated);
    connect(addressView_, &QAbstractItemView::activated, this, &LayoutWindow::addressActivated);
    connect(clashView_, &QAbstractItemView::activated, this, &LayoutWindow::clashActivated);
    connect(decoderView_, &QWidget::customContextMenuRequested, this, &LayoutWindow::decoderMenu);
    connect(addressView_, &QWidget::customContextMenuRequested, this, &LayoutWindow::addressMenu);
    connect(clashView_, &QWidget::customContextMenuRequested, this, &LayoutWindow::clashMenu);
    connect(clashView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LayoutWindow::followClashSelection);
    connect(clashModel_, &QAbstractItemModel::dataChanged, this, &LayoutWindow::followClashSelection);
}

bool LayoutWindow::isScanning() const {
    return runner_->isRunning();
}

void LayoutWindow::rescan() {
    runner_->start(folder_);
}

void LayoutWindow::cancelScan() {
    runner_->cancel();
}

void LayoutWindow::scanRunning(bool running) {
    // The bar says the folder is being read; the status line keeps what the user did last.
    progress_->setVisible(running);
    cancel_->setVisible(running);
    if (running)
        progress_->setRange(0, 0); // busy until the files are counted
}

void LayoutWindow::scanProgress(int done, int total) {
    progress_->setRange(0, total);
    progress_->setValue(done);
}

void LayoutWindow::showSnapshot(SnapshotPtr snapshot) {
    // A new snapshot replaces the models, which would close the editor and lose what is typed: it
    // waits until the name or note is entered.
    if (isTypingNote()) {
        held_ = snapshot ? std::move(snapshot) : emptySnapshot();
        return;
    }
    held_.reset();
    const TableSelection decoders = TableSelection::of(decoderView_);
    const TableSelection addresses = TableSelection::of(addressView_);
    const TableSelection clashes = TableSelection::of(clashView_);
    snapshot_ = snapshot ? std::move(snapshot) : emptySnapshot();
    decoderModel_->setSnapshot(snapshot_);
    addressModel_->setSnapshot(snapshot_);
    clashModel_->setSnapshot(snapshot_);
    decoders.restore(decoderView_);
    addresses.restore(addressView_);
    clashes.restore(clashView_);
    if (!shownOnce_ && !snapshot_->scan().decoders.empty()) {
        shownOnce_ = true;
        const int widest = fontMetrics().averageCharWidth() * layout_window::kWidestColumnChars;
        for (QTableView* view : {decoderView_, addressView_, clashView_}) {
            view->resizeColumnsToContents();
            for (int column = 0; column + 1 < view->model()->columnCount(); ++column)
                view->setColumnWidth(column, std::min(view->columnWidth(column), widest));
        }
    }
    showSummary();
    showFree();
    showProblems();
    followClashSelection();
    watcher_->watch(folder_, snapshot_->scan());
    if (seriesDialog_)
        seriesDialog_->setLayoutSnapshot(snapshot_);
    emit snapshotShown();
}

void LayoutWindow::showSummary() {
    using layout_window::plural;
    const hq::LayoutScan& scan = snapshot_->scan();
    QStringList parts;
    parts.append(plural(scan.decoders.size(), QStringLiteral("Dekoder"), QStringLiteral("Dekoder")));
    parts.append(plural(scan.addresses.size(), QStringLiteral("Adresse"), QStringLiteral("Adressen")));
    const auto open = static_cast<std::size_t>(scan.openClashCount());
    const std::size_t intended = scan.clashes.size() - open;
    if (scan.clashes.empty()) {
        parts.append(QStringLiteral("keine Doppelbelegung"));
    } else if (open > 0) {
        QString text =
            QStringLiteral("<span style=\"background-color:%1\">&nbsp;%2 nicht gewollt&nbsp;</span>")
                .arg(kClashAmber.name(),
                     plural(open, QStringLiteral("Doppelbelegung"), QStringLiteral("Doppelbelegungen")));
        if (intended > 0)
            text += QStringLiteral(", %1 gewollt").arg(intended);
        parts.append(text);
    } else {
        parts.append(plural(intended, QStringLiteral("Doppelbelegung"), QStringLiteral("Doppelbelegungen")) +
                     QStringLiteral(", gewollt"));
    }
    if (!scan.problems.empty())
        parts.append(
            QStringLiteral("<span style=\"color:#a01010\">%1 übersprungen</span>")
                .arg(plural(scan.problems.size(), QStringLiteral("Datei"), QStringLiteral("Dateien"))));
    summary_->setText(parts.join(QStringLiteral(" · ")));
    // The title counts the clashes not marked intended, so they are seen from the task bar too.
    const QString name = QFileInfo(folder_).fileName();
    QString title = QStringLiteral("Anlage ") + (name.isEmpty() ? folder_ : name);
    if (open > 0)
        title += QStringLiteral(" – ") +
                 plural(open, QStringLiteral("Doppelbelegung"), QStringLiteral("Doppelbelegungen"));
    setWindowTitle(title + QStringLiteral(" – HEX Quendrabolt"));
    tabs_->setTabText(0, QStringLiteral("Doppelbelegungen (%1)").arg(scan.clashes.size()));
    tabs_->setTabText(2, QStringLiteral("Übersprungen (%1)").arg(scan.problems.size()));
}

void LayoutWindow::showFree() {
    free_->setText(freeBlockLines(snapshot_->scan()).join(QLatin1Char('\n')));
}

void LayoutWindow::showProblems() {
    const hq::LayoutScan& scan = snapshot_->scan();
    problems_->setRowCount(static_cast<int>(scan.problems.size()));
    int row = 0;
    for (const hq::LayoutProblem& problem : scan.problems) {
        problems_->setItem(row, 0, new QTableWidgetItem(qs(problem.file)));
        auto* reason = new QTableWidgetItem(qs(problem.reason));
        reason->setToolTip(qs(problem.reason));
        problems_->setItem(row, 1, reason);
        ++row;
    }
    problems_->resizeColumnToContents(0);
    problems_->resizeRowsToContents();
}

void LayoutWindow::scanFailed(const QString& message) {
    snapshot_ = emptySnapshot();
    decoderModel_->setSnapshot(snapshot_);
    addressModel_->setSnapshot(snapshot_);
    clashModel_->setSnapshot(snapshot_);
    showFree();
    showProblems();
    showSummary();
    summary_->setText(QStringLiteral("<span style=\"color:#a01010\">%1</span>").arg(message.toHtmlEscaped()));
    statusBar()->showMessage(message);
    watcher_->watch(folder_, snapshot_->scan());
    emit snapshotShown();
}

void LayoutWindow::scanCancelled() {
    const QString text = shownOnce_
                             ? QStringLiteral("Einlesen abgebrochen; die Tabellen zeigen den Stand davor.")
                             : QStringLiteral("Einlesen abgebrochen; „Neu einlesen“ (F5) liest die Anlage.");
    statusBar()->showMessage(text);
    if (!shownOnce_)
        summary_->setText(text.toHtmlEscaped());
}

bool LayoutWindow::writeNote(const std::string& file, const hq::DecoderNote& note) {
    // An empty entry is left out of the file (with any keys of others kept).
    const hq::Status written = hq::updateLayoutNotes(
        localPath(folder_), [&](hq::LayoutNotes& notes) { notes.decoders[file] = note; });
    if (!written) {
        warningOk(this, QStringLiteral("Name und Notiz von %1 wurden nicht gespeichert.\n\n%2")
                            .arg(qs(file), qs(written.message())));
        rescan(); // the tables show what the file holds
        return false;
    }
    statusBar()->showMessage(
        QStringLiteral("Name und Notiz von %1 in %2 gespeichert.").arg(qs(file), qs(hq::kLayoutNotesFile)));
    notesWritten();
    return true;
}

bool LayoutWindow::writeIntended(const std::vector<hq::ClashKey>& keys, bool intended) {
    if (keys.empty())
        return true;
    const hq::Status written = hq::updateLayoutNotes(localPath(folder_), [&](hq::LayoutNotes& notes) {
        for (const hq::ClashKey& key : keys)
            notes.setIntended(key, intended);
    });
    if (!written) {
        warningOk(this,
                  QStringLiteral("Die Markierung wurde nicht gespeichert.\n\n%1").arg(qs(written.message())));
        rescan();
        return false;
    }
    const QString what = keys.size() == 1 ? QStringLiteral("Doppelbelegung")
                                          : QStringLiteral("%1 Doppelbelegungen").arg(keys.size());
    statusBar()->showMessage(
        intended ? QStringLiteral("%1 als gewollt markiert (%2).").arg(what, qs(hq::kLayoutNotesFile))
                 : QStringLiteral("%1: Markierung „gewollt“ aufgehoben (%2).")
                       .arg(what, qs(hq::kLayoutNotesFile)));
    notesWritten();
    return true;
}

void LayoutWindow::notesWritten() {
    // A scan running, or one held back while a note was typed, may have read the notes before
    // the write: read again. Otherwise the files are as scanned, and the notes are all that changed.
    if (isScanning() || held_) {
        held_.reset();
        rescan();
    } else {
        QMetaObject::invokeMethod(this, &LayoutWindow::reanalyse, Qt::QueuedConnection);
    }
}

bool LayoutWindow::isTypingNote() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && decoderView_->viewport()->isAncestorOf(focus);
}

void LayoutWindow::reanalyse() {
    hq::Result<hq::LayoutNotes> notes = hq::readLayoutNotes(localPath(folder_));
    if (!notes) {
        rescan();
        return;
    }
    const hq::LayoutScan& last = snapshot_->scan();
    std::vector<hq::LayoutProblem> problems;
    for (const hq::LayoutProblem& problem : last.problems) {
        if (problem.file != hq::kLayoutNotesFile)
            problems.push_back(problem);
    }
    showSnapshot(std::make_shared<const LayoutSnapshot>(
        hq::analyseLayout(last.decoders, std::move(problems), *notes)));
}

TFormMain* LayoutWindow::openDecoder(const QString& file) {
    if (file.isEmpty())
        return nullptr;
    return openDecoderWindow(QDir(folder_).absoluteFilePath(file));
}

QString LayoutWindow::currentDecoderFile() const {
    for (QTableView* view : {addressView_, clashView_}) {
        if (view->hasFocus() && view->currentIndex().isValid())
            return view->currentIndex().data(layout_roles::File).toString();
    }
    return decoderView_->currentIndex().data(layout_roles::File).toString();
}

void LayoutWindow::decoderActivated(const QModelIndex& index) {
    openDecoder(index.data(layout_roles::File).toString());
}

void LayoutWindow::addressActivated(const QModelIndex& index) {
    openDecoder(index.data(layout_roles::File).toString());
}

void LayoutWindow::clashActivated(const QModelIndex& index) {
    if (!index.isValid())
        return;
    showClashInAddresses(clashModel_->clash(clashProxy_->mapToSource(index).row()));
}

void LayoutWindow::showClashInAddresses(const hq::Clash& clash) {
    std::set<QString> keys;
    for (const hq::RowRef& row : clash.key.rows)
        keys.insert(qs(row.file) + QLatin1Char('|') + QString::number(row.row));
    auto findRows = [&] {
        QItemSelection selection;
        QModelIndex first;
        for (int row = 0; row < addressProxy_->rowCount(); ++row) {
            const QModelIndex index = addressProxy_->index(row, 0);
            if (keys.count(index.data(layout_roles::Key).toString()) == 0)
                continue;
            selection.select(index, addressProxy_->index(row, addressProxy_->columnCount() - 1));
            if (!first.isValid())
                first = index;
        }
        return std::pair{selection, first};
    };
    auto [selection, first] = findRows();
    if (!first.isValid() && !filter_->text().isEmpty()) {
        filter_->clear(); // the filter hid them
        std::tie(selection, first) = findRows();
    }
    if (!first.isValid())
        return;
    addressView_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    addressView_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    addressView_->scrollTo(first);
    addressView_->setFocus();
}

void LayoutWindow::decoderMenu(const QPoint& at) {
    const QModelIndex index = decoderView_->indexAt(at);
    if (!index.isValid())
        return;
    const QString file = index.data(layout_roles::File).toString();
    QMenu menu(this);
    connect(menu.addAction(QStringLiteral("Dekoder öffnen")), &QAction::triggered, this,
            [this, file] { openDecoder(file); });
    connect(menu.addAction(QStringLiteral("Name ändern")), &QAction::triggered, this,
            [this, index] { decoderView_->edit(index.siblingAtColumn(DecoderTableModel::Name)); });
    connect(menu.addAction(QStringLiteral("Notiz ändern")), &QAction::triggered, this,
            [this, index] { decoderView_->edit(index.siblingAtColumn(DecoderTableModel::Note)); });
    menu.addSeparator();
    connect(menu.addAction(QStringLiteral("Serie aus diesem Dekoder…")), &QAction::triggered, this,
            [this, index] {
                decoderView_->setCurrentIndex(index);
                openSeriesDialog();
            });
    menu.exec(decoderView_->viewport()->mapToGlobal(at));
}

void LayoutWindow::addressMenu(const QPoint& at) {
    const QModelIndex index = addressView_->indexAt(at);
    if (!index.isValid())
        return;
    const QString file = index.data(layout_roles::File).toString();
    const hq::AddressEntry& entry = addressModel_->entry(addressProxy_->mapToSource(index).row());
    QMenu menu(this);
    connect(menu.addAction(QStringLiteral("Dekoder öffnen")), &QAction::triggered, this,
            [this, file] { openDecoder(file); });
    const hq::LayoutScan& scan = snapshot_->scan();
    const SnapshotPtr snapshot = snapshot_;
    for (std::size_t i : snapshot->clashesOfRow(entry.decoder, entry.row)) {
        const hq::Clash& clash = scan.clashes[i];
        const QString text = qs(hq::clashTextFor(scan, clash, entry.decoder, entry.row));
        if (i == snapshot->clashesOfRow(entry.decoder, entry.row).front())
            menu.addSeparator();
        const hq::ClashKey key = clash.key;
        const bool intended = clash.intended;
        QAction* action =
            menu.addAction(intended ? QStringLiteral("Markierung „gewollt“ aufheben: %1").arg(text)
                                    : QStringLiteral("Als gewollt markieren: %1").arg(text));
        connect(action, &QAction::triggered, this,
                [this, key, intended] { writeIntended({key}, !intended); });
    }
    menu.exec(addressView_->viewport()->mapToGlobal(at));
}

void LayoutWindow::clashMenu(const QPoint& at) {
    const QModelIndex index = clashView_->indexAt(at);
    if (!index.isValid())
        return;
    QMenu menu(this);
    QAction* mark = menu.addAction(markIntended_->text().remove(QLatin1Char('&')));
    mark->setEnabled(markIntended_->isEnabled());
    connect(mark, &QAction::triggered, this, [this] { markSelectedClashes(true); });
    QAction* unmark = menu.addAction(unmarkIntended_->text().remove(QLatin1Char('&')));
    unmark->setEnabled(unmarkIntended_->isEnabled());
    connect(unmark, &QAction::triggered, this, [this] { markSelectedClashes(false); });
    menu.addSeparator();
    connect(menu.addAction(QStringLiteral("Zeilen in der Adresstabelle zeigen")), &QAction::triggered, this,
            [this, index] { clashActivated(index); });
    menu.exec(clashView_->viewport()->mapToGlobal(at));
}

void LayoutWindow::markSelectedClashes(bool intended) {
    std::vector<hq::ClashKey> keys;
    for (const QModelIndex& index : clashView_->selectionModel()->selectedRows()) {
        const int row = clashProxy_->mapToSource(index).row();
        if (clashModel_->isIntended(row) != intended)
            keys.push_back(clashModel_->clash(row).key);
    }
    writeIntended(keys, intended);
}

void LayoutWindow::followClashSelection() {
    bool anyOpen = false;
    bool anyIntended = false;
    for (const QModelIndex& index : clashView_->selectionModel()->selectedRows()) {
        if (clashModel_->isIntended(clashProxy_->mapToSource(index).row()))
            anyIntended = true;
        else
            anyOpen = true;
    }
    markIntended_->setEnabled(anyOpen);
    unmarkIntended_->setEnabled(anyIntended);
}

SeriesDialog* LayoutWindow::seriesDialog() const {
    return seriesDialog_;
}

void LayoutWindow::openSeriesDialog() {
    if (seriesDialog_) {
        seriesDialog_->raise();
        seriesDialog_->activateWindow();
        return;
    }
    auto* dialog = new SeriesDialog(folder_, snapshot_,
                                    decoderView_->currentIndex().data(layout_roles::File).toString(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &SeriesDialog::seriesWritten, this, [this](const QStringList& files) {
        statusBar()->showMessage(files.size() == 1
                                     ? QStringLiteral("Serie geschrieben: %1").arg(files.first())
                                     : QStringLiteral("Serie geschrieben: %1 Dateien, %2 bis %3")
                                           .arg(files.size())
                                           .arg(files.first(), files.last()));
        rescan();
    });
    seriesDialog_ = dialog;
    dialog->open();
}

void LayoutWindow::printSheet() {
    QPrinter printer(QPrinter::HighResolution);
    prepareSheetPage(printer);
    printer.setDocName(QStringLiteral("Anlagenblatt ") + QFileInfo(folder_).fileName());
    if (!Dialogs::instance().choosePrinter(this, printer))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LayoutSheetSource source = readLayoutSheetSource(folder_, snapshot_->scan());
    const int pages = paintLayoutSheet(printer, source);
    QApplication::restoreOverrideCursor();
    if (pages == 0)
        warningOk(this, QStringLiteral("Das Anlagenblatt konnte nicht gedruckt werden."));
    else
        statusBar()->showMessage(QStringLiteral("Anlagenblatt gedruckt (%1 Seiten).").arg(pages));
}

void LayoutWindow::saveSheetAsPdf() {
    const QString proposed = QFileInfo(folder_).fileName() + QStringLiteral("-anlagenblatt.pdf");
    const QString path = Dialogs::instance().saveFileName(this, QStringLiteral("PDF (*.pdf);;*.* (*)"),
                                                          QStringLiteral("pdf"), proposed);
    if (path.isEmpty())
        return;
    QStringList warnings;
    const std::optional<hq::io::WriteOptions> options = writeOptionsAsking(this, path, &warnings);
    if (!options)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LayoutSheetSource source = readLayoutSheetSource(folder_, snapshot_->scan());
    QString error;
    const bool saved = saveLayoutSheetPdf(path, source, &error, QDateTime::currentDateTime(), *options);
    QApplication::restoreOverrideCursor();
    showWriteWarnings(this, warnings);
    if (!saved)
        warningOk(this, error);
    else
        statusBar()->showMessage(
            QStringLiteral("Anlagenblatt gespeichert: %1").arg(QDir::toNativeSeparators(path)));
}

LayoutWindow::Parts LayoutWindow::parts() const {
    return {decoderModel_, addressModel_, clashModel_, decoderProxy_, addressProxy_, clashProxy_,
            decoderView_,  addressView_,  clashView_,  problems_,     filter_,       onlyClashes_,
            progress_,     cancel_,       summary_,    free_,         tabs_,         rescanAction_,
            seriesAction_, printAction_,  pdfAction_};
}

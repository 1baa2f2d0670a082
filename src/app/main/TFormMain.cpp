#include "TFormMain.h"

#include "ButtonBox.h"
#include "ChangeMark.h"
#include "Dialogs.h"
#include "Dlg_info.h"
#include "GridGeometry.h"
#include "ImageBox.h"
#include "MainMenu.h"
#include "ParameterGridBox.h"
#include "ParseInteger.h"
#include "QtText.h"
#include "RecentFiles.h"
#include "StatusPanelBar.h"
#include "ZusatzPanel.h"
#include "document/FirmwareDocument.h"
#include "help/AddressHelp.h"
#include "help/ShowManual.h"
#include "image/RecognitionFailure.h"
#include "io/WriteFile.h"
#include "settings/FirmwareSettings.h"
#include "sheet/SettingsSheet.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QUndoStack>
#include <QUrl>

namespace {

using State = FirmwareDocument::State;

const QString kCaption = QStringLiteral("Hex Quendra V0.41");
const QString kWebPage = QStringLiteral("https://hexquendrabolt.example.org/");

// The client area: GroupBoxMain at (5, 5), the button row 5 below it, and the editors' room right of
// the grid.
constexpr int kGap = 5;
constexpr int kButtonRowTop = kGap + GridGeometry::kBoxHeight + kGap;
constexpr int kButtonRowHeight = 80;
constexpr int kButtonBoxWidth = 400;
constexpr int kEditorLeft = 410;
// Beside an editor the button row narrows, the picture box following it 3 pixels to its right.
constexpr int kNarrowButtonBoxWidth = 297;
constexpr int kNarrowImageGap = 3;
constexpr int kNarrowImageBoxWidth = 230;

// A single local file, as a drop brings it.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

bool isUndoOrRedo(const QKeyEvent* key) {
    const QKeyCombination combination = key->keyCombination();
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           combination == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
           combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
}

} // namespace

TFormMain::TFormMain(QWidget* parent)
    : QMainWindow(parent), document_(new FirmwareDocument(this)), grid_(nullptr), zusatz_(nullptr),
      buttons_(nullptr), imageBox_(nullptr), status_(new StatusPanelBar(this)),
      recent_(new RecentFiles(this)), menu_(nullptr) {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QStringLiteral(":/hexquendra/hexquendra-icon.png")));
    setAcceptDrops(true);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("FormMainClient"));
    setCentralWidget(client);
    grid_ = new ParameterGridBox(client);
    zusatz_ = new ZusatzPanel(client);
    buttons_ = new ButtonBox(client);
    imageBox_ = new ImageBox(client);
    setStatusBar(status_);
    menu_ = new MainMenu(this, document_->undoStack());

    connect(buttons_->loadButton(), &QPushButton::clicked, this, &TFormMain::btn_loadClick);
    connect(buttons_->saveButton(), &QPushButton::clicked, this, &TFormMain::btn_saveClick);
    connect(buttons_->closeButton(), &QPushButton::clicked, this, &TFormMain::btn_closeClick);
    connect(buttons_->infoButton(), &QPushButton::clicked, this, &TFormMain::btn_infoClick);
    connect(grid_, &ParameterGridBox::redGreenClicked, this, &TFormMain::btn_RGClick);
    connect(imageBox_, &ImageBox::clicked, this, &TFormMain::gointoweb);

    connect(menu_->open, &QAction::triggered, this, &TFormMain::btn_loadClick);
    connect(menu_->save, &QAction::triggered, this, &TFormMain::btn_saveClick);
    connect(menu_->quit, &QAction::triggered, this, &TFormMain::btn_closeClick);
    connect(menu_->exportSettings, &QAction::triggered, this, &TFormMain::exportSettings);
    connect(menu_->importSettings, &QAction::triggered, this, &TFormMain::importSettings);
    connect(menu_->takeOver, &QAction::triggered, this, &TFormMain::takeOverSettings);
    connect(menu_->discardAll, &QAction::triggered, this, &TFormMain::discardAllChanges);
    connect(menu_->consecutiveAddresses, &QAction::triggered, this, &TFormMain::consecutiveAddresses);
    connect(menu_->info, &QAction::triggered, this, &TFormMain::btn_infoClick);
    connect(menu_->about, &QAction::triggered, this, &TFormMain::showAbout);
    connect(menu_->print, &QAction::triggered, this, &TFormMain::printSheet);
    connect(menu_->pdf, &QAction::triggered, this, &TFormMain::saveSheetAsPdf);
    connect(menu_, &MainMenu::recentFileChosen, this, &TFormMain::openRecent);
    menu_->setRecentFiles(recent_->files());
    connect(recent_, &RecentFiles::changed, this, [this] { menu_->setRecentFiles(recent_->files()); });
    Dialogs::setStartFolder(recent_->lastFolder());

    // The grid and the extra value are views of the document: what is typed goes in as steps.
    connect(document_, &FirmwareDocument::changed, this, &TFormMain::showDocument);
    connect(document_, &FirmwareDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(grid_, &ParameterGridBox::addressEdited, this, [this](int row, const QString& text) {
        document_->grid().setAddress(row, hq::FieldValue::fromText(text.toStdString()));
    });
    connect(grid_, &ParameterGridBox::functionEdited, this, [this](int row, const QString& text) {
        document_->grid().setFunction(row, hq::FieldValue::fromText(text.toStdString()));
    });
    connect(zusatz_->extraEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!showingDocument_) {
            document_->grid().setExtra(hq::FieldValue::fromText(text.toStdString()));
        }
    });
    connect(grid_, &ParameterGridBox::entryFinished, document_, &FirmwareDocument::finishEntry);
    connect(zusatz_->extraEdit(), &QLineEdit::editingFinished, document_, &FirmwareDocument::finishEntry);
    qApp->installEventFilter(this);
    // The help line follows the row the user is in.
    focusFollower_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const int row = grid_->rowOf(now);
        if (row > 0 && row != focusedRow_) {
            focusedRow_ = row;
            showAddressHelp();
        }
    });

    move(20, 20);
    resetLayout();
    enableFirmwareActions();
}

TFormMain::~TFormMain() {
    // The base class destructors hide the window, which moves the focus; by then this object is only
    // a QWidget, so nothing of it may still be called from outside.
    disconnect(focusFollower_);
    qApp->removeEventFilter(this);
    // Editors may hold widgets of this window; they go before the window's children.
    editors_.clear();
}

const hq::Firmware* TFormMain::firmware() const {
    return document_->isLoaded() ? &document_->firmware() : nullptr;
}

void TFormMain::addEditor(std::unique_ptr<PanelEditor> editor) {
    if (editor) {
        editor->reset();
        editors_.push_back(std::move(editor));
    }
}

int TFormMain::menuHeight() const {
    return menuBar()->isHidden() ? 0 : menuBar()->sizeHint().height();
}

void TFormMain::resetLayout() {
    setMinimumSize(kMinimumWidth, kMinimumHeight + menuHeight());
    resize(kMinimumWidth, kMinimumHeight + menuHeight());
    buttons_->setGeometry(kGap, kButtonRowTop, kButtonBoxWidth, kButtonRowHeight);
    imageBox_->setGeometry(ZusatzPanel::kLeft, kButtonRowTop, ZusatzPanel::kWidth, kButtonRowHeight);
    grid_->clear();
    zusatz_->clear();
}

void TFormMain::enableFirmwareActions() {
    const bool loaded = document_->isLoaded();
    buttons_->saveButton()->setEnabled(loaded);
    buttons_->infoButton()->setEnabled(loaded);
    menu_->setFirmwareLoaded(loaded);
}

void TFormMain::showEditorArea(QWidget* area) {
    if (area == nullptr) {
        return;
    }
    if (area->parentWidget() != centralWidget()) {
        area->setParent(centralWidget());
    }
    const QSize wanted = area->sizeHint();
    const EditorRoom room =
        makeRoom(QSize(kEditorLeft + wanted.width() + kGap, kGap + wanted.height() + kGap));
    area->setGeometry(QRect(room.area.topLeft(), room.area.size()));
    area->show();
}

void TFormMain::showStatusNote(const QString& text) {
    statusBar()->showMessage(text, 8000);
}

void TFormMain::showManualPage(const QString& page) {
    showManual(this, page);
}

QWidget* TFormMain::panelParent() {
    return centralWidget();
}

EditorRoom TFormMain::editorRoom() const {
    // From the window's size rather than the client area's: a hidden window lays its client area out
    // only when it is shown.
    const int statusHeight = status_->isHidden() ? 0 : status_->sizeHint().height();
    const QPoint bottomRight(width() - kGap - 1, height() - menuHeight() - statusHeight - kGap - 1);
    EditorRoom room;
    room.area = QRect(QPoint(kEditorLeft, kGap), bottomRight);
    room.buttonRowTop = kButtonRowTop;
    room.lowerLeft = imageBox_->geometry().right() + 1 + kGap;
    return room;
}

EditorRoom TFormMain::makeRoom(QSize size) {
    // The editors measure the window without the menu bar, which the window adds on top.
    const QSize wanted = size.expandedTo(QSize(kMinimumWidth, kMinimumHeight)) + QSize(0, menuHeight());
    setMinimumSize(wanted);
    resize(wanted);
    buttons_->setGeometry(kGap, kButtonRowTop, kNarrowButtonBoxWidth, kButtonRowHeight);
    imageBox_->setGeometry(kGap + kNarrowButtonBoxWidth + kNarrowImageGap, kButtonRowTop,
                           kNarrowImageBoxWidth, kButtonRowHeight);
    return editorRoom();
}

HouseMinimumControls TFormMain::houseMinimumControls() {
    return {zusatz_->minimumCaptionLabel(), zusatz_->minimumEdit(), zusatz_->minimumUpDown()};
}

QString TFormMain::documentName() const {
    return QFileInfo(document_->path()).fileName();
}

bool TFormMain::maySwitchAway() {
    if (!document_->isModified()) {
        return true;
    }
    switch (askSaveDiscardCancel(
        this, tr("Die Änderungen an %1 sind noch nicht gespeichert.").arg(documentName()))) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void TFormMain::btn_loadClick() {
    if (!maySwitchAway()) {
        return;
    }
    const QString path = Dialogs::instance().openFileName(this, hexFileFilter());
    if (!path.isEmpty()) {
        loadFile(path);
    }
}

void TFormMain::openAfterAsking(const QString& path) {
    if (maySwitchAway()) {
        loadFile(path);
    }
}

void TFormMain::openRecent(const QString& path) {
    if (!maySwitchAway()) {
        return;
    }
    if (!loadFile(path) && !QFileInfo::exists(path)) {
        recent_->remove(path);
    }
}

bool TFormMain::loadFile(const QString& path) {
    // Read into a firmware of its own first: a refused file leaves everything as it was.
    hq::Result<hq::Firmware> loaded = hq::loadFirmwareFile(localPath(path));
    if (!loaded) {
        warningOk(this, QString::fromStdString(loaded.message()));
        return false;
    }
    // A text that is no known firmware is refused as a whole: taking it in would show an empty grid
    // under its name and let "HEX speichern" write it out with EEPROM records made up for it.
    if (!loaded->recognition.hasCaptions()) {
        warningOk(this, QString::fromStdString(hq::unrecognisedFileMessage(loaded->image)));
        return false;
    }
    for (const auto& editor : editors_) {
        editor->reset();
    }
    focusedRow_ = 0;
    document_->load(std::move(loaded.value()), path);
    showFirmware(path);
    recent_->add(path);
    Dialogs::setStartFolder(recent_->lastFolder());
    return true;
}

void TFormMain::showFirmware(const QString& path) {
    const hq::Firmware& firmware = document_->firmware();
    const hq::Recognition& recognition = firmware.recognition;
    resetLayout();

    status_->setPanelText(StatusPanelBar::HardwareMark, QString::fromStdString(firmware.scan.hardwareMark));
    status_->setPanelText(StatusPanelBar::Version, QString::fromStdString(firmware.scan.version));
    status_->setPanelText(StatusPanelBar::Protocol, QString::fromStdString(recognition.protocolStatus));
    status_->setPanelText(StatusPanelBar::Caption, qs(recognition.statusCaption()));
    showFileName(path);

    if (const auto& extra = recognition.extra()) {
        zusatz_->showExtra(qs(extra->caption), qs(extra->hint));
        setHint(zusatz_->extraEdit(), qs(extra->hint));
    }
    if (recognition.panel() != hq::Panel::None) {
        for (const auto& editor : editors_) {
            if (editor->panel() == recognition.panel()) {
                editor->setUp(*document_, *this);
                break;
            }
        }
    }

    grid_->showFirmware(recognition);
    showDocument();
    fillGrid();
    enableFirmwareActions();
    if (const std::string warning = hq::badRecordWarning(firmware.image); !warning.empty()) {
        warningOk(this, QString::fromStdString(warning));
    }
    // Ready to type: the first shown row's address.
    for (int row = 1; row < hq::kRowCount; ++row) {
        QLineEdit* address = grid_->addressEdit(row);
        if (!address->isHidden()) {
            address->setFocus(Qt::OtherFocusReason);
            address->selectAll();
            break;
        }
    }
}

void TFormMain::showDocument() {
    if (!document_->isLoaded()) {
        return;
    }
    const hq::FirmwareSettings& edited = document_->edited();
    const hq::FirmwareSettings& file = document_->fileSettings();
    grid_->showValues(edited, file, document_->firmware().recognition.type == hq::DecoderType::Schalt);
    QLineEdit* extra = zusatz_->extraEdit();
    if (hq::FieldValue::fromText(extra->text().toStdString()) != edited.extra) {
        showingDocument_ = true;
        extra->setText(QString::fromStdString(edited.extra.text()));
        showingDocument_ = false;
    }
    setChangeMark(extra, edited.extra != file.extra, QString::fromStdString(file.extra.text()));
    showAddressHelp();
}

namespace {

// The rows as the user has typed them; a text that is no number gets no help.
hq::RowTable typedRows(const hq::FirmwareSettings& settings, const hq::Recognition& recognition) {
    hq::RowTable rows;
    for (int row = 0; row < hq::kRowCount; ++row) {
        const hq::RowSetting& setting = settings.rows.at(row);
        const std::optional<int> address = setting.address.number();
        hq::RowValues& values = rows.at(static_cast<std::size_t>(row));
        values.shown = address.has_value() && hq::rowShown(recognition, row);
        values.address = address.value_or(0);
        values.redGreen = setting.redGreen;
        values.function = setting.function.numberOr(0);
    }
    return rows;
}

} // namespace

void TFormMain::showAddressHelp() {
    if (!document_->isLoaded()) {
        return;
    }
    const hq::Firmware& firmware = document_->firmware();
    const hq::Recognition& recognition = firmware.recognition;
    const hq::RowTable rows = typedRows(document_->edited(), recognition);
    const hq::EepromLineMap lines = hq::eepromLineMap(firmware.image);
    QString helpLine;
    int shownRow = focusedRow_;
    for (int row = 1; row < hq::kRowCount; ++row) {
        if (!hq::rowShown(recognition, row)) {
            continue;
        }
        if (shownRow == 0) {
            shownRow = row;
        }
        const hq::AddressHelp help =
            hq::addressHelp(recognition.protocol, recognition.type, rows, row, lines);
        QStringList warnings;
        for (const hq::HelpWarning& warning : help.warnings) {
            warnings << QString::fromStdString(warning.text);
        }
        grid_->showRowHelp(row,
                           rows.at(static_cast<std::size_t>(row)).shown ? QString::fromStdString(help.text())
                                                                        : QString(),
                           warnings);
        if (row == shownRow) {
            QString first = qs(recognition.rowCaption(row)) + QStringLiteral(": ") +
                            QString::fromStdString(help.headline);
            for (const std::string& numbering : help.numbering) {
                first += QStringLiteral(" · ") + QString::fromStdString(numbering);
            }
            helpLine = first;
            if (!warnings.isEmpty()) {
                helpLine += QStringLiteral("\n⚠ ") + warnings.join(QStringLiteral(" ⚠ "));
            } else if (!help.notes.empty()) {
                helpLine += QStringLiteral("\n") + QString::fromStdString(help.notes.front());
            }
            if (!rows.at(static_cast<std::size_t>(row)).shown) {
                helpLine = qs(recognition.rowCaption(row)) + tr(": keine gültige Adresse");
            }
        }
    }
    grid_->showHelpLine(helpLine);
}

void TFormMain::consecutiveAddresses() {
    if (!document_->isLoaded()) {
        return;
    }
    const hq::Recognition& recognition = document_->firmware().recognition;
    std::vector<int> shown;
    for (int row = 1; row < hq::kRowCount; ++row) {
        if (hq::rowShown(recognition, row)) {
            shown.push_back(row);
        }
    }
    if (shown.empty()) {
        return;
    }
    const int from = focusedRow_ > 0 && hq::rowShown(recognition, focusedRow_) ? focusedRow_ : shown.front();
    const QString caption = qs(recognition.rowCaption(from));
    const std::optional<int> start = document_->edited().rows.at(from).address.number();
    if (!start || *start < 1 || *start > recognition.maxAddress) {
        warningOk(this, tr("Die Adresse von <%1> ist keine gültige Adresse (1 bis %2): fortlaufende Adressen "
                           "beginnen bei ihr.")
                            .arg(caption)
                            .arg(recognition.maxAddress));
        return;
    }
    std::vector<int> after;
    for (int row : shown) {
        if (row > from) {
            after.push_back(row);
        }
    }
    if (after.empty()) {
        return;
    }
    const int last = *start + static_cast<int>(after.size());
    if (last > recognition.maxAddress) {
        warningOk(this, tr("Fortlaufend ab %1 reichten die Adressen bis %2; die höchste Adresse ist %3. "
                           "Nichts wurde geändert.")
                            .arg(*start)
                            .arg(last)
                            .arg(recognition.maxAddress));
        return;
    }
    document_->grid().setConsecutiveAddresses(tr("Adressen ab <%1> fortlaufend").arg(caption), after, *start);
}

void TFormMain::fillGrid() {
    // The values are decoded already; the bar only marks the pass over the outputs.
    QProgressBar* progress = buttons_->progressBar();
    progress->setMaximum(hq::kRowCount);
    for (int row = 0; row < hq::kRowCount; ++row) {
        progress->setValue(row + 1);
    }
    progress->setValue(0);
}

void TFormMain::showFileName(const QString& path) {
    status_->setPanelText(StatusPanelBar::FileName, path);
    setWindowTitle(kCaption + QStringLiteral(" – ") + QFileInfo(path).fileName() + QStringLiteral("[*]"));
    setWindowModified(document_->isModified());
}

void TFormMain::btn_RGClick(int row) {
    if (!document_->isLoaded() || row < 0 || row >= hq::kRowCount) {
        return;
    }
    document_->grid().toggleRedGreen(row);
}

void TFormMain::btn_saveClick() {
    save();
}

bool TFormMain::save() {
    if (!document_->isLoaded()) {
        return false;
    }
    if (document_->hasPendingEditorChanges()) {
        if (!askYesNo(this, QStringLiteral("Geänderte Werte übernehmen?"))) {
            return false;
        }
        document_->acceptEditorChanges();
    }
    const hq::FirmwareSettings settings = document_->edited();
    hq::Firmware saved = document_->firmware();
    if (const auto problem = hq::applySettings(saved, settings, hq::ApplyOptions{true})) {
        warningCancel(this, QString::fromStdString(problem->message));
        focusProblem(*problem);
        return false;
    }
    // A HELL level the file cannot hold is saved only when the user agrees to what it becomes.
    if (const auto conflict = hq::neonHellConflict(document_->firmware(), settings)) {
        if (!askSaveCancel(this, QString::fromStdString(conflict->message) + tr("\n\nTrotzdem speichern?"))) {
            return false;
        }
    }

    const QString path = Dialogs::instance().saveFileName(this, hexFileFilter(), QStringLiteral("hex"),
                                                          status_->panelText(StatusPanelBar::FileName));
    if (path.isEmpty() || !writeFile(path, saved)) {
        return false;
    }
    // The saved file as a reload reads it: what the window shows from now on.
    hq::Result<hq::Firmware> reloaded = hq::loadFirmware(hq::hexImageText(saved.image));
    document_->markSaved(reloaded ? std::move(*reloaded) : std::move(saved), path);
    recent_->add(path);
    Dialogs::setStartFolder(recent_->lastFolder());
    showFileName(path);
    return true;
}

void TFormMain::focusProblem(const hq::ApplyProblem& problem) {
    QLineEdit* edit = nullptr;
    switch (problem.field) {
    case hq::FocusField::Extra:
        edit = zusatz_->extraEdit();
        break;
    case hq::FocusField::Address:
        edit = grid_->addressEdit(problem.row);
        break;
    case hq::FocusField::Function:
        edit = grid_->functionEdit(problem.row);
        break;
    case hq::FocusField::None:
        break;
    }
    if (edit != nullptr) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

bool TFormMain::writeFile(const QString& path, const hq::Firmware& firmware) {
    // The file is written beside the target, flushed to the disk and renamed over it only when
    // complete. (QSaveFile was not used: on a full tmpfs it reported success and left an empty file
    // in place of the old one.)
    const hq::Status written = hq::io::writeFileReplacing(localPath(path), hq::hexImageText(firmware.image));
    if (!written) {
        warningOk(this, QStringLiteral("Das HEX-File konnte nicht gespeichert werden:\n%1\n\n%2")
                            .arg(path, QString::fromStdString(written.message())));
    }
    return written.ok();
}

void TFormMain::discardAllChanges() {
    document_->discardAllChanges();
}

void TFormMain::printSheet() {
    if (!document_->isLoaded()) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    prepareSheetPage(printer);
    printer.setDocName(QFileInfo(document_->path()).completeBaseName());
    if (!Dialogs::instance().choosePrinter(this, printer)) {
        return;
    }
    if (paintSettingsSheet(printer, document_->firmware(), document_->shown(), document_->path()) == 0) {
        warningOk(this, tr("Das Einstellungs-Blatt konnte nicht gedruckt werden."));
    }
}

void TFormMain::saveSheetAsPdf() {
    if (!document_->isLoaded()) {
        return;
    }
    const QString proposed = QFileInfo(document_->path()).completeBaseName() + QStringLiteral(".pdf");
    const QString path = Dialogs::instance().saveFileName(this, QStringLiteral("PDF (*.pdf);;*.* (*)"),
                                                          QStringLiteral("pdf"), proposed);
    if (path.isEmpty()) {
        return;
    }
    QString error;
    if (!saveSettingsSheetPdf(path, document_->firmware(), document_->shown(), document_->path(), &error)) {
        warningOk(this, error);
    }
}

void TFormMain::showAbout() {
    Dialogs::instance().message(
        this, QMessageBox::Information,
        tr("HEX Quendrabolt 0.41\n\n"
           "Konfiguriert die Firmware von Modellbahn-Dekodern im Intel-HEX-Format: Adressen, Rot/Grün, "
           "Funktions-Nummern, Zusatzwerte, Servo-Kurven und Lichtmuster ändern und als neue HEX-Datei "
           "speichern, die ein Programmiergerät in den PIC brennt.\n\n"
           "Lizenz: GNU GPL, Version 3 oder später\n%1")
            .arg(kWebPage),
        QMessageBox::Ok);
}

void TFormMain::btn_closeClick() {
    close();
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (maySwitchAway()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TFormMain::btn_infoClick() {
    if (!document_->isLoaded()) {
        return;
    }
    TfrmInfo dialog(&document_->firmware(), this);
    dialog.exec();
}

void TFormMain::gointoweb() {
    Dialogs::instance().openUrl(QUrl(kWebPage));
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void TFormMain::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // Loaded after the drop has finished, so a message box does not hold up the dragging program.
    QMetaObject::invokeMethod(
        this, [this, path] { openAfterAsking(path); }, Qt::QueuedConnection);
}

void TFormMain::keyPressEvent(QKeyEvent* event) {
    // A push button ignores Enter and Return outside a dialog; the key comes up to the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        if (button != nullptr && button->isEnabled() && button->isVisible() && button->menu() == nullptr &&
            isAncestorOf(button)) {
            event->accept();
            button->click();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    // A line edit claims Ctrl+Z for its own undo; left unclaimed, the keys reach the window's undo
    // and redo, which know every step (R/G, drawn curves) and not just the text.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this && isUndoOrRedo(static_cast<QKeyEvent*>(event))) {
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

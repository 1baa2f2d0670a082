#include "TFormMain.h"

#include "AddressHelpPresenter.h"
#include "ButtonBox.h"
#include "ClientArea.h"
#include "Dialogs.h"
#include "EditorArea.h"
#include "FileController.h"
#include "ImageBox.h"
#include "MainMenu.h"
#include "NumberField.h"
#include "ParameterGridBox.h"
#include "RecentFiles.h"
#include "SettingsTransfer.h"
#include "StatusPanelBar.h"
#include "UndoKeys.h"
#include "ZusatzPanel.h"
#include "document/FirmwareDocument.h"
#include "help/ShowManual.h"
#include "pictures/Pictures.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

namespace {

const QString kCaption = QStringLiteral("Hex Quendra V0.41");

// A single local file, as a drop brings it.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

TFormMain::TFormMain(QWidget* parent)
    : QMainWindow(parent), document_(new FirmwareDocument(this)), status_(new StatusPanelBar(this)) {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(kCaption);
    setWindowIcon(pictures::windowIcon());
    setAcceptDrops(true);
    setStatusBar(status_);
    buildClientArea();
    menu_ = new MainMenu(this, document_->undoStack());
    files_ = new FileController(*this, *document_);
    transfer_ = new SettingsTransfer(*this, *document_);
    help_ = new AddressHelpPresenter(*document_, *grid_, this);
    new UndoKeys(*this);
    connectMenu();

    connect(files_, &FileController::aboutToLoad, this, &TFormMain::resetEditors);
    connect(files_, &FileController::fileLoaded, this, &TFormMain::showLoadedFile);
    connect(files_, &FileController::problemFound, this, &TFormMain::focusProblem);
    connect(files_, &FileController::note, this, &TFormMain::showStatusNote);
    connect(document_, &FirmwareDocument::reloaded, this, &TFormMain::showFirmware);
    connect(document_, &FirmwareDocument::changed, this, &TFormMain::showChange);
    connect(document_, &FirmwareDocument::modifiedChanged, this, &QWidget::setWindowModified);
    arrange();
}

TFormMain::~TFormMain() {
    // Editors may hold widgets of this window; they go first. Then the views, while the window is
    // still whole: whatever their going away sets off (the focus leaving a field) finds it intact.
    editors_.clear();
    delete takeCentralWidget();
}

void TFormMain::buildClientArea() {
    grid_ = new ParameterGridBox(*document_);
    zusatz_ = new ZusatzPanel(*document_);
    buttons_ = new ButtonBox;
    imageBox_ = new ImageBox;
    // Today's least size of the client area (the status bar counts to it); more when the fonts, the
    // firmware or an editor need more, which the layouts tell the window.
    client_ = new ClientArea({grid_, zusatz_, buttons_, imageBox_},
                             QSize(kMinimumWidth, kMinimumHeight - status_->sizeHint().height()), this);
    area_ = client_->editorArea();
    setCentralWidget(client_);
    connect(buttons_->loadButton(), &QPushButton::clicked, this, [this] { files_->open(); });
    connect(buttons_->saveButton(), &QPushButton::clicked, this, [this] { files_->save(); });
    connect(buttons_->closeButton(), &QPushButton::clicked, this, &QWidget::close);
    connect(buttons_->infoButton(), &QPushButton::clicked, this, [this] { files_->showInfo(); });
    connect(imageBox_, &ImageBox::clicked, this,
            [] { Dialogs::instance().openUrl(QUrl(MainMenu::kWebPage)); });
}

void TFormMain::connectMenu() {
    connect(menu_->open, &QAction::triggered, files_, &FileController::open);
    connect(menu_->save, &QAction::triggered, files_, &FileController::save);
    connect(menu_->quit, &QAction::triggered, this, &QWidget::close);
    connect(menu_->exportSettings, &QAction::triggered, transfer_, &SettingsTransfer::exportSettings);
    connect(menu_->importSettings, &QAction::triggered, transfer_, &SettingsTransfer::importSettings);
    connect(menu_->takeOver, &QAction::triggered, transfer_, &SettingsTransfer::takeOverSettings);
    connect(menu_->discardAll, &QAction::triggered, document_, &FirmwareDocument::discardAllChanges);
    connect(menu_->consecutiveAddresses, &QAction::triggered, this, [this] {
        if (const auto refusal = document_->grid().setConsecutiveAddressesFrom(grid_->focusedRow()))
            warningOk(this, *refusal);
    });
    connect(menu_->info, &QAction::triggered, files_, &FileController::showInfo);
    connect(menu_->print, &QAction::triggered, files_, &FileController::printSheet);
    connect(menu_->pdf, &QAction::triggered, files_, &FileController::saveSheetAsPdf);
    RecentFiles* recent = files_->recentFiles();
    connect(menu_, &MainMenu::recentFileChosen, files_, &FileController::openRecent);
    menu_->setRecentFiles(recent->files());
    connect(recent, &RecentFiles::changed, menu_, [this, recent] { menu_->setRecentFiles(recent->files()); });
    buttons_->saveButton()->setEnabled(false);
    buttons_->infoButton()->setEnabled(false);
}

void TFormMain::addEditor(std::unique_ptr<PanelEditor> editor) {
    if (editor) {
        editor->reset();
        editors_.push_back(std::move(editor));
    }
}

bool TFormMain::loadFile(const QString& path) {
    return files_->loadFile(path);
}

const hq::Firmware* TFormMain::firmware() const {
    return document_->isLoaded() ? &document_->firmware() : nullptr;
}

void TFormMain::resetEditors() {
    for (const auto& editor : editors_)
        editor->reset();
    area_->clear();
}

void TFormMain::showFirmware() {
    // The editor's set-up may ask for room several times; the window is arranged once, below.
    settingUp_ = true;
    const hq::Panel panel = document_->firmware().recognition.panel();
    for (const auto& editor : editors_) {
        if (panel != hq::Panel::None && editor->panel() == panel) {
            editor->setUp(*document_, *this);
            break;
        }
    }
    settingUp_ = false;
    buttons_->saveButton()->setEnabled(true);
    buttons_->infoButton()->setEnabled(true);
    menu_->setFirmwareLoaded(true);
    arrange();
}

void TFormMain::showLoadedFile() {
    // Sized once everything shows: the rows, the editor and the help line of the focused row.
    grid_->focusFirstRow();
    arrange();
    fitToContents(true);
}

void TFormMain::showChange(const DocumentChange& change) {
    // The file behind the document is another after a load or a save.
    if (!change.touches(DocumentChange::Area::Baseline))
        return;
    // A note about the file before (a stroke that changed nothing) is not about this one.
    statusBar()->clearMessage();
    status_->showFirmware(document_->firmware(), document_->path());
    setWindowTitle(kCaption + QStringLiteral(" – ") + QFileInfo(document_->path()).fileName() +
                   QStringLiteral("[*]"));
    setWindowModified(document_->isModified());
}

void TFormMain::makeRoomLater() {
    if (settingUp_ || roomPending_)
        return;
    roomPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            roomPending_ = false;
            arrange();
            fitToContents(false);
        },
        Qt::QueuedConnection);
}

void TFormMain::arrange() {
    zusatz_->setVisible(document_->isLoaded() && zusatz_->hasExtra());
    client_->arrange(area_->inUse());
}

void TFormMain::fitToContents(bool shrink) {
    fitted_ = true;
    // Layouts settle on the next turn of the event loop; the window's size is decided now, so what
    // the views need is worked out again from the inside out, and the window's own layout sets its
    // least size from theirs.
    client_->settle();
    layout()->invalidate();
    layout()->activate();
    const QSize wanted = minimumSizeHint();
    resize(shrink ? wanted : size().expandedTo(wanted));
}

void TFormMain::focusProblem(hq::FocusField field, int row) {
    QLineEdit* edit = nullptr;
    switch (field) {
    case hq::FocusField::Extra:
        edit = zusatz_->extraEdit();
        break;
    case hq::FocusField::Address:
        edit = grid_->addressEdit(row);
        break;
    case hq::FocusField::Function:
        edit = grid_->functionEdit(row);
        break;
    case hq::FocusField::None:
        break;
    }
    if (edit != nullptr) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

void TFormMain::showEditorArea(QWidget* area) {
    area_->showEditor(area);
    makeRoomLater();
}

void TFormMain::showStatusNote(const QString& text) {
    statusBar()->showMessage(text, 8000);
}

void TFormMain::showManualPage(const QString& page) {
    showManual(this, page);
}

void TFormMain::showEvent(QShowEvent* event) {
    // Sized when first shown, unless a file loaded before has sized it already.
    if (!fitted_)
        fitToContents(true);
    QMainWindow::showEvent(event);
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (files_->maySwitchAway())
        event->accept();
    else
        event->ignore();
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Loaded after the drop has finished, so a message box does not hold up the dragging program.
    QMetaObject::invokeMethod(
        files_, [this, path] { files_->openDropped(path); }, Qt::QueuedConnection);
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

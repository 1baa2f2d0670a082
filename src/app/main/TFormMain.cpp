#include "TFormMain.h"

#include "ButtonBox.h"
#include "Dialogs.h"
#include "Dlg_info.h"
#include "ImageBox.h"
#include "ParameterGridBox.h"
#include "StatusPanelBar.h"
#include "ZusatzPanel.h"
#include "encode/SaveEncoder.h"
#include "image/RecognitionFailure.h"
#include "image/TextFile.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>

namespace {

const QString kCaption = QStringLiteral("Hex Quendra V0.41");
const QString kHexFilter = QStringLiteral("HEX (*.hex);;TXT (*.txt);;*.* (*)");
const QString kWebPage = QStringLiteral("https://hexquendrabolt.example.org/");

// The client area: GroupBoxMain at (5, 5), 400 x 475, the button row 5 below it, and the editors'
// room right of the grid.
constexpr int kGap = 5;
constexpr int kButtonRowTop = 485; // 5 below GroupBoxMain (5 + 475)
constexpr int kButtonRowHeight = 80;
constexpr int kButtonBoxWidth = 400;
constexpr int kEditorLeft = 410;
// Beside an editor the button row narrows, the picture box following it 3 pixels to its right.
constexpr int kNarrowButtonBoxWidth = 297;
constexpr int kNarrowImageGap = 3;
constexpr int kNarrowImageBoxWidth = 230;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A single local file, as a drop brings it.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

TFormMain::TFormMain(QWidget* parent)
    : QMainWindow(parent), grid_(nullptr), zusatz_(nullptr), buttons_(nullptr), imageBox_(nullptr),
      status_(new StatusPanelBar(this)) {
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

    connect(buttons_->loadButton(), &QPushButton::clicked, this, &TFormMain::btn_loadClick);
    connect(buttons_->saveButton(), &QPushButton::clicked, this, &TFormMain::btn_saveClick);
    connect(buttons_->closeButton(), &QPushButton::clicked, this, &TFormMain::btn_closeClick);
    connect(buttons_->infoButton(), &QPushButton::clicked, this, &TFormMain::btn_infoClick);
    connect(grid_, &ParameterGridBox::redGreenClicked, this, &TFormMain::btn_RGClick);
    connect(imageBox_, &ImageBox::clicked, this, &TFormMain::gointoweb);

    move(20, 20);
    resetLayout();
    enableFirmwareButtons();
}

TFormMain::~TFormMain() {
    // Editors may hold widgets of this window; they go before the window's children.
    editors_.clear();
}

void TFormMain::addEditor(std::unique_ptr<PanelEditor> editor) {
    if (editor) {
        editor->reset();
        editors_.push_back(std::move(editor));
    }
}

void TFormMain::resetLayout() {
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kMinimumWidth, kMinimumHeight);
    buttons_->setGeometry(kGap, kButtonRowTop, kButtonBoxWidth, kButtonRowHeight);
    imageBox_->setGeometry(ZusatzPanel::kLeft, kButtonRowTop, ZusatzPanel::kWidth, kButtonRowHeight);
    grid_->clear();
    zusatz_->clear();
}

void TFormMain::enableFirmwareButtons() {
    const bool loaded = firmware_ != nullptr;
    buttons_->saveButton()->setEnabled(loaded);
    buttons_->infoButton()->setEnabled(loaded);
}

QWidget* TFormMain::panelParent() {
    return centralWidget();
}

EditorRoom TFormMain::editorRoom() const {
    // From the window's size rather than the client area's: a hidden window lays its client area out
    // only when it is shown.
    const int statusHeight = status_->isHidden() ? 0 : status_->sizeHint().height();
    const QPoint bottomRight(width() - kGap - 1, height() - statusHeight - kGap - 1);
    EditorRoom room;
    room.area = QRect(QPoint(kEditorLeft, kGap), bottomRight);
    room.buttonRowTop = kButtonRowTop;
    room.lowerLeft = imageBox_->geometry().right() + 1 + kGap;
    return room;
}

EditorRoom TFormMain::makeRoom(QSize size) {
    const QSize wanted = size.expandedTo(QSize(kMinimumWidth, kMinimumHeight));
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

void TFormMain::btn_loadClick() {
    const QString path = Dialogs::instance().openFileName(this, kHexFilter);
    if (!path.isEmpty()) {
        loadFile(path);
    }
}

bool TFormMain::loadFile(const QString& path) {
    // Read into a firmware of its own first: a refused file leaves everything as it was.
    hq::Result<hq::Firmware> loaded = hq::loadFirmwareFile(QFile::encodeName(path).toStdString());
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
    firmware_ = std::make_unique<hq::Firmware>(std::move(loaded.value()));
    showFirmware(path);
    return true;
}

void TFormMain::showFirmware(const QString& path) {
    const hq::Recognition& recognition = firmware_->recognition;
    resetLayout();

    status_->setPanelText(StatusPanelBar::HardwareMark, QString::fromStdString(firmware_->scan.hardwareMark));
    status_->setPanelText(StatusPanelBar::Version, QString::fromStdString(firmware_->scan.version));
    status_->setPanelText(StatusPanelBar::Protocol, QString::fromStdString(recognition.protocolStatus));
    status_->setPanelText(StatusPanelBar::Caption, qs(recognition.statusCaption()));
    showFileName(path);

    if (const auto& extra = recognition.extra()) {
        zusatz_->showExtra(qs(extra->caption), qs(extra->hint));
    }
    if (recognition.panel() != hq::Panel::None) {
        for (const auto& editor : editors_) {
            if (editor->panel() == recognition.panel()) {
                editor->setUp(*firmware_, *this);
                break;
            }
        }
    }

    const hq::GridTexts texts = hq::gridTextsFor(firmware_->parameters);
    grid_->showFirmware(recognition, texts);
    zusatz_->extraEdit()->setText(QString::fromStdString(texts.extra));
    if (const std::string warning = hq::badRecordWarning(firmware_->image); !warning.empty()) {
        warningOk(this, QString::fromStdString(warning));
    }

    fillGrid();
    colourAddresses();
    enableFirmwareButtons();
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
    setWindowTitle(kCaption + QStringLiteral(" - ") + QFileInfo(path).fileName());
}

void TFormMain::colourAddresses() {
    if (firmware_) {
        grid_->colourAddresses(firmware_->parameters, firmware_->recognition.type == hq::DecoderType::Schalt);
    }
}

void TFormMain::btn_RGClick(int row) {
    if (!firmware_ || row < 0 || row >= hq::kRowCount) {
        return;
    }
    int& flag = firmware_->parameters.rows.at(row).redGreen;
    flag = flag == 1 ? 0 : 1;
    colourAddresses();
}

void TFormMain::btn_saveClick() {
    if (!firmware_ || !takeOverPendingChanges()) {
        return;
    }
    hq::GridTexts texts;
    grid_->readTexts(texts);
    texts.extra = zusatz_->extraEdit()->text().toStdString();
    if (const auto problem = hq::applyGrid(*firmware_, texts)) {
        warningCancel(this, QString::fromStdString(problem->message));
        focusProblem(*problem);
        return;
    }

    const QString path = Dialogs::instance().saveFileName(this, kHexFilter, QStringLiteral("hex"),
                                                          status_->panelText(StatusPanelBar::FileName));
    if (path.isEmpty() || !writeFile(path)) {
        return;
    }
    showFileName(path);
}

bool TFormMain::takeOverPendingChanges() {
    for (const auto& editor : editors_) {
        if (!editor->hasPendingChanges()) {
            continue;
        }
        if (!askYesNo(this, QStringLiteral("Geänderte Werte übernehmen?"))) {
            return false;
        }
        editor->acceptChanges();
        // A table that could not be written has told the user why and stays pending: no save then.
        if (editor->hasPendingChanges()) {
            return false;
        }
    }
    return true;
}

void TFormMain::focusProblem(const hq::SaveProblem& problem) {
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

bool TFormMain::writeFile(const QString& path) {
    // The file is written beside the target, flushed to the disk and renamed over it only when
    // complete. (QSaveFile was not used: on a full tmpfs it reported success and left an empty file
    // in place of the old one.)
    const hq::Status written =
        hq::writeFileReplacing(QFile::encodeName(path).toStdString(), hq::hexImageText(firmware_->image));
    if (!written) {
        warningOk(this, QStringLiteral("Das HEX-File konnte nicht gespeichert werden:\n%1\n\n%2")
                            .arg(path, QString::fromStdString(written.message())));
    }
    return written.ok();
}

void TFormMain::btn_closeClick() {
    close();
}

void TFormMain::btn_infoClick() {
    if (!firmware_) {
        return;
    }
    TfrmInfo dialog(firmware_.get(), this);
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
        this, [this, path] { loadFile(path); }, Qt::QueuedConnection);
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

#include "light/PatternEditor.h"

#include "ChangeMark.h"
#include "Dialogs.h"
#include "EditorHost.h"
#include "Metrics.h"
#include "NumberEntry.h"
#include "document/FirmwareDocument.h"
#include "light/PatternCanvas.h"
#include "light/PatternPanel.h"
#include "preview/PatternPreviewWidget.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using State = FirmwareDocument::State;

// Steps typed into the count and the stretch field merge until the entry is finished.
constexpr int kPatternCountEntry = 1101;
constexpr int kPatternStretchEntry = 1102;

// Sets the text only when it differs, so the cursor stays where the user types.
void showNumber(QLineEdit* edit, int value) {
    QString text = QString::number(value);
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

PatternEditor::PatternEditor(const PatternPanelConfig& config, QWidget* parent)
    : panel_(new PatternPanel(config, parent)), preview_(new PatternPreviewWidget(config.outputs(), parent)),
      bank_(*config.layout) {
    preview_->setObjectName(config.prefix + QStringLiteral("vorschau"));
    preview_->adjustSize(); // its size before it is first shown: the editor places it by that
    preview_->hide();
    // The preview reads the working copy on every frame: edits show in its next steps.
    preview_->setSource([this] { return PatternSelection{document_ ? &bank_ : nullptr, currentAddress()}; });
    connect(preview_, &PatternPreviewWidget::stepShown, this, [this](int step) {
        for (int n = 1; n <= panel_->config().outputs(); ++n)
            panel_->canvas(n)->setPlayCursor(step);
    });
    connectControls();
}

PatternEditor::~PatternEditor() {
    disconnect(following_);
    // A panel still alive belongs to a window that outlives the editor; it goes with the editor.
    delete panel_.data();
    delete preview_.data();
}

void PatternEditor::connectControls() {
    const PatternPanelConfig& config = panel_->config();
    for (int a = 1; a <= hq::kPatternAddresses; ++a) {
        connect(panel_->addressButton(a), &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                rad_aClick();
        });
        connect(panel_->copyButton(a), &QPushButton::clicked, this, [this, a] { btn_copyClick(a); });
    }
    for (int n = 1; n <= config.outputs(); ++n) {
        connect(panel_->outputBox(n), &QCheckBox::clicked, this, [this, n] { cbx_outClick(n); });
        connect(panel_->canvas(n), &PatternCanvas::pointDrawn, this,
                [this, n](int step, int on) { imageDrawn(n, step, on != 0); });
        connect(panel_->canvas(n), &PatternCanvas::strokeStarted, this, [this] {
            if (document_)
                document_->beginStroke();
        });
        connect(panel_->canvas(n), &PatternCanvas::strokeFinished, this, [this, n] {
            if (document_)
                document_->endStroke(
                    QStringLiteral("Adresse %1, Out#%2 gezeichnet").arg(currentAddress()).arg(n));
        });
    }
    connect(panel_->countEdit(), &QLineEdit::textChanged, this, &PatternEditor::edt_AnzahlChange);
    connect(panel_->stretchEdit(), &QLineEdit::textChanged, this, &PatternEditor::edt_stretchChange);
    for (QLineEdit* edit : {panel_->countEdit(), panel_->stretchEdit()}) {
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            if (document_)
                document_->finishEntry();
        });
    }
    connect(panel_->loopBox(), &QCheckBox::clicked, this, &PatternEditor::cbx_loopClick);
    connect(panel_->discardButton(), &QPushButton::clicked, this, &PatternEditor::btn_verwerfenClick);
    connect(panel_->acceptButton(), &QPushButton::clicked, this, &PatternEditor::btn_uebernehmenClick);
}

PatternPanel* PatternEditor::panelWidget() const {
    return panel_;
}

hq::Panel PatternEditor::panel() const {
    return panel_->config().panel;
}

int PatternEditor::currentAddress() const {
    for (int a = 1; a <= hq::kPatternAddresses; ++a)
        if (panel_->addressButton(a)->isChecked())
            return a;
    return 1;
}

void PatternEditor::setUp(FirmwareDocument& document, EditorHost& host) {
    disconnect(following_);
    document_ = &document;
    following_ = connect(document_, &FirmwareDocument::changed, this, &PatternEditor::refresh);
    if (panel_->parentWidget() != host.panelParent())
        panel_->setParent(host.panelParent());
    const PatternPanelConfig& config = panel_->config();
    if (preview_->parentWidget() != host.panelParent())
        preview_->setParent(host.panelParent());
    // The preview goes below the panel where the room has space for it (right of the button row),
    // else into a column of its own right of the panel.
    EditorRoom room = host.makeRoom(QSize(PatternPanelConfig::kWindowWidth, config.windowHeight));
    panel_->fitInto(room);
    const int belowTop = panel_->geometry().bottom() + 1 + kPreviewGap;
    QRect below(QPoint(room.area.left(), belowTop), preview_->size());
    if (!room.holds(below))
        below.moveLeft(std::max(room.area.left(), room.lowerLeft));
    if (!room.holds(below)) {
        const int previewColumn = kPreviewGap + preview_->width() + kPreviewGap;
        room = host.makeRoom(QSize(PatternPanelConfig::kWindowWidth + previewColumn, config.windowHeight));
        panel_->fitInto(room);
        below = QRect(QPoint(room.area.left() + PatternPanel::kWidth + kPreviewGap, room.area.top()),
                      preview_->size());
    }
    preview_->move(below.topLeft());
    preview_->show();
    showing_ = true;
    panel_->addressButton(1)->setChecked(true);
    showing_ = false;
    panel_->show();
    refresh();
}

PatternPreviewWidget* PatternEditor::preview() const {
    return preview_;
}

void PatternEditor::reset() {
    // Hidden, the preview stops playing (another file is loaded).
    preview_->hide();
    // Hiding ends a stroke in progress; while the editor still follows the document, what it drew
    // becomes a step there and the document is not left inside a stroke.
    panel_->hide();
    disconnect(following_);
    document_ = nullptr;
    panel_->acceptButton()->setEnabled(false);
}

void PatternEditor::refresh() {
    if (!document_ || !document_->state().patterns)
        return;
    const State& state = document_->state();
    bank_.table() = state.patterns->table;
    showParameters();
    drawPatterns();
    preview_->refresh();
    panel_->acceptButton()->setEnabled(state.patterns != state.edited.patterns);
    markChanges();
}

void PatternEditor::markChanges() {
    const hq::FirmwareSettings& file = document_->fileSettings();
    if (!file.patterns)
        return;
    hq::PatternBank inFile(bank_.layout());
    inFile.table() = file.patterns->table;
    const int stored = bank_.layout().programBlocks * 256 - (bank_.layout().shortBlock1 ? 1 : 0);
    for (int a = 1; a <= hq::kPatternAddresses; ++a) {
        const auto first = static_cast<std::ptrdiff_t>((a - 1) * bank_.layout().blockSize);
        const auto last = static_cast<std::ptrdiff_t>(std::min(a * bank_.layout().blockSize, stored));
        const bool changed = !std::equal(bank_.table().begin() + first, bank_.table().begin() + last,
                                         inFile.table().begin() + first);
        setChangeMark(panel_->addressButton(a), changed, QString());
    }
    const int address = currentAddress();
    setChangeMark(panel_->countEdit(), bank_.count(address) != inFile.count(address),
                  QString::number(inFile.count(address)));
    setChangeMark(panel_->stretchEdit(), bank_.stretch(address) != inFile.stretch(address),
                  QString::number(inFile.stretch(address)));
}

void PatternEditor::showParameters() {
    const int address = currentAddress();
    showing_ = true;
    for (int a = 1; a <= hq::kPatternAddresses; ++a)
        panel_->copyButton(a)->setEnabled(a != address);

    // A count or stretch the firmware holds outside its range is shown within it.
    const int count = bank_.count(address);
    const int stretch = bank_.stretch(address);
    showNumber(panel_->countEdit(), count);
    showNumber(panel_->stretchEdit(), stretch);
    panel_->loopBox()->setChecked(bank_.loop(address));
    for (int n = 1; n <= panel_->config().outputs(); ++n)
        panel_->outputBox(n)->setChecked(bank_.outputUsed(address, n));
    panel_->timeGridLabel()->setText(QString::fromStdString(hq::timeGridText(stretch)));
    panel_->totalTimeLabel()->setText(QString::fromStdString(hq::totalTimeText(stretch, count)));
    showing_ = false;
}

void PatternEditor::drawPatterns() {
    const int address = currentAddress();
    const int count = bank_.count(address);
    for (int n = 1; n <= panel_->config().outputs(); ++n) {
        std::vector<bool> steps(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            steps[static_cast<std::size_t>(i)] = bank_.step(address, n, i);
        PatternCanvas* canvas = panel_->canvas(n);
        canvas->setSteps(std::move(steps));
        canvas->setVisible(bank_.outputUsed(address, n));
    }
}

void PatternEditor::commit(const QString& text, int mergeKey) {
    if (!document_)
        return;
    document_->edit(
        text, [table = bank_.table()](State& state) { state.patterns->table = table; }, mergeKey);
}

template <class Store>
void PatternEditor::numberChanged(QLineEdit* edit, int maximum, Store store, const QString& text,
                                  int mergeKey) {
    if (showing_ || !document_)
        return;
    const std::optional<int> entered = enteredNumber(edit, "1.." + std::to_string(maximum));
    if (!entered)
        return;
    store(currentAddress(), *entered);
    commit(text, mergeKey);
    // The edit shows the stored (clamped) value, also when the step changed nothing.
    showParameters();
}

void PatternEditor::edt_AnzahlChange() {
    numberChanged(
        panel_->countEdit(), panel_->config().maxCount(),
        [this](int address, int value) { bank_.setCount(address, value); },
        QStringLiteral("Anzahl Punkte von Adresse %1").arg(currentAddress()), kPatternCountEntry);
}

void PatternEditor::edt_stretchChange() {
    numberChanged(
        panel_->stretchEdit(), panel_->config().maxStretch(),
        [this](int address, int value) { bank_.setStretch(address, value); },
        QStringLiteral("Stretch-Faktor von Adresse %1").arg(currentAddress()), kPatternStretchEntry);
}

void PatternEditor::rad_aClick() {
    if (showing_ || !document_)
        return;
    showParameters();
    drawPatterns();
    preview_->refresh();
    markChanges();
}

void PatternEditor::cbx_loopClick() {
    if (showing_ || !document_)
        return;
    bank_.setLoop(currentAddress(), panel_->loopBox()->isChecked());
    commit(QStringLiteral("Loop von Adresse %1").arg(currentAddress()));
}

void PatternEditor::cbx_outClick(int output) {
    if (showing_ || !document_)
        return;
    bank_.setOutputUsed(currentAddress(), output, panel_->outputBox(output)->isChecked());
    commit(QStringLiteral("Ausgang %1 von Adresse %2").arg(output).arg(currentAddress()));
}

void PatternEditor::btn_copyClick(int source) {
    if (!document_ || source == currentAddress())
        return;
    bank_.copy(source, currentAddress());
    commit(QStringLiteral("Adresse %1 von #%2 kopiert").arg(currentAddress()).arg(source));
}

void PatternEditor::btn_verwerfenClick() {
    if (document_)
        document_->discardEditorChanges();
}

void PatternEditor::btn_uebernehmenClick() {
    if (document_)
        document_->acceptEditorChanges();
}

void PatternEditor::imageDrawn(int output, int step, bool on) {
    if (!document_)
        return;
    if (bank_.setStep(currentAddress(), output, step, on)) {
        drawPatterns();
        const hq::ProgramTable table = bank_.table();
        auto change = [table](State& state) { state.patterns->table = table; };
        // A click or drag is one stroke; a step drawn outside one (a test) is a step of its own.
        if (document_->inStroke())
            document_->strokeChange(change);
        else
            document_->edit(QStringLiteral("Adresse %1, Out#%2 gezeichnet").arg(currentAddress()).arg(output),
                            change);
    }
}

#include "light/PatternEditor.h"

#include "ChangeMark.h"
#include "EditorHost.h"
#include "GuardNotice.h"
#include "Metrics.h"
#include "NumberField.h"
#include "QtText.h"
#include "document/FirmwareDocument.h"
#include "light/PatternBank.h"
#include "light/PatternCanvas.h"
#include "light/PatternPanel.h"
#include "preview/PatternPreviewWidget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// What the status bar says after a stroke that changed nothing: every step it touched already was
// as the half it was drawn in asks.
const QString kNothingDrawn = QStringLiteral("Nichts geändert: Die berührten Schritte waren schon so "
                                             "(obere Hälfte: an, untere Hälfte: aus).");
const QString kManualPage = QStringLiteral("muster.html#zeichnen");

} // namespace

PatternEditor::PatternEditor(const PatternPanelConfig& config, QWidget* parent)
    : area_(new QWidget(parent)), guard_(new GuardNotice(area_)), panel_(new PatternPanel(config, area_)),
      preview_(new PatternPreviewWidget(config.outputs(), area_)) {
    buildArea();
    connectPreview();
    connectControls();
    connectCanvases();
}

// The panel with the preview below it, left-aligned.
void PatternEditor::buildArea() {
    area_->setObjectName(panel_->config().prefix + QStringLiteral("bereich"));
    area_->hide();
    preview_->setObjectName(panel_->config().prefix + QStringLiteral("vorschau"));
    auto* previewRow = new QHBoxLayout;
    previewRow->addWidget(preview_);
    previewRow->addStretch(1);
    auto* layout = new QVBoxLayout(area_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kPreviewGap);
    // The drawings have their sizes: the widget is as large as its contents, wherever it is put.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(guard_);
    layout->addWidget(panel_);
    layout->addLayout(previewRow);
}

void PatternEditor::connectPreview() {
    // The preview reads the working copy on every frame: edits show in its next steps.
    preview_->setSource([this] {
        return PatternSelection{document_ ? document_->patterns().shown() : std::nullopt, currentAddress()};
    });
    connect(preview_, &PatternPreviewWidget::stepShown, this, [this](int step) {
        for (int n = 1; n <= panel_->config().outputs(); ++n)
            panel_->canvas(n)->setPlayCursor(step);
    });
}

PatternEditor::~PatternEditor() {
    disconnect(following_);
    // What its widgets report while they go (a stroke cut short) reaches no document any more.
    document_ = nullptr;
    host_ = nullptr;
    // A widget still alive belongs to a window that outlives the editor; it goes with the editor.
    delete area_.data();
}

void PatternEditor::connectControls() {
    for (int a = 1; a <= hq::kPatternAddresses; ++a) {
        connect(panel_->addressButton(a), &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                addressChosen();
        });
        connect(panel_->copyButton(a), &QPushButton::clicked, this, [this, a] {
            if (document_)
                edits().copyFrom(a, currentAddress());
        });
    }
    for (int n = 1; n <= panel_->config().outputs(); ++n) {
        connect(panel_->outputBox(n), &QCheckBox::clicked, this, [this, n] {
            if (document_)
                edits().toggleOutput(currentAddress(), n);
        });
    }
    connect(panel_->loopBox(), &QCheckBox::clicked, this, [this] {
        if (document_)
            edits().toggleLoop(currentAddress());
    });
    for (NumberField* field : {panel_->countEdit(), panel_->stretchEdit()}) {
        connect(field, &NumberField::valueEdited, this,
                [this, field](const hq::FieldValue& value) { numberEdited(field, value); });
    }
    connect(panel_->countEdit(), &NumberField::entryFinished, this, &PatternEditor::entryFinished);
    connect(panel_->stretchEdit(), &NumberField::entryFinished, this, &PatternEditor::entryFinished);
    connect(panel_->discardButton(), &QPushButton::clicked, this, [this] {
        if (document_)
            edits().discard();
    });
    connect(panel_->acceptButton(), &QPushButton::clicked, this, [this] {
        if (document_)
            edits().accept();
    });
    connect(panel_, &PatternPanel::manualRequested, this, [this] {
        if (host_)
            host_->showManualPage(kManualPage);
    });
}

void PatternEditor::connectCanvases() {
    for (int n = 1; n <= panel_->config().outputs(); ++n) {
        PatternCanvas* canvas = panel_->canvas(n);
        connect(canvas, &PatternCanvas::strokeStarted, this, [this] {
            if (document_)
                edits().beginStroke();
        });
        connect(canvas, &PatternCanvas::pointDrawn, this,
                [this, n](int step, int on) { drawn(n, step, on != 0); });
        connect(canvas, &PatternCanvas::strokeFinished, this, [this, n] { strokeFinished(n); });
    }
}

PatternEdits& PatternEditor::edits() const {
    return document_->patterns();
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
    host_ = &host;
    following_ = connect(document_, &FirmwareDocument::changed, this, &PatternEditor::documentChanged);
    showing_ = true;
    panel_->addressButton(1)->setChecked(true);
    showing_ = false;
    // A table block that holds code is only shown.
    guard_->showBlocks(hq::guardedEditorBlocks(document.firmware().image, panel()));
    panel_->setEditable(!guard_->guards());
    host.showEditorArea(area_);
    showAddress();
    showMarks();
    panel_->acceptButton()->setEnabled(edits().hasPendingChanges());
}

void PatternEditor::reset() {
    // Hidden, the preview stops playing and a stroke in progress ends; while the editor still
    // follows the document, what it drew becomes a step there and the document is not left inside
    // a stroke.
    area_->hide();
    guard_->showBlocks({});
    panel_->setEditable(true);
    disconnect(following_);
    document_ = nullptr;
    host_ = nullptr;
    for (int n = 1; n <= panel_->config().outputs(); ++n)
        panel_->canvas(n)->showPattern(nullptr, 1);
    panel_->acceptButton()->setEnabled(false);
}

void PatternEditor::documentChanged(const DocumentChange& change) {
    if (!document_ || !edits().shown())
        return;
    const bool baseline = change.touches(DocumentChange::Area::Baseline);
    if (baseline || change.touchesPending())
        panel_->acceptButton()->setEnabled(edits().hasPendingChanges());
    if (!baseline && !change.touches(DocumentChange::Area::Patterns))
        return;
    for (int a = 1; a <= hq::kPatternAddresses; ++a)
        if (baseline || change.touchesPatternAddress(a))
            setChangeMark(panel_->addressButton(a), edits().differsFromFile(a), QString());
    if (!baseline && !change.touchesPatternAddress(currentAddress()))
        return;
    if (drawingOutput_ > 0 && !baseline) {
        // A step drawn by the stroke under way: count, stretch and flags are as they were.
        panel_->canvas(drawingOutput_)->update();
        preview_->refresh();
        return;
    }
    showAddress();
}

void PatternEditor::addressChosen() {
    if (showing_ || !document_)
        return;
    showAddress();
}

void PatternEditor::showAddress() {
    const int address = currentAddress();
    for (int n = 1; n <= panel_->config().outputs(); ++n)
        panel_->canvas(n)->showPattern(&edits(), address);
    showParameters();
    preview_->refresh();
}

void PatternEditor::showParameters() {
    const std::optional<hq::PatternView> pattern = edits().shown();
    if (!pattern)
        return;
    const int address = currentAddress();
    showing_ = true;
    for (int a = 1; a <= hq::kPatternAddresses; ++a)
        panel_->copyButton(a)->setEnabled(a != address && !guard_->guards());
    // A count or stretch the firmware holds outside its range is shown within it.
    const int count = pattern->count(address);
    const int stretch = pattern->stretch(address);
    if (typing_ != panel_->countEdit())
        panel_->countEdit()->showValue(count);
    if (typing_ != panel_->stretchEdit())
        panel_->stretchEdit()->showValue(stretch);
    panel_->loopBox()->setChecked(pattern->loop(address));
    for (int n = 1; n <= panel_->config().outputs(); ++n) {
        const bool used = pattern->outputUsed(address, n);
        panel_->outputBox(n)->setChecked(used);
        panel_->canvas(n)->setVisible(used);
    }
    panel_->timeGridLabel()->setText(qs(hq::timeGridText(stretch)));
    panel_->totalTimeLabel()->setText(qs(hq::totalTimeText(stretch, count)));
    showing_ = false;
    showMarks();
}

void PatternEditor::showMarks() {
    const std::optional<hq::PatternView> pattern = edits().shown();
    const std::optional<hq::PatternView> file = edits().inFile();
    if (!pattern || !file)
        return;
    const int address = currentAddress();
    setChangeMark(panel_->countEdit(), pattern->count(address) != file->count(address),
                  QString::number(file->count(address)));
    setChangeMark(panel_->stretchEdit(), pattern->stretch(address) != file->stretch(address),
                  QString::number(file->stretch(address)));
}

void PatternEditor::numberEdited(NumberField* field, const hq::FieldValue& value) {
    // A blank or half-typed field: the user is still typing, nothing is stored.
    if (!document_ || !value.number())
        return;
    const int address = currentAddress();
    typing_ = field;
    if (field == panel_->countEdit())
        edits().setCount(address, *value.number());
    else
        edits().setStretch(address, *value.number());
    typing_ = nullptr;
}

void PatternEditor::entryFinished() {
    if (!document_)
        return;
    edits().finishEntry();
    // A field left holding no number, or a number outside its range, shows the stored value.
    showParameters();
}

void PatternEditor::drawn(int output, int step, bool on) {
    if (!document_)
        return;
    drawingOutput_ = output;
    edits().drawStep(currentAddress(), output, step, on);
    drawingOutput_ = 0;
}

void PatternEditor::strokeFinished(int output) {
    if (!document_)
        return;
    const bool changed = edits().endStroke(currentAddress(), output);
    // Said only for a stroke the user finished, not for one a new file cut short.
    if (!changed && host_ && area_->isVisible())
        host_->showStatusNote(kNothingDrawn);
}

#include "ServoEditor.h"

#include "EditorHost.h"
#include "ServoAssignmentPanel.h"
#include "ServoCurvePanel.h"
#include "ServoEditorArea.h"
#include "document/FirmwareDocument.h"
#include "encode/TableGuard.h"
#include "preview/ServoPreviewWidget.h"

ServoEditor::ServoEditor(QWidget* parent)
    : curvePanel_(new ServoCurvePanel), assignmentPanel_(new ServoAssignmentPanel),
      preview_(new ServoPreviewWidget) {
    area_ = new ServoEditorArea(curvePanel_, preview_, assignmentPanel_, parent);
    area_->hide();
    preview_->setObjectName(QStringLiteral("servo_vorschau"));
    // The preview reads the working copy on every frame: edits show in its next points, before they
    // are taken over.
    preview_->setSource([this]() -> const hq::CurveBlock* {
        return edits_ != nullptr && edits_->hasCurves() ? &edits_->curve(curvePanel_->selectedCurve())
                                                        : nullptr;
    });
    connect(preview_, &ServoPreviewWidget::pointShown, curvePanel_, &ServoCurvePanel::setPlayCursor);
    connect(curvePanel_, &ServoCurvePanel::curveSelected, preview_, &ServoPreviewWidget::refresh);
}

ServoEditor::~ServoEditor() {
    disconnect(following_);
    // An area still alive belongs to a window that outlives the editor; it goes with the editor.
    delete area_.data();
}

QWidget* ServoEditor::area() const {
    return area_;
}

void ServoEditor::setUp(FirmwareDocument& document, EditorHost& host) {
    disconnect(following_);
    edits_ = &document.servo();
    following_ = connect(&document, &FirmwareDocument::changed, this, &ServoEditor::showChange);
    curvePanel_->setEdits(edits_);
    assignmentPanel_->setEdits(edits_);
    // Curve blocks that hold code are only shown.
    const std::vector<hq::GuardedBlock> guarded = hq::guardedEditorBlocks(document.firmware().image, panel());
    curvePanel_->showGuardedBlocks(guarded);
    assignmentPanel_->setCurveSettingsEditable(guarded.empty());
    preview_->refresh();
    host.showEditorArea(area_);
}

void ServoEditor::showChange(const DocumentChange& change) {
    const bool baseline = change.touches(DocumentChange::Area::Baseline);
    if (area_ == nullptr || (!change.touches(DocumentChange::Area::Servo) && !baseline))
        return;
    curvePanel_->showChange(change);
    if (change.touchesServoSettings() || baseline)
        assignmentPanel_->showSettings();
    if (change.touchesCurve(curvePanel_->selectedCurve()))
        preview_->showEdit();
}

void ServoEditor::reset() {
    // Hiding stops the preview and ends a stroke in progress; while the editor still follows the
    // document, what the stroke drew becomes a step there and the document is not left inside it.
    area_->hide();
    disconnect(following_);
    edits_ = nullptr;
    curvePanel_->setEdits(nullptr);
    assignmentPanel_->setEdits(nullptr);
    curvePanel_->showGuardedBlocks({});
    assignmentPanel_->setCurveSettingsEditable(true);
}

#include "ServoEditor.h"

#include "EditorHost.h"
#include "Metrics.h"
#include "ServoAssignmentPanel.h"
#include "ServoCurveCanvas.h"
#include "ServoCurvePanel.h"
#include "ServoRelayCanvas.h"
#include "document/FirmwareDocument.h"
#include "preview/ServoPreviewWidget.h"

#include <QWidget>

#include <algorithm>

namespace {

// Between pnl_servo and pnl_servo2.
constexpr int kPanelGap = 5;

using State = FirmwareDocument::State;

} // namespace

ServoEditor::ServoEditor(QWidget* parent)
    : curvePanel_(new ServoCurvePanel(copy_, parent)),
      assignmentPanel_(new ServoAssignmentPanel(copy_, parent)), preview_(new ServoPreviewWidget(parent)) {
    preview_->setObjectName(QStringLiteral("servo_vorschau"));
    preview_->adjustSize(); // its size before it is first shown: the editor places it by that
    preview_->hide();
    // The preview reads the working copy on every frame: edits show in its next points.
    preview_->setSource([this]() -> const hq::CurveBlock* {
        const int curve = curvePanel_->selectedCurve();
        return document_ != nullptr && curve > 0 ? &copy_.data.curve(curve) : nullptr;
    });
    connect(preview_, &ServoPreviewWidget::pointShown, this, [this](int point) {
        for (StrokeCanvas* canvas : curvePanel_->findChildren<StrokeCanvas*>())
            canvas->setPlayCursor(point);
    });
    curvePanel_->hide();
    assignmentPanel_->hide();
    connect(curvePanel_, &ServoCurvePanel::edited, this, &ServoEditor::commit);
    connect(assignmentPanel_, &ServoAssignmentPanel::edited, this,
            [this](const QString& text) { commit(text); });
    connect(curvePanel_, &ServoCurvePanel::entryFinished, this, [this] {
        if (document_ != nullptr)
            document_->finishEntry();
    });
    connect(curvePanel_, &ServoCurvePanel::strokeStarted, this, [this] {
        if (document_ != nullptr)
            document_->beginStroke();
    });
    connect(curvePanel_, &ServoCurvePanel::strokeDrawn, this, [this] {
        if (document_ != nullptr)
            document_->strokeChange([copy = copy_](State& state) { state.servo = copy; });
    });
    connect(curvePanel_, &ServoCurvePanel::strokeFinished, this, [this](const QString& text) {
        if (document_ != nullptr)
            document_->endStroke(text);
    });
    connect(curvePanel_, &ServoCurvePanel::acceptRequested, this, [this] {
        if (document_ != nullptr)
            document_->acceptEditorChanges();
    });
    connect(curvePanel_, &ServoCurvePanel::discardRequested, this, [this] {
        if (document_ != nullptr)
            document_->discardEditorChanges();
    });
}

ServoEditor::~ServoEditor() {
    disconnect(following_);
    // Panels still alive belong to a window that outlives the editor; they go with the editor.
    delete curvePanel_.data();
    delete assignmentPanel_.data();
    delete preview_.data();
}

ServoPreviewWidget* ServoEditor::preview() const {
    return preview_;
}

ServoCurvePanel* ServoEditor::curvePanel() const {
    return curvePanel_;
}

ServoAssignmentPanel* ServoEditor::assignmentPanel() const {
    return assignmentPanel_;
}

void ServoEditor::setUp(FirmwareDocument& document, EditorHost& host) {
    disconnect(following_);
    document_ = &document;
    following_ = connect(document_, &FirmwareDocument::changed, this, &ServoEditor::refresh);
    placeInto(host);
    curvePanel_->show();
    assignmentPanel_->show();
    refresh();
    // What the fields held before (another firmware, the panel's first showing) was not typed for
    // this one.
    curvePanel_->showCurve(true);
}

void ServoEditor::placeInto(EditorHost& host) {
    QWidget* client = host.panelParent();
    for (QWidget* panel : {static_cast<QWidget*>(curvePanel_), static_cast<QWidget*>(assignmentPanel_),
                           static_cast<QWidget*>(preview_)}) {
        if (panel->parentWidget() != client) {
            panel->setParent(client);
        }
    }
    const EditorRoom room =
        host.makeRoom(QSize(kWindowWidth + kPreviewGap + preview_->width() + kPreviewGap, kWindowHeight));
    curvePanel_->move(room.area.topLeft());
    preview_->move(curvePanel_->geometry().right() + 1 + kPreviewGap, room.area.top());
    preview_->show();
    // pnl_servo2 fills the corner right of the button row and below pnl_servo.
    const QPoint topLeft(std::max(room.area.left(), room.lowerLeft),
                         curvePanel_->geometry().bottom() + 1 + kPanelGap);
    assignmentPanel_->setGeometry(
        QRect(topLeft, QPoint(curvePanel_->geometry().right(), room.area.bottom())));
}

void ServoEditor::refresh() {
    if (document_ == nullptr || !document_->state().servo) {
        return;
    }
    const State& state = document_->state();
    copy_ = *state.servo;
    curvePanel_->setBusy(true);
    assignmentPanel_->setBusy(true);
    assignmentPanel_->showFlags();
    curvePanel_->showCurve();
    assignmentPanel_->showTiming();
    assignmentPanel_->showAssignments();
    curvePanel_->setBusy(false);
    assignmentPanel_->setBusy(false);
    curvePanel_->setAcceptEnabled(state.servo != state.edited.servo);

    const hq::ServoWorkingCopy& file = *document_->fileSettings().servo;
    std::array<bool, hq::kServoCurveCount> changed{};
    for (int n = 1; n <= hq::kServoCurveCount; ++n) {
        const hq::CurveBlock& a = copy_.data.curve(n);
        const hq::CurveBlock& b = file.data.curve(n);
        changed[static_cast<std::size_t>(n - 1)] =
            !std::equal(a.begin(), a.begin() + hq::kMaxCurvePoints, b.begin()) ||
            a[hq::kCurveCountEntry] != b[hq::kCurveCountEntry] ||
            a[hq::kCurveStretchEntry] != b[hq::kCurveStretchEntry];
    }
    curvePanel_->markCurves(changed);
    preview_->refresh();
    assignmentPanel_->markChanges(file);
}

void ServoEditor::commit(const QString& text, int mergeKey) {
    if (document_ == nullptr) {
        return;
    }
    document_->edit(
        text, [copy = copy_](State& state) { state.servo = copy; }, mergeKey);
}

void ServoEditor::reset() {
    // Hidden, the preview stops playing (another file is loaded).
    preview_->hide();
    // Hiding ends a stroke in progress; while the editor still follows the document, what it drew
    // becomes a step there and the document is not left inside a stroke.
    curvePanel_->hide();
    assignmentPanel_->hide();
    disconnect(following_);
    document_ = nullptr;
    curvePanel_->setAcceptEnabled(false);
}

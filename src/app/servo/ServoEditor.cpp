#include "ServoEditor.h"

#include "Dialogs.h"
#include "EditorHost.h"
#include "ServoAssignmentPanel.h"
#include "ServoCurvePanel.h"

#include <QWidget>

#include <algorithm>

namespace {

// Between pnl_servo and pnl_servo2.
constexpr int kPanelGap = 5;

} // namespace

ServoEditor::ServoEditor(QWidget* parent)
    : curvePanel_(new ServoCurvePanel(copy_, parent)),
      assignmentPanel_(new ServoAssignmentPanel(copy_, parent)) {
    curvePanel_->hide();
    assignmentPanel_->hide();
    QObject::connect(curvePanel_, &ServoCurvePanel::acceptRequested, curvePanel_,
                     [this] { acceptChanges(); });
    QObject::connect(curvePanel_, &ServoCurvePanel::discardRequested, curvePanel_,
                     [this] { discardChanges(); });
    QObject::connect(curvePanel_, &ServoCurvePanel::blocksReplaced, assignmentPanel_, [this] {
        assignmentPanel_->showAssignments();
        assignmentPanel_->showFlags();
    });
    QObject::connect(assignmentPanel_, &ServoAssignmentPanel::edited, curvePanel_,
                     [this] { curvePanel_->setAcceptEnabled(true); });
}

ServoEditor::~ServoEditor() {
    // Panels still alive belong to a window that outlives the editor; they go with the editor.
    delete curvePanel_.data();
    delete assignmentPanel_.data();
}

ServoCurvePanel* ServoEditor::curvePanel() const {
    return curvePanel_;
}

ServoAssignmentPanel* ServoEditor::assignmentPanel() const {
    return assignmentPanel_;
}

void ServoEditor::setUp(hq::Firmware& firmware, EditorHost& host) {
    firmware_ = &firmware;
    SetUpServoPanel(host);
}

void ServoEditor::SetUpServoPanel(EditorHost& host) {
    curvePanel_->setBusy(true);
    assignmentPanel_->setBusy(true);
    placeInto(host);
    curvePanel_->show();
    assignmentPanel_->show();
    curvePanel_->setAcceptEnabled(false);
    LoadServoWorkingCopy();
    curvePanel_->setBusy(false);
    assignmentPanel_->setBusy(false);
}

void ServoEditor::placeInto(EditorHost& host) {
    QWidget* client = host.panelParent();
    for (QWidget* panel : {static_cast<QWidget*>(curvePanel_), static_cast<QWidget*>(assignmentPanel_)}) {
        if (panel->parentWidget() != client) {
            panel->setParent(client);
        }
    }
    const EditorRoom room = host.makeRoom(QSize(kWindowWidth, kWindowHeight));
    curvePanel_->move(room.area.topLeft());
    // pnl_servo2 fills the corner right of the button row and below pnl_servo.
    const QPoint topLeft(std::max(room.area.left(), room.lowerLeft),
                         curvePanel_->geometry().bottom() + 1 + kPanelGap);
    assignmentPanel_->setGeometry(QRect(topLeft, room.area.bottomRight()));
}

void ServoEditor::LoadServoWorkingCopy() {
    if (firmware_ != nullptr) {
        copy_ = hq::loadServoWorkingCopy(firmware_->image, firmware_->eeprom());
    }
    assignmentPanel_->showFlags();
    curvePanel_->showCurve();
    assignmentPanel_->showTiming();
    assignmentPanel_->showAssignments();
}

void ServoEditor::discardChanges() {
    curvePanel_->setBusy(true);
    assignmentPanel_->setBusy(true);
    LoadServoWorkingCopy();
    curvePanel_->setBusy(false);
    assignmentPanel_->setBusy(false);
    curvePanel_->setAcceptEnabled(false);
}

void ServoEditor::reset() {
    firmware_ = nullptr;
    curvePanel_->hide();
    assignmentPanel_->hide();
    curvePanel_->setAcceptEnabled(false);
}

bool ServoEditor::hasPendingChanges() const {
    return firmware_ != nullptr && curvePanel_->acceptEnabled() && !curvePanel_->isHidden();
}

void ServoEditor::acceptChanges() {
    if (firmware_ == nullptr) {
        return;
    }
    const hq::Status stored = hq::storeServoWorkingCopy(copy_, firmware_->image, firmware_->eeprom());
    if (!stored) {
        warningOk(curvePanel_, QString::fromStdString(stored.message()));
        return;
    }
    curvePanel_->setAcceptEnabled(false);
}

#include "ServoEditor.h"

#include "Dialogs.h"
#include "ServoAssignmentPanel.h"
#include "ServoCurvePanel.h"

#include <QGroupBox>
#include <QStatusBar>
#include <QWidget>

#include <algorithm>

namespace {

// The main window's grid box sits at (5, 5), 400 x 475, the button row below it at y = 485.
constexpr int kPanelLeft = 410;
constexpr int kPanelTop = 5;
constexpr int kButtonBoxWidth = 297;
constexpr int kImageGap = 3;
constexpr int kImageBoxWidth = 230;
constexpr int kGap = 5;

int statusBarHeight(QWidget* window) {
    const auto* bar = window->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    return bar != nullptr && !bar->isHidden() ? bar->sizeHint().height() : 0;
}

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

void ServoEditor::setUp(hq::Firmware& firmware, QWidget* window) {
    firmware_ = &firmware;
    SetUpServoPanel(window);
}

void ServoEditor::SetUpServoPanel(QWidget* window) {
    curvePanel_->setBusy(true);
    assignmentPanel_->setBusy(true);
    placeInto(window);
    curvePanel_->show();
    assignmentPanel_->show();
    curvePanel_->setAcceptEnabled(false);
    LoadServoWorkingCopy();
    curvePanel_->setBusy(false);
    assignmentPanel_->setBusy(false);
}

void ServoEditor::placeInto(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    window->setMinimumSize(kWindowWidth, kWindowHeight);
    window->resize(kWindowWidth, kWindowHeight);

    auto* buttons = window->findChild<QGroupBox*>(QStringLiteral("GroupBoxButtons"));
    auto* image = window->findChild<QGroupBox*>(QStringLiteral("GroupBoxImage"));
    int buttonRowRight = kGap + kButtonBoxWidth + kImageGap + kImageBoxWidth;
    if (buttons != nullptr) {
        buttons->resize(kButtonBoxWidth, buttons->height());
        buttonRowRight = buttons->x() + kButtonBoxWidth;
        if (image != nullptr) {
            image->setGeometry(buttonRowRight + kImageGap, buttons->y(), kImageBoxWidth, image->height());
            buttonRowRight = image->x() + kImageBoxWidth;
        }
    }

    // The panels share the client area of the grid and button boxes.
    QWidget* client = buttons != nullptr ? buttons->parentWidget() : window;
    for (QWidget* panel : {static_cast<QWidget*>(curvePanel_), static_cast<QWidget*>(assignmentPanel_)}) {
        if (panel->parentWidget() != client) {
            panel->setParent(client);
        }
    }
    curvePanel_->move(kPanelLeft, kPanelTop);
    // pnl_servo2 fills the corner right of the button row and below pnl_servo.
    const int left = std::max(kPanelLeft, buttonRowRight + kGap);
    const int top = kPanelTop + curvePanel_->height() + kGap;
    const int bottom = kWindowHeight - statusBarHeight(window) - kGap;
    assignmentPanel_->setGeometry(left, top, kWindowWidth - kGap - left, bottom - top);
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

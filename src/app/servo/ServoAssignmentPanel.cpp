#include "ServoAssignmentPanel.h"

#include "ServoAssignmentPage.h"
#include "ServoFlagsPage.h"
#include "ServoTimingPage.h"
#include "document/ServoEdits.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace {

enum Tab { kAssignmentTab, kTimingTab, kFlagsTab };

// An empty page that holds its tab's controls once they are built.
QWidget* holder() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    return page;
}

} // namespace

ServoAssignmentPanel::ServoAssignmentPanel(QWidget* parent) : QFrame(parent), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("pnl_servo2"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    tabs_->setObjectName(QStringLiteral("servo_tabs"));
    tabs_->addTab(holder(), QStringLiteral("Zuordnung"));
    tabs_->addTab(holder(), QStringLiteral("Impulse"));
    tabs_->addTab(holder(), QStringLiteral("Optionen"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->addWidget(tabs_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    // The first tab is what the window shows at once: it gives the panel its size.
    buildPage(kAssignmentTab);
    connect(tabs_, &QTabWidget::currentChanged, this, &ServoAssignmentPanel::buildPage);
}

void ServoAssignmentPanel::buildPage(int index) {
    QWidget* page = tabs_->widget(index);
    if (page == nullptr)
        return;
    switch (index) {
    case kAssignmentTab:
        if (assignments_ == nullptr)
            buildAssignments();
        break;
    case kTimingTab:
        if (timing_ == nullptr)
            buildTiming();
        break;
    case kFlagsTab:
        if (flags_ == nullptr)
            buildFlags();
        break;
    default:
        return;
    }
    showSettings();
    fitPages();
}

void ServoAssignmentPanel::fitPages() {
    // A page built now may need more room than the pages before it: the panel takes it before the
    // page is first painted, not a frame later with the page squeezed meanwhile.
    tabs_->updateGeometry();
    updateGeometry();
    if (parentWidget() != nullptr && parentWidget()->layout() != nullptr)
        parentWidget()->layout()->activate();
}

void ServoAssignmentPanel::buildAssignments() {
    assignments_ = new ServoAssignmentPage;
    tabs_->widget(kAssignmentTab)->layout()->addWidget(assignments_);
    assignments_->setEnabled(curveSettingsEditable_);
    assignments_->show();
    connect(assignments_, &ServoAssignmentPage::assignmentChosen, this,
            [this](int row, ServoEdits::AssignmentField field, int item) {
                if (edits_ != nullptr)
                    edits_->setAssignment(row, field, item);
            });
}

void ServoAssignmentPanel::buildTiming() {
    timing_ = new ServoTimingPage;
    tabs_->widget(kTimingTab)->layout()->addWidget(timing_);
    timing_->show();
    connect(timing_, &ServoTimingPage::offsetStepped, this, [this](int servo, int step) {
        if (edits_ != nullptr)
            edits_->stepOffset(servo, step);
    });
    connect(timing_, &ServoTimingPage::faktorStepped, this, [this](int servo, int step) {
        if (edits_ != nullptr)
            edits_->stepFaktor(servo, step);
    });
}

void ServoAssignmentPanel::buildFlags() {
    flags_ = new ServoFlagsPage;
    tabs_->widget(kFlagsTab)->layout()->addWidget(flags_);
    flags_->setEnabled(curveSettingsEditable_);
    flags_->show();
    connect(flags_, &ServoFlagsPage::flagSet, this, [this](int servo, hq::ServoFlag flag, bool on) {
        if (edits_ != nullptr)
            edits_->setFlag(servo, flag, on);
    });
}

void ServoAssignmentPanel::setCurveSettingsEditable(bool editable) {
    curveSettingsEditable_ = editable;
    for (QWidget* page : std::initializer_list<QWidget*>{assignments_, flags_})
        if (page != nullptr)
            page->setEnabled(editable);
}

void ServoAssignmentPanel::setEdits(ServoEdits* edits) {
    edits_ = edits;
    showSettings();
}

void ServoAssignmentPanel::showSettings() {
    if (edits_ == nullptr || !edits_->hasCurves())
        return;
    if (assignments_ != nullptr)
        assignments_->showAssignments(*edits_);
    if (timing_ != nullptr)
        timing_->showTiming(*edits_);
    if (flags_ != nullptr)
        flags_->showFlags(*edits_);
    emit settingsShown();
}

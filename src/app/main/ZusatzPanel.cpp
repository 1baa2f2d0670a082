#include "ZusatzPanel.h"

#include "ChangeMark.h"
#include "NumberField.h"
#include "QtText.h"
#include "UpDownAssociate.h"
#include "document/FirmwareDocument.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>

ZusatzPanel::ZusatzPanel(FirmwareDocument& document, QWidget* parent)
    : QFrame(parent), document_(document), layout_(new QGridLayout(this)), caption_(new QLabel(this)),
      extra_(new NumberField(this)) {
    setObjectName(QStringLiteral("pnl_Zusatz"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    caption_->setObjectName(QStringLiteral("lbl_zusatz"));
    extra_->setObjectName(QStringLiteral("edt_zusatz"));
    caption_->setBuddy(extra_);
    layout_->addWidget(caption_, 0, 0);
    layout_->addWidget(extra_, 0, 1, Qt::AlignLeft);
    layout_->setColumnStretch(0, 1);
    hide();

    GridEdits& edits = document_.grid();
    connect(extra_, &NumberField::valueEdited, this,
            [&edits](const hq::FieldValue& value) { edits.setExtra(value); });
    connect(extra_, &NumberField::entryFinished, this, [&edits] { edits.finishEntry(); });
    connect(&document_, &FirmwareDocument::reloaded, this, &ZusatzPanel::showFirmware);
    connect(&document_, &FirmwareDocument::changed, this, &ZusatzPanel::showChange);
}

void ZusatzPanel::showFirmware() {
    const auto& extra = document_.firmware().recognition.extra();
    hasExtra_ = extra.has_value();
    caption_->setText(extra ? qs(extra->caption) : QString());
    setHint(extra_, extra ? qs(extra->hint) : QString());
    if (extra)
        extra_->setRange(0, extra->maximum);
    if (minimum_ != nullptr) {
        for (QWidget* w : {static_cast<QWidget*>(minimumCaption_), static_cast<QWidget*>(minimum_),
                           static_cast<QWidget*>(upDown_)})
            w->hide();
    }
}

void ZusatzPanel::showChange(const DocumentChange& change) {
    if (!hasExtra_ ||
        !(change.touches(DocumentChange::Area::Extra) || change.touches(DocumentChange::Area::Baseline)))
        return;
    const GridEdits& edits = document_.grid();
    extra_->showValue(edits.extra());
    setChangeMark(extra_, edits.extra() != edits.fileExtra(), qs(edits.fileExtra().text()));
}

void ZusatzPanel::buildMinimumControls() {
    if (minimum_ != nullptr)
        return;
    minimumCaption_ = new QLabel(QStringLiteral("Mindestanzahl (1..9)"), this);
    minimumCaption_->setObjectName(QStringLiteral("lbl_MindestAnzahl"));
    auto* minimum = new NumberField(this);
    minimum->setRange(1, 9);
    minimum->setText(QStringLiteral("9"));
    minimum_ = minimum;
    minimum_->setObjectName(QStringLiteral("edt_mindestAnzahl"));
    minimum_->setToolTip(QStringLiteral("Anzahl der mindest aktiven Ausgänge beim Ablauf"));
    minimumCaption_->setBuddy(minimum_);
    // The up-down shows only its arrows, right beside the edit.
    upDown_ = new QSpinBox(this);
    upDown_->setObjectName(QStringLiteral("UpDown5"));
    upDown_->setRange(1, 9);
    upDown_->setValue(9);
    upDown_->setFocusPolicy(Qt::NoFocus);
    QStyleOptionSpinBox option;
    option.initFrom(upDown_);
    option.subControls = QStyle::SC_SpinBoxUp;
    upDown_->setFixedWidth(
        upDown_->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, upDown_).width() +
        2 * upDown_->style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth, &option, upDown_));
    new UpDownAssociate(minimum_, upDown_);
    auto* field = new QHBoxLayout;
    field->setSpacing(0);
    field->addWidget(minimum_);
    field->addWidget(upDown_);
    layout_->addWidget(minimumCaption_, 1, 0);
    layout_->addLayout(field, 1, 1, Qt::AlignLeft);
    for (QWidget* w : {static_cast<QWidget*>(minimumCaption_), static_cast<QWidget*>(minimum_),
                       static_cast<QWidget*>(upDown_)})
        w->hide();
}

QLabel* ZusatzPanel::minimumCaptionLabel() {
    buildMinimumControls();
    return minimumCaption_;
}

QLineEdit* ZusatzPanel::minimumEdit() {
    buildMinimumControls();
    return minimum_;
}

QSpinBox* ZusatzPanel::minimumUpDown() {
    buildMinimumControls();
    return upDown_;
}

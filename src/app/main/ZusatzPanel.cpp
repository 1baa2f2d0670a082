#include "ZusatzPanel.h"

#include "ChangeMark.h"
#include "NumberField.h"
#include "QtText.h"
#include "document/FirmwareDocument.h"

#include <QGridLayout>
#include <QLabel>

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
}

void ZusatzPanel::showChange(const DocumentChange& change) {
    if (!hasExtra_ ||
        !(change.touches(DocumentChange::Area::Extra) || change.touches(DocumentChange::Area::Baseline)))
        return;
    const GridEdits& edits = document_.grid();
    extra_->showValue(edits.extra());
    setChangeMark(extra_, edits.extra() != edits.fileExtra(), qs(edits.fileExtra().text()));
}

#include "light/HouseEditor.h"

#include "ChangeMark.h"
#include "EditorHost.h"
#include "NumberField.h"
#include "document/FirmwareDocument.h"
#include "light/HouseMinimum.h"
#include "light/UpDownField.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

HouseEditor::HouseEditor(QWidget* parent) : area_(new QWidget(parent)) {
    area_->setObjectName(QStringLiteral("haus_bereich"));
    area_->hide();
    buildPanel();
    connect(edit_, &NumberField::valueEdited, this, &HouseEditor::valueEdited);
    connect(edit_, &NumberField::entryFinished, this, &HouseEditor::entryFinished);
}

void HouseEditor::buildPanel() {
    auto* frame = new QFrame(area_);
    frame->setObjectName(QStringLiteral("pnl_haus"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    caption_ = new QLabel(QStringLiteral("Mindestanzahl (1..9)"), frame);
    caption_->setObjectName(QStringLiteral("lbl_MindestAnzahl"));
    const UpDownField made = makeUpDownField(
        frame, QStringLiteral("edt_mindestAnzahl"), QStringLiteral("UpDown5"), hq::kHouseMinimumLowest,
        hq::kHouseMinimumHighest, QStringLiteral("Anzahl der mindest aktiven Ausgänge beim Ablauf"));
    edit_ = made.field;
    upDown_ = made.arrows;
    caption_->setBuddy(edit_);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(12);
    row->addWidget(caption_);
    row->addStretch(1);
    row->addLayout(made.row);

    // The panel keeps the size its layout asks for, wherever the window puts it.
    auto* layout = new QVBoxLayout(area_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(frame);
}

HouseEditor::~HouseEditor() {
    disconnect(following_);
    // What its widgets report while they go (a stroke cut short) reaches no document any more.
    document_ = nullptr;
    // A widget still alive belongs to a window that outlives the editor; it goes with the editor.
    delete area_.data();
}

void HouseEditor::setUp(FirmwareDocument& document, EditorHost& host) {
    disconnect(following_);
    document_ = &document;
    following_ = connect(document_, &FirmwareDocument::changed, this, &HouseEditor::documentChanged);
    host.showEditorArea(area_);
    showHouseMinimum();
    document_->light().bringHouseMinimumIntoRange();
}

void HouseEditor::reset() {
    area_->hide();
    disconnect(following_);
    document_ = nullptr;
}

void HouseEditor::documentChanged(const DocumentChange& change) {
    if (change.touches(DocumentChange::Area::House) || change.touches(DocumentChange::Area::Baseline))
        showHouseMinimum();
}

void HouseEditor::showHouseMinimum() {
    if (!document_ || !document_->light().hasHouse())
        return;
    const std::optional<int> minimum = document_->light().houseMinimum();
    const std::optional<int> inFile = document_->light().fileHouseMinimum();
    if (!typing_)
        edit_->showValue(minimum ? hq::FieldValue(*minimum) : hq::FieldValue::fromText(""));
    setChangeMark(edit_, minimum != inFile, inFile ? QString::number(*inFile) : QStringLiteral("–"));
}

void HouseEditor::valueEdited(const hq::FieldValue& value) {
    // A blank or half-typed field: the user is still typing, nothing is stored.
    if (!document_ || !value.number())
        return;
    typing_ = true;
    document_->light().setHouseMinimum(*value.number());
    typing_ = false;
}

void HouseEditor::entryFinished() {
    if (!document_)
        return;
    document_->light().finishEntry();
    // A field left holding no number, or a number outside 1..9, shows the stored value.
    showHouseMinimum();
}

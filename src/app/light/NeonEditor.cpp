#include "light/NeonEditor.h"

#include "ChangeMark.h"
#include "EditorHost.h"
#include "NumberField.h"
#include "QtText.h"
#include "document/FirmwareDocument.h"
#include "light/NeonPanel.h"

#include <QVBoxLayout>

namespace {

constexpr hq::NeonValue kValues[] = {hq::NeonValue::Hell, hq::NeonValue::Dunkel, hq::NeonValue::Delay};

hq::FieldValue shownValue(const std::optional<int>& value) {
    return value ? hq::FieldValue(*value) : hq::FieldValue::fromText("");
}

} // namespace

NeonEditor::NeonEditor(QWidget* parent) : area_(new QWidget(parent)), panel_(new NeonPanel(area_)) {
    area_->setObjectName(QStringLiteral("f_neon_bereich"));
    area_->hide();
    // The panel keeps the size its layout asks for, wherever the window puts it.
    auto* layout = new QVBoxLayout(area_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel_);
    for (hq::NeonValue which : kValues) {
        connect(panel_->edit(which), &NumberField::valueEdited, this,
                [this, which](const hq::FieldValue& value) { valueEdited(which, value); });
        connect(panel_->edit(which), &NumberField::entryFinished, this, &NeonEditor::entryFinished);
    }
}

NeonEditor::~NeonEditor() {
    disconnect(following_);
    // What its widgets report while they go (a stroke cut short) reaches no document any more.
    document_ = nullptr;
    // A widget still alive belongs to a window that outlives the editor; it goes with the editor.
    delete area_.data();
}

void NeonEditor::setUp(FirmwareDocument& document, EditorHost& host) {
    disconnect(following_);
    document_ = &document;
    following_ = connect(document_, &FirmwareDocument::changed, this, &NeonEditor::documentChanged);
    setHint(panel_->edit(hq::NeonValue::Hell),
            QStringLiteral("0 = dunkel, 255 = max. Helligkeit\n"
                           "Achtung: EEPROM-Byte 0x21 ist zugleich das dritte Code-Byte von <%1> (Zeile 1) "
                           "und wird beim Speichern mit dessen Adresse und Funktion geschrieben. Speichern "
                           "fragt, wenn die Datei deshalb eine andere Licht-Stufe HELL erhielte.")
                .arg(qs(document.firmware().recognition.rowCaption(1))));
    host.showEditorArea(area_);
    showNeonValues();
}

void NeonEditor::reset() {
    area_->hide();
    disconnect(following_);
    document_ = nullptr;
}

void NeonEditor::documentChanged(const DocumentChange& change) {
    if (change.touches(DocumentChange::Area::Neon) || change.touches(DocumentChange::Area::Baseline))
        showNeonValues();
}

void NeonEditor::showNeonValues() {
    if (!document_ || !document_->light().hasNeon())
        return;
    const LightEdits& light = document_->light();
    for (hq::NeonValue which : kValues) {
        const std::optional<int> value = light.neonValue(which);
        const std::optional<int> inFile = light.fileNeonValue(which);
        NumberField* edit = panel_->edit(which);
        if (edit != typing_)
            edit->showValue(shownValue(value));
        setChangeMark(edit, value != inFile, inFile ? QString::number(*inFile) : QStringLiteral("–"));
    }
}

void NeonEditor::valueEdited(hq::NeonValue which, const hq::FieldValue& value) {
    // A blank or half-typed field: the user is still typing, nothing is stored.
    if (!document_ || !value.number())
        return;
    typing_ = panel_->edit(which);
    document_->light().setNeonValue(which, *value.number());
    typing_ = nullptr;
}

void NeonEditor::entryFinished() {
    if (!document_)
        return;
    document_->light().finishEntry();
    // A field left holding no number, or a number outside 0..255, shows the stored value.
    showNeonValues();
}

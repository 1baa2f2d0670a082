#include "light/NeonEditor.h"

#include "ChangeMark.h"
#include "EditorHost.h"
#include "NumberEntry.h"
#include "document/FirmwareDocument.h"
#include "light/NeonPanel.h"

#include <QLineEdit>

#include <algorithm>

NeonEditor::NeonEditor(QWidget* parent) : panel_(new NeonPanel(parent)) {
    connect(panel_->edit(hq::NeonValue::Hell), &QLineEdit::textChanged, this,
            &NeonEditor::f_neon_edt_hellfaktorChange);
    connect(panel_->edit(hq::NeonValue::Dunkel), &QLineEdit::textChanged, this,
            &NeonEditor::f_neon_edt_dunkelfaktorChange);
    connect(panel_->edit(hq::NeonValue::Delay), &QLineEdit::textChanged, this,
            &NeonEditor::f_neon_edt_verzoegerungChange);
    for (hq::NeonValue which : {hq::NeonValue::Hell, hq::NeonValue::Dunkel, hq::NeonValue::Delay}) {
        connect(panel_->edit(which), &QLineEdit::editingFinished, this, [this] {
            if (document_)
                document_->finishEntry();
        });
    }
}

NeonEditor::~NeonEditor() {
    // A panel still alive belongs to a window that outlives the editor; it goes with the editor.
    delete panel_.data();
}

NeonPanel* NeonEditor::panelWidget() const {
    return panel_;
}

void NeonEditor::setUp(FirmwareDocument& document, EditorHost& host) {
    disconnect(following_);
    document_ = &document;
    following_ = connect(document_, &FirmwareDocument::changed, this, &NeonEditor::showNeonValues);
    if (panel_->parentWidget() != host.panelParent())
        panel_->setParent(host.panelParent());
    // Beside the grid; the window keeps its size.
    panel_->move(host.editorRoom().area.topLeft());
    setHint(
        panel_->edit(hq::NeonValue::Hell),
        QStringLiteral("0 = dunkel, 255 = max. Helligkeit\n"
                       "Achtung: EEPROM-Byte 0x21 ist zugleich das dritte Code-Byte von <%1> (Zeile 1) und "
                       "wird beim Speichern mit dessen Adresse und Funktion geschrieben. Speichern fragt, "
                       "wenn die Datei deshalb eine andere Licht-Stufe HELL erhielte.")
            .arg(QString::fromStdString(document.firmware().recognition.rowCaption(1))));
    panel_->show();
    showNeonValues();
}

void NeonEditor::reset() {
    disconnect(following_);
    panel_->hide();
    document_ = nullptr;
}

namespace {

std::optional<int>& neonValue(hq::NeonSetting& neon, hq::NeonValue which) {
    switch (which) {
    case hq::NeonValue::Hell:
        return neon.hell;
    case hq::NeonValue::Dunkel:
        return neon.dunkel;
    case hq::NeonValue::Delay:
        break;
    }
    return neon.delay;
}

const std::optional<int>& neonValue(const hq::NeonSetting& neon, hq::NeonValue which) {
    return neonValue(const_cast<hq::NeonSetting&>(neon), which);
}

QString neonStepName(hq::NeonValue which) {
    switch (which) {
    case hq::NeonValue::Hell:
        return QStringLiteral("Licht-Stufe HELL");
    case hq::NeonValue::Dunkel:
        return QStringLiteral("Licht-Stufe DUNKEL");
    case hq::NeonValue::Delay:
        break;
    }
    return QStringLiteral("Verzögerungs-Zeit");
}

constexpr int kNeonEntry = 1200; // + the value's index: typing in one field merges

} // namespace

void NeonEditor::showNeonValues() {
    if (!document_ || !document_->edited().neon)
        return;
    const hq::NeonSetting& neon = *document_->edited().neon;
    const hq::NeonSetting& file = *document_->fileSettings().neon;
    showing_ = true;
    for (hq::NeonValue which : {hq::NeonValue::Hell, hq::NeonValue::Dunkel, hq::NeonValue::Delay}) {
        const std::optional<int>& value = neonValue(neon, which);
        const std::optional<int>& inFile = neonValue(file, which);
        QString text = value ? QString::number(*value) : QString();
        QLineEdit* edit = panel_->edit(which);
        if (edit->text() != text)
            edit->setText(text);
        setChangeMark(edit, value != inFile, inFile ? QString::number(*inFile) : QStringLiteral("–"));
    }
    showing_ = false;
}

void NeonEditor::f_neon_edt_hellfaktorChange() {
    valueChanged(hq::NeonValue::Hell);
}
void NeonEditor::f_neon_edt_dunkelfaktorChange() {
    valueChanged(hq::NeonValue::Dunkel);
}
void NeonEditor::f_neon_edt_verzoegerungChange() {
    valueChanged(hq::NeonValue::Delay);
}

void NeonEditor::valueChanged(hq::NeonValue which) {
    if (showing_ || !document_ || !document_->edited().neon)
        return;
    const std::optional<int> entered = enteredNumber(panel_->edit(which), hq::kNeonRangeText);
    if (!entered)
        return;
    // Levels and the delay are stored within 0..255; the edit then shows the stored value.
    const int value = std::clamp(*entered, 0, 255);
    document_->edit(
        neonStepName(which),
        [which, value](FirmwareDocument::State& state) { neonValue(*state.edited.neon, which) = value; },
        kNeonEntry + static_cast<int>(which));
    showNeonValues();
}

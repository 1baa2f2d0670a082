#include "light/NeonEditor.h"

#include "EditorHost.h"
#include "NumberEntry.h"
#include "light/NeonPanel.h"

#include <QLineEdit>

NeonEditor::NeonEditor(QWidget* parent) : panel_(new NeonPanel(parent)) {
    connect(panel_->edit(hq::NeonValue::Hell), &QLineEdit::textChanged, this,
            &NeonEditor::f_neon_edt_hellfaktorChange);
    connect(panel_->edit(hq::NeonValue::Dunkel), &QLineEdit::textChanged, this,
            &NeonEditor::f_neon_edt_dunkelfaktorChange);
    connect(panel_->edit(hq::NeonValue::Delay), &QLineEdit::textChanged, this,
            &NeonEditor::f_neon_edt_verzoegerungChange);
}

NeonEditor::~NeonEditor() {
    // A panel still alive belongs to a window that outlives the editor; it goes with the editor.
    delete panel_.data();
}

NeonPanel* NeonEditor::panelWidget() const {
    return panel_;
}

void NeonEditor::setUp(hq::Firmware& firmware, EditorHost& host) {
    settingUp_ = true;
    firmware_ = &firmware;
    if (panel_->parentWidget() != host.panelParent())
        panel_->setParent(host.panelParent());
    // Beside the grid; the window keeps its size.
    panel_->move(host.editorRoom().area.topLeft());
    panel_->show();
    showNeonValues();
    settingUp_ = false;
}

void NeonEditor::reset() {
    panel_->hide();
    firmware_ = nullptr;
}

void NeonEditor::showNeonValues() {
    if (!firmware_)
        return;
    const bool wasSettingUp = settingUp_;
    settingUp_ = true;
    for (hq::NeonValue which : {hq::NeonValue::Hell, hq::NeonValue::Dunkel, hq::NeonValue::Delay}) {
        std::optional<int> value = hq::shownNeonValue(firmware_->eeprom(), which);
        QString text = value ? QString::number(*value) : QString();
        QLineEdit* edit = panel_->edit(which);
        if (edit->text() != text)
            edit->setText(text);
    }
    settingUp_ = wasSettingUp;
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
    if (settingUp_ || !firmware_)
        return;
    const std::optional<int> entered = enteredNumber(panel_->edit(which), hq::kNeonRangeText);
    if (!entered)
        return;
    hq::storeNeonValue(firmware_->eeprom(), which, *entered);
    showNeonValues();
}

#include "light/NeonEditor.h"

#include "Dialogs.h"
#include "light/NeonPanel.h"
#include "light/NumberEntry.h"

#include <QLineEdit>

NeonEditor::NeonEditor(QWidget* parent) : panel_(new NeonPanel(parent)) {
    connect(panel_->edit(hq::NeonValue::Hell), &QLineEdit::textChanged, this,
            &NeonEditor::f_neon_edt_hellfaktorChange);
    connect(panel_->edit(hq::NeonValue::Dunkel), &QLineEdit::textChanged, this,
            &NeonEditor::f_neon_edt_dunkelfaktorChange);
    connect(panel_->edit(hq::NeonValue::Delay), &QLineEdit::textChanged, this,
            &NeonEditor::f_neon_edt_verzoegerungChange);
}

void NeonEditor::setUp(hq::Firmware& firmware, QWidget*) {
    settingUp_ = true;
    firmware_ = &firmware;
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
    QLineEdit* edit = panel_->edit(which);
    auto entered = hq::readEnteredNumber(edit->text().toStdString(), hq::kNeonRangeText);
    if (!entered) {
        warningOk(panel_, QString::fromStdString(entered.message()));
        edit->setFocus();
        return;
    }
    if (!entered->has_value())
        return;
    hq::storeNeonValue(firmware_->eeprom(), which, **entered);
    showNeonValues();
}

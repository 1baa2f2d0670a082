#include "light/HouseEditor.h"

#include "EditorHost.h"
#include "NumberEntry.h"
#include "light/HouseMinimum.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

void HouseEditor::takeControls(EditorHost& host) {
    const HouseMinimumControls controls = host.houseMinimumControls();
    if (edit_ == controls.edit)
        return;
    if (edit_)
        disconnect(edit_, nullptr, this, nullptr);
    caption_ = controls.caption;
    edit_ = controls.edit;
    upDown_ = controls.upDown;
    if (edit_)
        connect(edit_, &QLineEdit::textChanged, this, &HouseEditor::haus_edt_mindestAnzahlChange);
}

void HouseEditor::setControlsVisible(bool visible) {
    for (QWidget* control : {static_cast<QWidget*>(caption_.data()), static_cast<QWidget*>(edit_.data()),
                             static_cast<QWidget*>(upDown_.data())})
        if (control)
            control->setVisible(visible);
}

void HouseEditor::setUp(hq::Firmware& firmware, EditorHost& host) {
    takeControls(host);
    firmware_ = &firmware;
    setControlsVisible(true);
    showHouseMinimum();
    haus_edt_mindestAnzahlChange();
}

void HouseEditor::reset() {
    setControlsVisible(false);
    firmware_ = nullptr;
}

void HouseEditor::showHouseMinimum() {
    if (!firmware_ || !edit_)
        return;
    std::optional<int> minimum = hq::houseMinimum(firmware_->eeprom());
    QString text = minimum ? QString::number(*minimum) : QString();
    if (edit_->text() == text)
        return;
    showing_ = true;
    edit_->setText(text);
    showing_ = false;
}

void HouseEditor::haus_edt_mindestAnzahlChange() {
    if (showing_ || !firmware_ || !edit_)
        return;
    const std::optional<int> entered = enteredNumber(edit_, hq::kHouseMinimumRangeText);
    if (!entered)
        return;
    hq::storeHouseMinimum(firmware_->eeprom(), *entered);
    showHouseMinimum();
}

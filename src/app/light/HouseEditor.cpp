#include "light/HouseEditor.h"

#include "Dialogs.h"
#include "light/HouseMinimum.h"
#include "light/NumberEntry.h"

#include <QLineEdit>

void HouseEditor::findControls(QWidget* window) {
    if (edit_ || !window)
        return;
    edit_ = window->findChild<QLineEdit*>(QStringLiteral("edt_mindestAnzahl"));
    label_ = window->findChild<QWidget*>(QStringLiteral("lbl_MindestAnzahl"));
    upDown_ = window->findChild<QWidget*>(QStringLiteral("UpDown5"));
    if (edit_)
        connect(edit_, &QLineEdit::textChanged, this, &HouseEditor::haus_edt_mindestAnzahlChange);
}

void HouseEditor::setControlsVisible(bool visible) {
    for (QWidget* control : {static_cast<QWidget*>(edit_), label_.data(), upDown_.data()})
        if (control)
            control->setVisible(visible);
}

void HouseEditor::setUp(hq::Firmware& firmware, QWidget* window) {
    findControls(window);
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
    auto entered = hq::readEnteredNumber(edit_->text().toStdString(), hq::kHouseMinimumRangeText);
    if (!entered) {
        warningOk(edit_, QString::fromStdString(entered.message()));
        edit_->setFocus();
        return;
    }
    if (!entered->has_value())
        return;
    hq::storeHouseMinimum(firmware_->eeprom(), **entered);
    showHouseMinimum();
}

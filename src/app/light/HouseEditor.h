#pragma once
// The house-lighting firmware's minimum number of active outputs. Its controls (`lbl_MindestAnzahl`,
// `edt_mindestAnzahl`, `UpDown5`) belong to the main window's pnl_Zusatz; the host hands them to the
// editor when it is set up. An entered minimum goes straight into the firmware's EEPROM.

#include "PanelEditor.h"

#include <QObject>
#include <QPointer>

class QLabel;
class QLineEdit;
class QSpinBox;

class HouseEditor : public QObject, public PanelEditor {
    Q_OBJECT
public:
    HouseEditor() = default;

    hq::Panel panel() const override { return hq::Panel::House; }
    void setUp(hq::Firmware& firmware, EditorHost& host) override;
    void reset() override;
    bool hasPendingChanges() const override { return false; }
    void acceptChanges() override {}

    // Handler of `edt_mindestAnzahl`; runs also while the editor is set up, so a stored minimum out
    // of range is put right at once.
    void haus_edt_mindestAnzahlChange();
    // Shows the firmware's minimum in `edt_mindestAnzahl`.
    void showHouseMinimum();

private:
    void takeControls(EditorHost& host);
    void setControlsVisible(bool visible);

    QPointer<QLabel> caption_;
    QPointer<QLineEdit> edit_;
    QPointer<QSpinBox> upDown_;
    hq::Firmware* firmware_ = nullptr;
    bool showing_ = false;
};

#pragma once
// The neon function decoder's values: each entered level or delay goes straight into the firmware's
// EEPROM; there is nothing to accept.

#include "PanelEditor.h"
#include "light/NeonValues.h"

#include <QObject>
#include <QPointer>

class NeonPanel;

class NeonEditor : public QObject, public PanelEditor {
    Q_OBJECT
public:
    // Creates the panel, hidden, as a child of `parent` (may be null); set-up moves it into the
    // host's client area.
    explicit NeonEditor(QWidget* parent = nullptr);
    ~NeonEditor() override;

    hq::Panel panel() const override { return hq::Panel::Neon; }
    void setUp(hq::Firmware& firmware, EditorHost& host) override;
    void reset() override;
    bool hasPendingChanges() const override { return false; }
    void acceptChanges() override {}

    NeonPanel* panelWidget() const;

    // Handlers of the three edits.
    void f_neon_edt_hellfaktorChange();
    void f_neon_edt_dunkelfaktorChange();
    void f_neon_edt_verzoegerungChange();

    // Shows the three values of the firmware's EEPROM.
    void showNeonValues();

private:
    void valueChanged(hq::NeonValue which);

    QPointer<NeonPanel> panel_;
    hq::Firmware* firmware_ = nullptr;
    bool settingUp_ = false;
};

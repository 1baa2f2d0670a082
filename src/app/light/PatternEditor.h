#pragma once
// The blink and the LED pattern editor: four addresses, each a pattern of on/off steps per output
// drawn with the mouse, with count, stretch, loop and outputs in use. The editor works on its own
// copy of the firmware's pattern table; "Übernehmen" writes it into the HEX image, "Verwerfen" reads
// it back from there.

#include "PanelEditor.h"
#include "light/PatternBank.h"
#include "light/PatternPanelConfig.h"

#include <QObject>
#include <QPointer>

class PatternPanel;
class QLineEdit;

class PatternEditor : public QObject, public PanelEditor {
    Q_OBJECT
public:
    // Creates the panel, hidden, as a child of `parent` (may be null); set-up moves it into the host's
    // client area.
    PatternEditor(const PatternPanelConfig& config, QWidget* parent);
    ~PatternEditor() override;

    hq::Panel panel() const override;
    void setUp(hq::Firmware& firmware, EditorHost& host) override;
    void reset() override;
    bool hasPendingChanges() const override;
    void acceptChanges() override;

    PatternPanel* panelWidget() const;
    const hq::PatternBank& bank() const { return bank_; }
    // The checked address, 1..4.
    int currentAddress() const;

    // Handlers of the panel's controls (outputs and addresses count from 1).
    void rad_aClick();
    void edt_AnzahlChange();
    void edt_stretchChange();
    void cbx_loopClick();
    void cbx_outClick(int output);
    void btn_copyClick(int source);
    void btn_verwerfenClick();
    void btn_uebernehmenClick();
    // A canvas reported `step` of `output` drawn on or off.
    void imageDrawn(int output, int step, bool on);

    // Reads the table from the firmware, shows the parameters and draws the patterns.
    void reloadPatterns();
    // Shows the current address's count, stretch, loop, outputs and times.
    void showParameters();
    // Shows or hides each image after its output's use and draws its steps.
    void drawPatterns();

private:
    void connectControls();
    // Stores the number an edit asks for with `store`; a message for text that is no integer.
    template <class Store> void numberChanged(QLineEdit* edit, int maximum, Store store);
    void changed();

    QPointer<PatternPanel> panel_;
    hq::PatternBank bank_;
    hq::Firmware* firmware_ = nullptr;
    bool settingUp_ = false;
    bool showing_ = false;
};

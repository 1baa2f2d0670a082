#pragma once
// What the main window needs of a firmware's special editor (servo, blink, LED, neon, house light).
// The window creates every editor once, runs the set-up of the one whose panel the recognised
// firmware names, and asks all of them about pending changes before saving.

#include "image/Firmware.h"
#include "image/Recognition.h"

class EditorHost;

class PanelEditor {
public:
    virtual ~PanelEditor() = default;

    // The panel kind this editor serves.
    virtual hq::Panel panel() const = 0;

    // Fills the editor's panel(s) from the firmware's EEPROM and line table and shows them in the
    // host's client area, asking the host for room as the firmware's editor requires. The firmware
    // outlives the editor's use of it until the next set-up or `reset`.
    virtual void setUp(hq::Firmware& firmware, EditorHost& host) = 0;

    // Hides the panel(s) and forgets the firmware (before every load).
    virtual void reset() = 0;

    // True while its "übernehmen" button is enabled and its panel is visible.
    virtual bool hasPendingChanges() const = 0;

    // Performs the "übernehmen" click: writes the editor's tables into the firmware.
    virtual void acceptChanges() = 0;
};

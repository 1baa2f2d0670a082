#pragma once
// What the main window needs of a firmware's special editor (servo, blink, LED, neon, house light).
// The window creates every editor once and runs the set-up of the one whose panel the recognised
// firmware names. From then on the editor is a view of the window's document: it shows the
// document's state and changes it only through the document, so every change is an undo step and
// the window knows what is not yet saved or taken over.

#include "image/Recognition.h"

class EditorHost;
class FirmwareDocument;

class PanelEditor {
public:
    virtual ~PanelEditor() = default;

    // The panel kind this editor serves.
    virtual hq::Panel panel() const = 0;

    // Shows the editor's panel(s) for the document's firmware in the host's client area, asking the
    // host for room as the editor requires, and follows the document until `reset`.
    virtual void setUp(FirmwareDocument& document, EditorHost& host) = 0;

    // Hides the panel(s) and stops following the document (before every load).
    virtual void reset() = 0;
};

#pragma once
// The blink and the LED pattern editor: four addresses, each a pattern of on/off steps per output
// drawn with the mouse, with count, stretch, loop and outputs in use, and a preview playing the
// chosen address. The editor is a view of the window's document: it shows the document's working
// copy through the pattern edits, turns what the user does into their steps (a mouse stroke into
// one step), and repaints only what a change of the document names. It hands the window one
// widget, the panel with the preview below it.

#include "PanelEditor.h"
#include "light/PatternPanelConfig.h"

#include <QObject>
#include <QPointer>

class DocumentChange;
class NumberField;
class PatternEdits;
class GuardNotice;
class PatternPanel;
class PatternPreviewWidget;
class QWidget;

namespace hq {
class FieldValue;
}

class PatternEditor : public QObject, public PanelEditor {
    Q_OBJECT
public:
    // Builds the editor's widget, hidden, as a child of `parent` (may be null); set-up hands it to
    // the host.
    PatternEditor(const PatternPanelConfig& config, QWidget* parent);
    ~PatternEditor() override;

    hq::Panel panel() const override;
    void setUp(FirmwareDocument& document, EditorHost& host) override;
    void reset() override;

    // What the window shows: the panel with the preview below it.
    QWidget* editorArea() const { return area_; }
    PatternPanel* panelWidget() const { return panel_; }
    // The chosen address's pattern played at its real timing.
    PatternPreviewWidget* preview() const { return preview_; }
    // The checked address, 1..4.
    int currentAddress() const;

private:
    void buildArea();
    void connectPreview();
    void connectControls();
    void connectCanvases();
    PatternEdits& edits() const;

    void documentChanged(const DocumentChange& change);
    void addressChosen();
    void numberEdited(NumberField* field, const hq::FieldValue& value);
    void entryFinished();
    void drawn(int output, int step, bool on);
    void strokeFinished(int output);

    // Everything the panel shows of the chosen address.
    void showAddress();
    // Count, stretch, loop, outputs in use, times and copy buttons.
    void showParameters();
    void showMarks();

    QPointer<QWidget> area_;
    GuardNotice* guard_;
    PatternPanel* panel_;
    PatternPreviewWidget* preview_;
    FirmwareDocument* document_ = nullptr;
    EditorHost* host_ = nullptr;
    QMetaObject::Connection following_;
    // The output a stroke draws on while the change it made comes back from the document: only its
    // drawing needs painting then.
    int drawingOutput_ = 0;
    // The field the user is typing into: it keeps what is typed (an out-of-range number marked)
    // until the entry is finished, and then shows what was stored.
    NumberField* typing_ = nullptr;
    bool showing_ = false;
};

#pragma once
// The blink and the LED pattern editor: four addresses, each a pattern of on/off steps per output
// drawn with the mouse, with count, stretch, loop and outputs in use. The editor is a view of the
// window's document: it shows the document's working copy of the pattern table, turns every change
// into a document step (a mouse stroke into one step), "Übernehmen" takes the working copy into the
// settings the save writes and "Verwerfen" goes back to them.

#include "PanelEditor.h"
#include "light/PatternBank.h"
#include "light/PatternPanelConfig.h"

#include <QObject>
#include <QPointer>

class PatternPanel;
class PatternPreviewWidget;
class QLineEdit;

class PatternEditor : public QObject, public PanelEditor {
    Q_OBJECT
public:
    // Creates the panel, hidden, as a child of `parent` (may be null); set-up moves it into the host's
    // client area.
    PatternEditor(const PatternPanelConfig& config, QWidget* parent);
    ~PatternEditor() override;

    hq::Panel panel() const override;
    void setUp(FirmwareDocument& document, EditorHost& host) override;
    void reset() override;

    PatternPanel* panelWidget() const;
    // The preview beside the panel: the selected address's pattern played at its real timing.
    PatternPreviewWidget* preview() const;
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

    // Shows the document's working copy: parameters, patterns, "Übernehmen" and the marks.
    void refresh();
    // Shows the current address's count, stretch, loop, outputs and times.
    void showParameters();
    // Shows or hides each image after its output's use and draws its steps.
    void drawPatterns();

private:
    void connectControls();
    // Stores the number an edit asks for with `store`; a message for text that is no integer.
    template <class Store>
    void numberChanged(QLineEdit* edit, int maximum, Store store, const QString& text, int mergeKey);
    // Takes the changed table into the document as one step.
    void commit(const QString& text, int mergeKey = -1);
    void markChanges();

    QPointer<PatternPanel> panel_;
    QPointer<PatternPreviewWidget> preview_;
    hq::PatternBank bank_;
    FirmwareDocument* document_ = nullptr;
    QMetaObject::Connection following_;
    bool showing_ = false;
};

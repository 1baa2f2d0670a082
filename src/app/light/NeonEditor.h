#pragma once
// The neon function decoder's values as a view of the window's document: each entered level or delay
// is a document step (typing in one field merges into one step); there is nothing to accept.

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
    void setUp(FirmwareDocument& document, EditorHost& host) override;
    void reset() override;

    NeonPanel* panelWidget() const;

    // Handlers of the three edits.
    void f_neon_edt_hellfaktorChange();
    void f_neon_edt_dunkelfaktorChange();
    void f_neon_edt_verzoegerungChange();

    // Shows the three values of the document and marks those that differ from the file.
    void showNeonValues();

private:
    void valueChanged(hq::NeonValue which);

    QPointer<NeonPanel> panel_;
    FirmwareDocument* document_ = nullptr;
    QMetaObject::Connection following_;
    bool showing_ = false;
};

#pragma once
// The house-lighting firmware's minimum number of active outputs. Its controls (`lbl_MindestAnzahl`,
// `edt_mindestAnzahl`, `UpDown5`) belong to the main window's pnl_Zusatz; the host hands them to the
// editor when it is set up. The editor is a view of the window's document: an entered minimum is a
// document step.

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
    void setUp(FirmwareDocument& document, EditorHost& host) override;
    void reset() override;

    // Handler of `edt_mindestAnzahl`: an entered minimum, brought into 1..9, into the document. A stored
    // minimum outside 1..9 is brought into it when the editor is set up.
    void haus_edt_mindestAnzahlChange();
    // Shows the document's minimum in `edt_mindestAnzahl`, marked where it differs from the file.
    void showHouseMinimum();

private:
    void takeControls(EditorHost& host);
    void setControlsVisible(bool visible);

    QPointer<QLabel> caption_;
    QPointer<QLineEdit> edit_;
    QPointer<QSpinBox> upDown_;
    FirmwareDocument* document_ = nullptr;
    QMetaObject::Connection following_;
    bool showing_ = false;
};

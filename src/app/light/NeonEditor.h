#pragma once
// The neon function decoder's values as a view of the window's document: each entered level or delay
// is a step of the light edits (typing in one field merges into one step); there is nothing to take
// over. It hands the window one widget holding the neon panel.

#include "PanelEditor.h"
#include "light/NeonValues.h"

#include <QObject>
#include <QPointer>

class DocumentChange;
class NeonPanel;
class NumberField;
class QWidget;

namespace hq {
class FieldValue;
}

class NeonEditor : public QObject, public PanelEditor {
    Q_OBJECT
public:
    // Builds the editor's widget, hidden, as a child of `parent` (may be null); set-up hands it to
    // the host.
    explicit NeonEditor(QWidget* parent = nullptr);
    ~NeonEditor() override;

    hq::Panel panel() const override { return hq::Panel::Neon; }
    void setUp(FirmwareDocument& document, EditorHost& host) override;
    void reset() override;

    QWidget* editorArea() const { return area_; }
    NeonPanel* panelWidget() const { return panel_; }

private:
    void documentChanged(const DocumentChange& change);
    void valueEdited(hq::NeonValue which, const hq::FieldValue& value);
    void entryFinished();
    // Shows the three values of the document and marks those that differ from the file.
    void showNeonValues();

    QPointer<QWidget> area_;
    NeonPanel* panel_;
    // The field the user is typing into keeps what is typed until the entry is finished.
    NumberField* typing_ = nullptr;
    FirmwareDocument* document_ = nullptr;
    QMetaObject::Connection following_;
};

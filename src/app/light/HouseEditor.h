#pragma once
// The house-lighting firmware's minimum number of active outputs as a view of the window's document:
// its own field "Mindestanzahl (1..9)" (`edt_mindestAnzahl` with the up-down `UpDown5`) in a small
// panel (`pnl_haus`) that it hands the window. An entered minimum is a step of the light edits,
// stored within 1..9.

#include "PanelEditor.h"

#include <QObject>
#include <QPointer>

class DocumentChange;
class NumberField;
class QLabel;
class QSpinBox;
class QWidget;

namespace hq {
class FieldValue;
}

class HouseEditor : public QObject, public PanelEditor {
    Q_OBJECT
public:
    // Builds the editor's widget, hidden, as a child of `parent` (may be null); set-up hands it to
    // the host.
    explicit HouseEditor(QWidget* parent = nullptr);
    ~HouseEditor() override;

    hq::Panel panel() const override { return hq::Panel::House; }
    // Shows the minimum; a stored minimum outside 1..9 is brought into it as a step of its own.
    void setUp(FirmwareDocument& document, EditorHost& host) override;
    void reset() override;

    QWidget* editorArea() const { return area_; }
    QLabel* captionLabel() const { return caption_; }
    NumberField* minimumEdit() const { return edit_; }
    QSpinBox* minimumUpDown() const { return upDown_; }

private:
    void buildPanel();
    void documentChanged(const DocumentChange& change);
    void valueEdited(const hq::FieldValue& value);
    void entryFinished();
    // Shows the document's minimum, marked where it differs from the file.
    void showHouseMinimum();

    QPointer<QWidget> area_;
    QLabel* caption_ = nullptr;
    NumberField* edit_ = nullptr;
    QSpinBox* upDown_ = nullptr;
    FirmwareDocument* document_ = nullptr;
    QMetaObject::Connection following_;
    // While the user types, the field keeps what is typed until the entry is finished.
    bool typing_ = false;
};

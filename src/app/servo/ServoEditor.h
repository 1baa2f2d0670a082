#pragma once
// The servo firmware's editor: the curve panel pnl_servo with the preview beside it and the
// assignment panel pnl_servo2 below, handed to the window as one area. The panels show the
// document's servo working copy and change it through the document's servo edits; a document change
// repaints only what it names (a stroke on curve 2: that curve's drawings, its mark and the preview).
// "übernehmen" takes the working copy into the settings the save writes, "verwerfen" goes back to
// them.

#include "PanelEditor.h"

#include <QObject>
#include <QPointer>

class DocumentChange;
class QWidget;
class ServoAssignmentPanel;
class ServoCurvePanel;
class ServoEditorArea;
class ServoEdits;
class ServoPreviewWidget;

class ServoEditor : public QObject, public PanelEditor {
    Q_OBJECT
public:
    // The area is created hidden as a child of `parent` (may be null); set-up hands it to the host.
    explicit ServoEditor(QWidget* parent = nullptr);
    ~ServoEditor() override;

    hq::Panel panel() const override { return hq::Panel::Servo; }
    void setUp(FirmwareDocument& document, EditorHost& host) override;
    void reset() override;

    // The one widget the window shows.
    QWidget* area() const;
    ServoCurvePanel* curvePanel() const { return curvePanel_; }
    ServoAssignmentPanel* assignmentPanel() const { return assignmentPanel_; }
    // The preview right of the curve panel: the selected curve played with its timing.
    ServoPreviewWidget* preview() const { return preview_; }

private:
    void showChange(const DocumentChange& change);

    ServoEdits* edits_ = nullptr;
    QMetaObject::Connection following_;
    ServoCurvePanel* curvePanel_;
    ServoAssignmentPanel* assignmentPanel_;
    ServoPreviewWidget* preview_;
    QPointer<ServoEditorArea> area_;
};

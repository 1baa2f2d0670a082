#pragma once
// The servo firmware's editor: the two panels pnl_servo (curves) and pnl_servo2 (assignment and
// pulse timing) as a view of the window's document. The panels edit a mirror of the document's
// servo working copy; every change they report becomes a document step, and every document change
// (an edit, undo, redo) is shown again. "übernehmen" takes the working copy into the settings the
// save writes, "verwerfen" goes back to them.

#include "PanelEditor.h"
#include "servo/ServoWorkingCopy.h"

#include <QObject>
#include <QPointer>

class QWidget;
class ServoAssignmentPanel;
class ServoCurvePanel;
class ServoPreviewWidget;

class ServoEditor : public QObject, public PanelEditor {
    Q_OBJECT
public:
    static constexpr int kWindowWidth = 950;
    static constexpr int kWindowHeight = 700;

    // The panels are created hidden as children of `parent` (may be null); set-up moves them into
    // the host's client area.
    explicit ServoEditor(QWidget* parent = nullptr);
    ~ServoEditor() override;

    hq::Panel panel() const override { return hq::Panel::Servo; }
    void setUp(FirmwareDocument& document, EditorHost& host) override;
    void reset() override;

    ServoCurvePanel* curvePanel() const;
    ServoAssignmentPanel* assignmentPanel() const;
    // The preview right of the curve panel: the selected curve played with its timing.
    ServoPreviewWidget* preview() const;
    // What the panels show: the document's working copy.
    const hq::ServoWorkingCopy& workingCopy() const { return copy_; }

private:
    void placeInto(EditorHost& host);
    // Shows the document's working copy, the state of "übernehmen" and the marks of what differs
    // from the file.
    void refresh();
    // Takes the panels' changed working copy into the document as one step.
    void commit(const QString& text, int mergeKey = -1);

    hq::ServoWorkingCopy copy_;
    FirmwareDocument* document_ = nullptr;
    QMetaObject::Connection following_;
    QPointer<ServoCurvePanel> curvePanel_;
    QPointer<ServoAssignmentPanel> assignmentPanel_;
    QPointer<ServoPreviewWidget> preview_;
};

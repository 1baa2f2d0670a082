#pragma once
// The servo firmware's editor: owns the working copy and the two panels pnl_servo (curves) and
// pnl_servo2 (assignment and pulse timing), fills them from the loaded firmware and writes the
// working copy back on "übernehmen".

#include "PanelEditor.h"
#include "servo/ServoWorkingCopy.h"

#include <QPointer>

class QWidget;
class ServoAssignmentPanel;
class ServoCurvePanel;

class ServoEditor : public PanelEditor {
public:
    static constexpr int kWindowWidth = 950;
    static constexpr int kWindowHeight = 700;

    // The panels are created hidden as children of `parent` (may be null); set-up moves them into
    // the host's client area.
    explicit ServoEditor(QWidget* parent = nullptr);
    ~ServoEditor() override;

    hq::Panel panel() const override { return hq::Panel::Servo; }
    void setUp(hq::Firmware& firmware, EditorHost& host) override;
    void reset() override;
    bool hasPendingChanges() const override;
    void acceptChanges() override;

    // "verwerfen": the working copy again from the firmware.
    void discardChanges();

    ServoCurvePanel* curvePanel() const;
    ServoAssignmentPanel* assignmentPanel() const;
    const hq::ServoWorkingCopy& workingCopy() const { return copy_; }

private:
    void SetUpServoPanel(EditorHost& host);
    void LoadServoWorkingCopy();
    void placeInto(EditorHost& host);

    hq::ServoWorkingCopy copy_;
    hq::Firmware* firmware_ = nullptr;
    QPointer<ServoCurvePanel> curvePanel_;
    QPointer<ServoAssignmentPanel> assignmentPanel_;
};

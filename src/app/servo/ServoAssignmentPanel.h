#pragma once
// pnl_servo2: for each switching address a1..a8 the servo, action, curve and relay it drives; for
// each servo its pulse range (offset and faktor, shown in milliseconds) and its four option flags.

#include "servo/ServoAssignment.h"
#include "servo/ServoWorkingCopy.h"

#include <QFrame>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;

class ServoAssignmentPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 405;

    enum class Field { Servo, Action, Curve, Relay };

    // `copy` is the editor's working copy; it outlives the panel.
    explicit ServoAssignmentPanel(hq::ServoWorkingCopy& copy, QWidget* parent = nullptr);

    // While busy, flag clicks are no edits.
    void setBusy(bool busy) { busy_ = busy; }

    // Sets the 32 combo boxes and their visibility from the assignment bytes.
    void showAssignments();
    // Sets the 16 check boxes from the flag bytes.
    void showFlags();
    // Shows offset and maximum pulse of every servo in milliseconds.
    void showTiming();
    // Marks the combo boxes, check boxes and pulse times whose value differs from `file`.
    void markChanges(const hq::ServoWorkingCopy& file);

    QComboBox* combo(int row, Field field) const;

    // Handlers.
    void assignmentChange(int row, Field field, int item);
    void flagClick();
    void btn_offsetClick(int servo, int step);
    void btn_faktorClick(int servo, int step);

signals:
    // The working copy changed by one step named `text`.
    void edited(const QString& text);

private:
    struct Row {
        std::array<QComboBox*, 4> combos{};
    };
    struct Servo {
        QLineEdit* offset = nullptr;
        QLineEdit* maximum = nullptr;
        std::array<QCheckBox*, 4> flags{};
    };

    QWidget* buildAssignments();
    QWidget* buildTiming();
    QWidget* buildFlags();
    void applyVisibility(int row);

    hq::ServoWorkingCopy& copy_;
    bool busy_ = false;
    QTabWidget* tabs_;
    std::array<Row, hq::kAssignmentRowCount> rows_{};
    std::array<Servo, hq::kServoCurveCount> servos_{};
};

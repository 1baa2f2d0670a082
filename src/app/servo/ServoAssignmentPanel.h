#pragma once
// pnl_servo2: the servo settings besides the curves, on three tabs: "Zuordnung" (what each switching
// address a1..a8 drives), "Impulse" (each servo's pulse range) and "Optionen" (each servo's flags).
// A tab's controls are built when it is first shown, so that a window opening on the servo firmware
// builds only what it shows. The tabs show the document's working copy and change it through the
// servo edits.

#include <QFrame>

class QTabWidget;
class ServoAssignmentPage;
class ServoEdits;
class ServoFlagsPage;
class ServoTimingPage;

class ServoAssignmentPanel : public QFrame {
    Q_OBJECT
public:
    explicit ServoAssignmentPanel(QWidget* parent = nullptr);

    // The settings shown and changed; null shows nothing.
    void setEdits(ServoEdits* edits);
    // The assignments and options live in the curve blocks: while those hold code, their pages are
    // only shown. The pulse timing (in the EEPROM) stays editable.
    void setCurveSettingsEditable(bool editable);
    // Shows the assignments, timing and flags of the tabs built so far.
    void showSettings();

    QTabWidget* tabs() const { return tabs_; }
    // The tab's page, once it is built (null before).
    ServoAssignmentPage* assignmentPage() const { return assignments_; }
    ServoTimingPage* timingPage() const { return timing_; }
    ServoFlagsPage* flagsPage() const { return flags_; }

signals:
    // The tabs showed the settings again (for tests that count what a change repaints).
    void settingsShown();

private:
    // Builds the page of tab `index` if it is not built yet, and shows the settings on it.
    void buildPage(int index);
    void buildAssignments();
    void buildTiming();
    void buildFlags();
    void fitPages();

    ServoEdits* edits_ = nullptr;
    QTabWidget* tabs_;
    ServoAssignmentPage* assignments_ = nullptr;
    bool curveSettingsEditable_ = true;
    ServoTimingPage* timing_ = nullptr;
    ServoFlagsPage* flags_ = nullptr;
};

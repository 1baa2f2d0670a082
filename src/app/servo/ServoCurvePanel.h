#pragma once
// pnl_servo: the curve editor of the servo firmware. Shows the selected curve and its relay track,
// edits point count and stretch, generates, mirrors and copies curves, saves and loads curve and set
// files, and offers "übernehmen" / "verwerfen" for the whole working copy. The panel changes the
// working copy it is given and reports each change (a named step, or a mouse stroke) for the editor
// to take into the window's document.

#include "Result.h"
#include "servo/ServoWorkingCopy.h"

#include <QFrame>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ServoCurveCanvas;
class ServoRelayCanvas;
namespace hq {
enum class CurveShape;
}

class ServoCurvePanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 535;

    // `copy` is the editor's working copy; it outlives the panel.
    explicit ServoCurvePanel(hq::ServoWorkingCopy& copy, QWidget* parent = nullptr);

    // The selected curve 1..4, 0 when no radio button is checked.
    int selectedCurve() const;
    void selectCurve(int curve);

    // While busy the radio buttons do not refresh (the set-up refreshes once at its end).
    void setBusy(bool busy) { busy_ = busy; }

    void setAcceptEnabled(bool enabled);
    bool acceptEnabled() const;

    // Redraws both images and shows count, stretch, times and copy buttons of the selected curve. A
    // count or stretch typed as text that stands for the stored value ("0" for 1) stays as typed
    // unless `asStored`.
    void showCurve(bool asStored = false);
    // Marks the radio buttons of the curves whose points, count or stretch differ from the file.
    void markCurves(const std::array<bool, hq::kServoCurveCount>& changed);

    // Handlers.
    void servo_rad_a1Click();
    void servo_edt_AnzahlChange();
    void servo_edt_stretchChange();
    void servo_btn_LinClick();
    void servo_btn_LogClick();
    void servo_btn_SinClick();
    void servo_btn_sin2Click();
    void servo_btn_MirrorVertikalClick();
    void servo_btn_MirrorHorizontalClick();
    void servo_btn_copyClick(int from);
    void servo_save_1Click();
    void servo_load_xClick();
    void servo_save_allClick();
    void servo_load_allClick();
    // What the canvases report drawn: a point's position 0..127, a point's relay on (1) or off (0).
    void curvePointDrawn(int point, int position);
    void relayPointDrawn(int point, int on);

signals:
    // The working copy changed by one step named `text`; steps typed into one field share
    // `mergeKey` (-1 for none) until `entryFinished`.
    void edited(const QString& text, int mergeKey);
    void entryFinished();
    // A mouse stroke on a canvas: started, drew (the working copy changed), finished.
    void strokeStarted();
    void strokeDrawn();
    void strokeFinished(const QString& text);
    void acceptRequested();
    void discardRequested();

private:
    hq::CurveBlock* selectedBlock();
    void redraw();
    // A drawn edit of the selected curve; shown and marked only when it changed something.
    void applyDrawn(const std::function<void(hq::CurveBlock&)>& edit);
    // Count, stretch (unless `keepEdits`; as stored with `asStored`), times and copy buttons.
    void refreshInfo(bool keepEdits = false, bool asStored = false);
    void markEdited(const QString& text, int mergeKey = -1);
    // The count or stretch handler: a parsed value into the selected curve's entry, or the message.
    void storeCurveSetting(const hq::Result<int>& value, int entry, const QString& text, int mergeKey);
    void generate(hq::CurveShape shape, const QString& text);
    QPushButton* button(const char* name, const QString& caption);

    hq::ServoWorkingCopy& copy_;
    bool busy_ = false;
    ServoCurveCanvas* curveCanvas_;
    ServoRelayCanvas* relayCanvas_;
    std::array<QRadioButton*, hq::kServoCurveCount> curveRadios_{};
    QLineEdit* countEdit_;
    QLineEdit* stretchEdit_;
    QLabel* intervalLabel_;
    QLabel* durationLabel_;
    std::array<QPushButton*, hq::kServoCurveCount> copyButtons_{};
    QPushButton* acceptButton_;
    QPushButton* discardButton_;
};

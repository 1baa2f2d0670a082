#pragma once
// What the pattern and the servo preview share: the start/pause button, the player that turns the
// clock's "now" into elapsed time, and a timer that only asks for repaints while frames change.
// Every frame is worked out afresh from the elapsed time, never counted per tick, so a busy machine
// skips frames instead of slowing the firmware's timing down. The preview stops when it is hidden.

#include "preview/PreviewClock.h"
#include "preview/PreviewPlayer.h"

#include <QTimer>
#include <QWidget>

#include <optional>

class QPainter;
class QPushButton;

class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    // Often enough for the 20 ms steps to look smooth; frames are skipped, never slowed.
    static constexpr int kFrameIntervalMs = 30;

    // The clock "now" is read from; the steady clock unless a test hands in its own.
    void setClock(PreviewClock clock);

    // The button's action: pause while frames change, otherwise start.
    void toggle();
    // Resumes a paused preview, plays a stopped or finished one from the beginning. Nothing happens
    // while there is nothing to play.
    void start();
    // Freezes the frame shown.
    void pause();
    // Back to the beginning, not playing; for a panel that hides or a file that is replaced.
    void stop();

    hq::PreviewPlayer::State state() const { return player_.state(); }
    // Running and not yet at its end: the button offers "Pause".
    bool isPlaying() const;
    bool frameTimerActive() const { return timer_.isActive(); }
    QPushButton* playButton() const { return button_; }

    // Reads the source again and shows the frame for now. The timer calls it while playing; an
    // editor calls it after an edit, so that a paused or finished preview shows the edit too.
    void refresh();

    // Paints the current frame into `area`: the widget paints itself this way, and benchmarks and
    // printed pictures call it directly.
    virtual void paintFrame(QPainter& painter, const QRectF& area) const = 0;

protected:
    PreviewWidget(QSize drawingSize, const QString& toolTip, QWidget* parent);

    // False while there is nothing to play (no source, no table); the button is disabled then.
    virtual bool hasSource() const = 0;
    // How long one play lasts with the source's current values; nothing for a loop.
    virtual std::optional<hq::Milliseconds> playLength() const = 0;
    // Takes the frame at `elapsed`, or the resting frame of a stopped preview when nothing.
    virtual void takeFrame(std::optional<hq::Milliseconds> elapsed) = 0;
    // Whether the frame just taken looks different from the one painted before; a preview that can
    // tell saves the repaint of a frame that did not change (an edit of a point it does not show).
    virtual bool frameChanged() const { return true; }

    void hideEvent(QHideEvent* event) override;

private:
    void followPlayer(hq::Milliseconds now);

    PreviewClock clock_;
    hq::PreviewPlayer player_;
    QTimer timer_;
    QWidget* view_;
    QPushButton* button_;
};

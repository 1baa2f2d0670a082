#pragma once
// Start, pause, resume and restart of a preview, driven by "now" values the caller reads from its
// clock. The player only turns them into the elapsed time that the step functions take, so pausing
// freezes the shown step and starting a finished preview plays it again from the beginning.

#include "preview/PreviewTime.h"

#include <optional>

namespace hq {

class PreviewPlayer {
public:
    enum class State { Stopped, Running, Paused };

    // How long the preview plays before it ends (patternPlayLength, servoPlayLength); nothing for a
    // looping pattern. May change while playing, when the user edits count or stretch.
    void setLength(std::optional<Milliseconds> length) { length_ = length; }
    std::optional<Milliseconds> length() const { return length_; }

    // Resumes a paused preview, restarts a stopped or finished one and leaves a running one alone.
    void start(Milliseconds now);
    // Freezes the elapsed time; only a running preview pauses.
    void pause(Milliseconds now);
    // Goes on from the frozen time; only a paused preview resumes.
    void resume(Milliseconds now);
    // Plays from the beginning, whatever the state.
    void restart(Milliseconds now);
    // Back to the beginning, not playing.
    void stop();

    State state() const { return state_; }
    // 0 when stopped, frozen when paused, else now minus the start, never below 0 and held at the
    // length once it is reached, so the last step or point stays.
    Milliseconds elapsed(Milliseconds now) const;
    bool finished(Milliseconds now) const;
    // True while frames change: running and not finished. The caller's timer may stop otherwise.
    bool needsFrames(Milliseconds now) const;

private:
    Milliseconds rawElapsed(Milliseconds now) const;

    State state_ = State::Stopped;
    Milliseconds startedAt_ = 0; // Running: the "now" that counts as elapsed 0
    Milliseconds frozen_ = 0;    // Paused: the elapsed time held
    std::optional<Milliseconds> length_;
};

} // namespace hq

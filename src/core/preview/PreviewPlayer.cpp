// The player's states and the elapsed time they yield.

#include "preview/PreviewPlayer.h"

#include <algorithm>

namespace hq {

void PreviewPlayer::start(Milliseconds now) {
    if (state_ == State::Stopped || finished(now))
        restart(now);
    else if (state_ == State::Paused)
        resume(now);
}

void PreviewPlayer::pause(Milliseconds now) {
    if (state_ != State::Running)
        return;
    frozen_ = elapsed(now);
    state_ = State::Paused;
}

void PreviewPlayer::resume(Milliseconds now) {
    if (state_ != State::Paused)
        return;
    startedAt_ = now - frozen_;
    state_ = State::Running;
}

void PreviewPlayer::restart(Milliseconds now) {
    startedAt_ = now;
    frozen_ = 0;
    state_ = State::Running;
}

void PreviewPlayer::stop() {
    frozen_ = 0;
    state_ = State::Stopped;
}

Milliseconds PreviewPlayer::rawElapsed(Milliseconds now) const {
    switch (state_) {
    case State::Running:
        return std::max<Milliseconds>(now - startedAt_, 0);
    case State::Paused:
        return frozen_;
    case State::Stopped:
        break;
    }
    return 0;
}

Milliseconds PreviewPlayer::elapsed(Milliseconds now) const {
    const Milliseconds raw = rawElapsed(now);
    return length_ ? std::min(raw, *length_) : raw;
}

bool PreviewPlayer::finished(Milliseconds now) const {
    return state_ != State::Stopped && length_ && rawElapsed(now) >= *length_;
}

bool PreviewPlayer::needsFrames(Milliseconds now) const {
    return state_ == State::Running && !finished(now);
}

} // namespace hq

#pragma once
// The blink and LED pattern preview: which step shows after a given time and how its lamps look.
// The step is worked out from the elapsed time alone, never counted per frame, so a frame that
// comes late skips the steps it missed instead of slowing the pattern down.

#include "light/PatternBank.h"
#include "light/PatternView.h"
#include "preview/PreviewTime.h"

#include <optional>
#include <vector>

namespace hq {

struct PatternStep {
    int step = 0;          // 0..count-1
    bool finished = false; // a pattern without loop has shown its last step for a full interval

    friend bool operator==(const PatternStep&, const PatternStep&) = default;
};

// Steps 0..count-1 each for 20 ms x stretch; with `loop` again from step 0, without it the last
// step holds. A count or stretch below 1 counts as 1, a negative time as 0.
PatternStep patternStepAt(Milliseconds elapsed, int count, int stretch, bool loop);

// How long a pattern plays before it is finished (count x 20 ms x stretch); nothing with loop.
std::optional<Milliseconds> patternPlayLength(int count, int stretch, bool loop);

enum class LampState {
    Off,
    On,
    Unused, // the output is not in use: drawn grey
};

// The lamps of outputs 1..layout().outputs of pattern `address` (1..4) at `step`.
std::vector<LampState> lampStates(const PatternView& bank, int address, int step);

struct PatternFrame {
    PatternStep step;
    std::vector<LampState> lamps;
};

// The frame of pattern `address` with the bank's count, stretch and loop.
PatternFrame patternFrame(const PatternView& bank, int address, Milliseconds elapsed);
std::optional<Milliseconds> patternPlayLength(const PatternView& bank, int address);

} // namespace hq

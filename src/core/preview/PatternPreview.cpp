// Pattern steps from elapsed time and the lamps of one step.

#include "preview/PatternPreview.h"

#include <algorithm>

namespace hq {

PatternStep patternStepAt(Milliseconds elapsed, int count, int stretch, bool loop) {
    const Milliseconds steps = std::max(count, 1);
    const Milliseconds passed = std::max<Milliseconds>(elapsed, 0) / stretchInterval(stretch);
    if (loop)
        return {static_cast<int>(passed % steps), false};
    if (passed >= steps)
        return {static_cast<int>(steps - 1), true};
    return {static_cast<int>(passed), false};
}

std::optional<Milliseconds> patternPlayLength(int count, int stretch, bool loop) {
    if (loop)
        return std::nullopt;
    return std::max(count, 1) * stretchInterval(stretch);
}

std::vector<LampState> lampStates(const PatternView& bank, int address, int step) {
    const int outputs = bank.layout().outputs;
    std::vector<LampState> lamps(static_cast<std::size_t>(outputs), LampState::Unused);
    for (int output = 1; output <= outputs; ++output) {
        if (bank.outputUsed(address, output))
            lamps[static_cast<std::size_t>(output - 1)] =
                bank.step(address, output, step) ? LampState::On : LampState::Off;
    }
    return lamps;
}

PatternFrame patternFrame(const PatternView& bank, int address, Milliseconds elapsed) {
    PatternFrame frame;
    frame.step = patternStepAt(elapsed, bank.count(address), bank.stretch(address), bank.loop(address));
    frame.lamps = lampStates(bank, address, frame.step.step);
    return frame;
}

std::optional<Milliseconds> patternPlayLength(const PatternView& bank, int address) {
    return patternPlayLength(bank.count(address), bank.stretch(address), bank.loop(address));
}

} // namespace hq

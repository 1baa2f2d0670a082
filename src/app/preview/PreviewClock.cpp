// The steady clock of the previews.

#include "preview/PreviewClock.h"

#include <chrono>

PreviewClock steadyPreviewClock() {
    return [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<hq::Milliseconds>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    };
}

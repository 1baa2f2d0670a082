#pragma once
// The clock the previews read "now" from. It is handed in as a function so that tests drive the
// previews with a fake time and never sleep; the window uses the steady clock.

#include "preview/PreviewTime.h"

#include <functional>

using PreviewClock = std::function<hq::Milliseconds()>;

// Milliseconds of a monotonic clock; wall-clock changes (summer time, NTP) never make a preview
// jump.
PreviewClock steadyPreviewClock();

#pragma once
// Time in the previews: milliseconds since playing started, handed in by the caller, so the core
// never reads a clock and tests need neither a real clock nor sleeping. Both firmwares advance one
// step (pattern step or curve point) every 20 ms x stretch.

#include <cstdint>

namespace hq {

using Milliseconds = std::int64_t;

inline constexpr Milliseconds kPreviewMsPerStretch = 20;

// 20 ms x stretch; a stretch below 1 counts as 1.
Milliseconds stretchInterval(int stretch);

} // namespace hq

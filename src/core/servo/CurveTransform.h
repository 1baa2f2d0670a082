#pragma once
// Edits of one curve block: single points, mirroring, copying.

#include "servo/ServoData.h"

namespace hq {

inline constexpr int kRelayBit = 0x80;
inline constexpr int kPositionMask = 0x7F;
inline constexpr int kMaxPosition = 127;

inline int pointPosition(int entry) {
    return entry & kPositionMask;
}
inline bool pointRelay(int entry) {
    return (entry & kRelayBit) != 0;
}

// Point 0..99 gets the position (clamped to 0..127) and keeps its relay bit.
void setPointPosition(CurveBlock& block, int point, int position);
// Point 0..99 gets its relay bit set or cleared and keeps its position.
void setPointRelay(CurveBlock& block, int point, bool on);

// Turns the curve upside down: position p becomes 127 - p for the points within the count.
void mirrorVertical(CurveBlock& block);
// Reverses the order of the positions within the count; every point keeps its own relay bit, so
// the relay track stays where it is.
void mirrorHorizontal(CurveBlock& block);

// The curve of `from` onto `to`: points 0..99 with their relay bits, the point count and the
// stretch. The block's other entries belong to its servo and its addresses (the flag byte at 100,
// the assignment bytes at 103..107) and stay those of `to`.
void copyCurveBlock(const CurveBlock& from, CurveBlock& to);

} // namespace hq

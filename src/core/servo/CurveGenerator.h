#pragma once
// The shapes the curve buttons generate. Each step is rounded to single precision where the
// decoder's tool always did, so a curve comes out point for point as users know it.

#include "servo/ServoData.h"

namespace hq {

enum class CurveShape {
    Linear,      // "Lin": rises from 0 toward 127
    Logarithmic, // "Log": rises steeply, then flattens toward 127
    QuarterSine, // "1/4 Sin": half a sine wave from its minimum, 0 up to 126
    HalfSine,    // "1/2 Sin": a whole sine wave from its minimum, 0 up to 126 and back to 0
};

// The position (0..127) of point i of a curve of `count` points (1..100). A single point is 0.
int generatedPosition(CurveShape shape, int count, int i);

// Sets the positions of the curve's points 0..count-1 (count clamped to 1..100); every point keeps
// its relay bit, the points beyond the count stay as they are.
void generateCurve(CurveBlock& block, CurveShape shape);

} // namespace hq

#pragma once
// The servo preview plays the selected curve once: points 0..n-1 of the curve block, one every
// "Zeit zwischen 2 Punkten" (20 ms x stretch), then it holds the last point. It ends when the last
// point is reached, after (n - 1) intervals, the "Gesamtzeit für diese Kurve" the editor shows.

#include "preview/PreviewTime.h"
#include "servo/ServoData.h"

namespace hq {

struct ServoPoint {
    int index = 0; // 0..pointCount-1
    bool finished = false;

    friend bool operator==(const ServoPoint&, const ServoPoint&) = default;
};

// A point count or stretch below 1 counts as 1, a negative time as 0.
ServoPoint servoPointAt(Milliseconds elapsed, int pointCount, int stretch);
// (pointCount - 1) x 20 ms x stretch.
Milliseconds servoPlayLength(int pointCount, int stretch);

// The stored stretch of a curve brought into 1..200.
int curveStretch(const CurveBlock& curve);

struct ServoFrame {
    ServoPoint point;
    int position = 0;   // bits 0..6 of the point's byte
    bool relay = false; // bit 7

    friend bool operator==(const ServoFrame&, const ServoFrame&) = default;
};

// The frame of a curve with its stored point count and stretch.
ServoFrame servoFrame(const CurveBlock& curve, Milliseconds elapsed);
Milliseconds servoPlayLength(const CurveBlock& curve);

} // namespace hq

// Curve points from elapsed time.

#include "preview/ServoPreview.h"

#include <algorithm>

namespace hq {

ServoPoint servoPointAt(Milliseconds elapsed, int pointCount, int stretch) {
    const Milliseconds last = std::max(pointCount, 1) - 1;
    const Milliseconds passed = std::max<Milliseconds>(elapsed, 0) / stretchInterval(stretch);
    return {static_cast<int>(std::min(passed, last)), passed >= last};
}

Milliseconds servoPlayLength(int pointCount, int stretch) {
    return (std::max(pointCount, 1) - 1) * stretchInterval(stretch);
}

int curveStretch(const CurveBlock& curve) {
    return std::clamp(curve[kCurveStretchEntry], 1, kMaxStretch);
}

ServoFrame servoFrame(const CurveBlock& curve, Milliseconds elapsed) {
    ServoFrame frame;
    frame.point = servoPointAt(elapsed, clampedPointCount(curve), curveStretch(curve));
    const int value = curve[static_cast<std::size_t>(frame.point.index)];
    frame.position = value & 0x7F;
    frame.relay = (value & 0x80) != 0;
    return frame;
}

Milliseconds servoPlayLength(const CurveBlock& curve) {
    return servoPlayLength(clampedPointCount(curve), curveStretch(curve));
}

} // namespace hq

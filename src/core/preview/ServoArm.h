#pragma once
// The servo arm of the preview as plain geometry, so the widget only paints. The arm turns about a
// pivot left of the middle of the canvas; position 0 draws it at its lowest, 60 degrees below the
// horizontal, position 127 at its highest, 60 degrees above, matching the curve drawing where
// higher positions stand higher. Canvas coordinates grow to the right and downwards.

namespace hq {

inline constexpr double kServoArmSweepDegrees = 120.0;
inline constexpr int kHighestServoPosition = 127;

// Degrees above the horizontal (negative below): -60 at position 0, +60 at 127; positions outside
// 0..127 are clamped.
double servoArmAngle(int position);

struct CanvasPoint {
    double x = 0;
    double y = 0;
};

struct ServoArmGeometry {
    CanvasPoint pivot;
    CanvasPoint end;
    double length = 0;
    double angleDegrees = 0;
};

// The pivot at a quarter of the width and half the height; the arm as long as keeps its end at least
// 5 % of the canvas inside every edge over the whole sweep. An empty canvas gives a zero arm.
ServoArmGeometry servoArmGeometry(int position, int width, int height);

} // namespace hq

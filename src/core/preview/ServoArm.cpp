// Arm angle and end point of the servo preview.

#include "preview/ServoArm.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hq {

namespace {

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

double servoArmAngle(int position) {
    const int clamped = std::clamp(position, 0, kHighestServoPosition);
    return -kServoArmSweepDegrees / 2 + kServoArmSweepDegrees * clamped / kHighestServoPosition;
}

ServoArmGeometry servoArmGeometry(int position, int width, int height) {
    const double w = std::max(width, 0);
    const double h = std::max(height, 0);
    ServoArmGeometry arm;
    arm.angleDegrees = servoArmAngle(position);
    arm.pivot = {0.25 * w, 0.5 * h};
    // From a quarter of the width the end may reach 95 % of it; from half the height it may rise or
    // fall 45 % of it at the steepest angle of the sweep.
    arm.length = std::min(0.7 * w, 0.45 * h / std::sin(radians(kServoArmSweepDegrees / 2)));
    const double angle = radians(arm.angleDegrees);
    arm.end = {arm.pivot.x + arm.length * std::cos(angle), arm.pivot.y - arm.length * std::sin(angle)};
    return arm;
}

} // namespace hq

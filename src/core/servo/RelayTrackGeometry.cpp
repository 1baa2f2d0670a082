#include "servo/RelayTrackGeometry.h"

#include "servo/ServoData.h"

#include <algorithm>
#include <cmath>

namespace hq {

namespace {

constexpr int kRelayOnLevel = 100;
constexpr double kRelayThreshold = 50;

} // namespace

RelayTrackGeometry::RelayTrackGeometry(int curveWidth, int height, int pointCount)
    : height_(height),
      xStep_(static_cast<double>(curveWidth - 10) / std::clamp(pointCount, 1, kMaxCurvePoints)),
      yScale_(static_cast<double>(height) / 128) {}

int RelayTrackGeometry::pointIndexAt(double x) const {
    const double index = std::trunc(x / xStep_);
    return static_cast<int>(std::clamp(index, 0.0, static_cast<double>(kMaxCurvePoints - 1)));
}

bool RelayTrackGeometry::relayOnAt(double y) const {
    return (height_ - y) / yScale_ > kRelayThreshold;
}

RelayBar RelayTrackGeometry::bar(int index, bool relayOn) const {
    const int level = relayOn ? kRelayOnLevel : 0;
    return {static_cast<int>(index * xStep_), static_cast<int>(height_ - level * yScale_),
            static_cast<int>((index + 1) * xStep_), height_};
}

} // namespace hq

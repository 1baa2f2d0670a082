#include "servo/CurveCanvasGeometry.h"

#include "servo/CurveTransform.h"
#include "servo/ServoData.h"

#include <algorithm>
#include <cmath>

namespace hq {

CurveCanvasGeometry::CurveCanvasGeometry(int width, int height, int pointCount)
    : height_(height), xStep_(static_cast<double>(width - 10) / std::clamp(pointCount, 1, kMaxCurvePoints)),
      yScale_(static_cast<double>(height) / 128) {}

int CurveCanvasGeometry::pointIndexAt(double x) const {
    const double index = std::trunc(x / xStep_ + 0.5);
    return static_cast<int>(std::clamp(index, 0.0, static_cast<double>(kMaxCurvePoints - 1)));
}

int CurveCanvasGeometry::positionAt(double y) const {
    const double position = std::trunc((height_ - y) / yScale_);
    return static_cast<int>(std::clamp(position, 0.0, static_cast<double>(kMaxPosition)));
}

int CurveCanvasGeometry::pointX(int index) const {
    return static_cast<int>(index * xStep_);
}

int CurveCanvasGeometry::pointY(int position) const {
    return static_cast<int>(height_ - position * yScale_);
}

int CurveCanvasGeometry::markerRadius() const {
    return std::min(static_cast<int>(xStep_ / 3), 3);
}

} // namespace hq

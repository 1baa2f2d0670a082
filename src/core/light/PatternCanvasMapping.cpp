#include "light/PatternCanvasMapping.h"

#include <algorithm>

namespace hq {

namespace {
constexpr double kOnValue = 100.0;
constexpr double kOnThreshold = 50.0;
constexpr double kValueRange = 128.0;
constexpr int kRightMargin = 10;
} // namespace

PatternCanvasMapping::PatternCanvasMapping(int width, int height, int count)
    : width_(width), height_(height), count_(std::max(count, 1)),
      stepWidth_(static_cast<double>(width - kRightMargin) / count_),
      valueScale_(static_cast<double>(height) / kValueRange) {}

int PatternCanvasMapping::stepForX(int x) const {
    if (stepWidth_ <= 0.0)
        return 0;
    double step = static_cast<double>(x) / stepWidth_;
    if (step <= 0.0)
        return 0;
    if (step >= count_)
        return count_ - 1;
    return static_cast<int>(step);
}

double PatternCanvasMapping::valueForY(int y) const {
    if (valueScale_ <= 0.0)
        return 0.0;
    return (height_ - y) / valueScale_;
}

bool PatternCanvasMapping::switchesOnAt(int y) const {
    return valueForY(y) > kOnThreshold;
}

BarRect PatternCanvasMapping::bar(int step) const {
    return BarRect{static_cast<int>(step * stepWidth_), static_cast<int>(height_ - kOnValue * valueScale_),
                   static_cast<int>((step + 1) * stepWidth_), height_};
}

} // namespace hq

#include "servo/CurveGenerator.h"

#include "servo/CurveTransform.h"

#include <cmath>

namespace hq {

namespace {

int truncated(float value) {
    return static_cast<int>(value);
}

int sinePosition(double span, int count, int i) {
    const float step = static_cast<float>(span / (count - 1));
    const float sine = static_cast<float>(std::sin(static_cast<double>(step) * i + 4.712384999999999));
    return truncated(static_cast<float>(static_cast<double>(sine) * 63 + 63));
}

} // namespace

int generatedPosition(CurveShape shape, int count, int i) {
    if (count <= 1) {
        return 0;
    }
    switch (shape) {
    case CurveShape::Linear: {
        const float step = static_cast<float>(127.0 / (count - 1));
        return truncated(static_cast<float>(static_cast<double>(step) * i));
    }
    case CurveShape::Logarithmic: {
        const float scale = static_cast<float>(127.0 / std::log(static_cast<double>(count)));
        const float logarithm = static_cast<float>(std::log(static_cast<double>(i + 1)));
        return truncated(static_cast<float>(static_cast<double>(scale) * static_cast<double>(logarithm)));
    }
    case CurveShape::QuarterSine:
        return sinePosition(3.14159, count, i);
    case CurveShape::HalfSine:
        return sinePosition(6.28318, count, i);
    }
    return 0;
}

void generateCurve(CurveBlock& block, CurveShape shape) {
    const int count = clampedPointCount(block);
    for (int i = 0; i < count; ++i) {
        setPointPosition(block, i, generatedPosition(shape, count, i));
    }
}

} // namespace hq

#include "servo/CurveSettings.h"

#include "ParseInteger.h"
#include "servo/ServoData.h"

#include <algorithm>

namespace hq {

namespace {

constexpr int kMillisecondsPerStretch = 20;

Result<int> parseClamped(std::string_view text, int maximum, const char* message) {
    const auto value = parseInteger(text);
    if (!value) {
        return Error{message};
    }
    return std::clamp(*value, 1, maximum);
}

} // namespace

Result<int> parsePointCount(std::string_view text) {
    return parseClamped(text, kMaxCurvePoints, kPointCountMessage);
}

Result<int> parseStretch(std::string_view text) {
    return parseClamped(text, kMaxStretch, kStretchMessage);
}

std::string pointIntervalText(int stretch) {
    return "Zeit zwischen 2 Punkten = " + std::to_string(stretch * kMillisecondsPerStretch) + " ms";
}

std::string curveDurationText(int count, int stretch) {
    return "Gesamtzeit für diese Kurve = " + std::to_string((count - 1) * stretch * kMillisecondsPerStretch) +
           " ms";
}

} // namespace hq

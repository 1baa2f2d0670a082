#include "servo/CurveFile.h"

#include "servo/FileLines.h"

#include <algorithm>

namespace hq {

std::string formatCurveFile(const CurveBlock& block) {
    std::string text;
    const int count = clampedPointCount(block);
    for (int i = 0; i < count; ++i) {
        text += std::to_string(block[static_cast<std::size_t>(i)]);
        text += "\r\n";
    }
    return text;
}

bool curveFileTooLong(std::string_view text) {
    return servoFileLines(text).size() > static_cast<std::size_t>(kMaxCurvePoints);
}

Result<std::vector<int>> parseCurveFile(std::string_view text) {
    const auto lines = servoFileLines(text);
    const std::size_t used = std::min(lines.size(), static_cast<std::size_t>(kMaxCurvePoints));
    std::vector<int> points;
    points.reserve(used);
    for (std::size_t i = 0; i < used; ++i) {
        int value = 0;
        if (!servoFileByte(lines[i], value)) {
            return Error{invalidServoFileLineMessage(static_cast<int>(i))};
        }
        points.push_back(value);
    }
    return points;
}

void applyCurvePoints(CurveBlock& block, const std::vector<int>& points) {
    if (points.empty()) {
        return;
    }
    const std::size_t count = std::min(points.size(), static_cast<std::size_t>(kMaxCurvePoints));
    std::copy_n(points.begin(), count, block.begin());
    block[kCurveCountEntry] = static_cast<int>(count);
}

} // namespace hq

#include "servo/CurveSetFile.h"

#include "servo/FileLines.h"

namespace hq {

namespace {

constexpr int kHalfEntries = 2 * kCurveBlockSize;

// Entry i (0..255) of the first half (blocks 1, 2) or the second half (blocks 3, 4).
template <class Data> auto& halfEntry(Data& data, int half, int i) {
    return data.curve(2 * half + 1 + i / kCurveBlockSize)[static_cast<std::size_t>(i % kCurveBlockSize)];
}

} // namespace

std::string formatCurveSetFile(const ServoData& data) {
    std::string text;
    for (int i = 0; i < kHalfEntries; ++i) {
        for (int half = 0; half < 2; ++half) {
            text += std::to_string(halfEntry(data, half, i));
            text += "\r\n";
        }
    }
    return text;
}

Result<ServoData> parseCurveSetFile(std::string_view text) {
    const auto lines = servoFileLines(text);
    if (lines.size() > static_cast<std::size_t>(kCurveSetFileLines)) {
        return Error{kCurveSetFileTooLongMessage};
    }
    ServoData data;
    for (int k = 0; k < kCurveSetFileLines; k += 2) {
        const auto first = static_cast<std::size_t>(k);
        int firstValue = 0;
        int secondValue = 0;
        if (first + 1 >= lines.size() || !servoFileByte(lines[first], firstValue) ||
            !servoFileByte(lines[first + 1], secondValue)) {
            return Error{invalidServoFileLineMessage(k)};
        }
        halfEntry(data, 0, k / 2) = firstValue;
        halfEntry(data, 1, k / 2) = secondValue;
    }
    return data;
}

} // namespace hq

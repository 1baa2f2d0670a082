#include "servo/CurveTransform.h"

#include <algorithm>

namespace hq {

namespace {

int& pointEntry(CurveBlock& block, int point) {
    return block[static_cast<std::size_t>(std::clamp(point, 0, kMaxCurvePoints - 1))];
}

} // namespace

void setPointPosition(CurveBlock& block, int point, int position) {
    int& entry = pointEntry(block, point);
    entry = (entry & kRelayBit) | std::clamp(position, 0, kMaxPosition);
}

void setPointRelay(CurveBlock& block, int point, bool on) {
    int& entry = pointEntry(block, point);
    entry = on ? (entry | kRelayBit) : (entry & ~kRelayBit);
}

void mirrorVertical(CurveBlock& block) {
    const int count = clampedPointCount(block);
    for (int i = 0; i < count; ++i) {
        setPointPosition(block, i, kMaxPosition - pointPosition(block[static_cast<std::size_t>(i)]));
    }
}

void mirrorHorizontal(CurveBlock& block) {
    const int count = clampedPointCount(block);
    for (int i = 0; i < count / 2; ++i) {
        const int j = count - 1 - i;
        const int left = pointPosition(block[static_cast<std::size_t>(i)]);
        setPointPosition(block, i, pointPosition(block[static_cast<std::size_t>(j)]));
        setPointPosition(block, j, left);
    }
}

void copyCurveBlock(const CurveBlock& from, CurveBlock& to) {
    std::copy_n(from.begin(), kMaxCurvePoints, to.begin());
    to[kCurveCountEntry] = from[kCurveCountEntry];
    to[kCurveStretchEntry] = from[kCurveStretchEntry];
}

} // namespace hq

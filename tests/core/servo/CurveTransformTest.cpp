#include "servo/CurveTransform.h"

#include "ServoFirmwareText.h"
#include "servo/ServoAssignment.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

CurveBlock ramp(int count) {
    CurveBlock block{};
    for (int i = 0; i < kCurveBlockSize; ++i) {
        block[static_cast<std::size_t>(i)] = (i * 3) & 0x7F;
    }
    block[0] |= 0x80;
    block[1] |= 0x80;
    block[kCurveCountEntry] = count;
    return block;
}

} // namespace

TEST(PointEdit, PositionKeepsRelayAndRelayKeepsPosition) {
    CurveBlock block{};
    block[5] = 0x80 | 10;
    setPointPosition(block, 5, 127);
    EXPECT_EQ(block[5], 0xFF);
    setPointPosition(block, 5, 200);
    EXPECT_EQ(block[5], 0xFF);
    setPointRelay(block, 5, false);
    EXPECT_EQ(block[5], 127);
    setPointRelay(block, 5, true);
    EXPECT_EQ(block[5], 0xFF);
    // Point numbers outside 0..99 never reach the flag byte or the count.
    setPointPosition(block, 150, 3);
    EXPECT_EQ(block[99], 3);
    EXPECT_EQ(block[kCurveFlagEntry], 0);
}

TEST(Mirror, VerticalTwiceRestoresAndKeepsRelayBits) {
    const CurveBlock original = ramp(10);
    CurveBlock block = original;
    mirrorVertical(block);
    EXPECT_EQ(block[0], 0x80 | 127);
    EXPECT_EQ(block[2], 127 - 6);
    EXPECT_EQ(block[10], original[10]); // beyond the count
    mirrorVertical(block);
    EXPECT_EQ(block, original);
}

TEST(Mirror, HorizontalLeavesRelayTrackInPlace) {
    CurveBlock block = ramp(5); // positions 0, 3, 6, 9, 12; relay on points 0 and 1
    mirrorHorizontal(block);
    EXPECT_EQ(block[0], 0x80 | 12);
    EXPECT_EQ(block[1], 0x80 | 9);
    EXPECT_EQ(block[2], 6); // the middle of an odd count stays
    EXPECT_EQ(block[3], 3);
    EXPECT_EQ(block[4], 0);
    EXPECT_EQ(block[5], 15); // beyond the count
}

TEST(Mirror, HorizontalWithEvenCountSwapsAllPairs) {
    CurveBlock block = ramp(4); // positions 0, 3, 6, 9
    mirrorHorizontal(block);
    EXPECT_EQ(block[0], 0x80 | 9);
    EXPECT_EQ(block[1], 0x80 | 6);
    EXPECT_EQ(block[2], 3);
    EXPECT_EQ(block[3], 0);
    mirrorHorizontal(block);
    EXPECT_EQ(block, ramp(4));
}

TEST(CopyCurveBlock, TakesPointsCountAndStretchOnly) {
    const ServoData data = servotest::demoServoData();
    CurveBlock target{};
    target.fill(-1);
    copyCurveBlock(data.curve(2), target);
    for (int i = 0; i < kMaxCurvePoints; ++i) {
        EXPECT_EQ(target[static_cast<std::size_t>(i)], data.curve(2)[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(target[kCurveCountEntry], data.curve(2)[kCurveCountEntry]);
    EXPECT_EQ(target[kCurveStretchEntry], data.curve(2)[kCurveStretchEntry]);
    // The flag byte and everything after the stretch belong to the target's servo and addresses.
    EXPECT_EQ(target[kCurveFlagEntry], -1);
    for (int i = kCurveStretchEntry + 1; i < kCurveBlockSize; ++i) {
        EXPECT_EQ(target[static_cast<std::size_t>(i)], -1) << i;
    }
}

// "von #1" with curve 2 selected turned the rows a2/a6 (servo 2, curve 2, relay 2) into servo 1,
// curve 1, relay 1 and gave servo 2 the flags of servo 1.
TEST(CopyCurveBlock, KeepsTheAssignmentsAndFlagsOfTheTarget) {
    ServoData data = servotest::demoServoData();
    const ServoData before = data;
    copyCurveBlock(data.curve(1), data.curve(2));
    EXPECT_EQ(data.curve(2)[kCurveFlagEntry], before.curve(2)[kCurveFlagEntry]);
    for (int row : {2, 6}) {
        EXPECT_EQ(assignmentRow(data, row).servoAction, assignmentRow(before, row).servoAction) << row;
        EXPECT_EQ(assignmentRow(data, row).curveRelay, assignmentRow(before, row).curveRelay) << row;
    }
    EXPECT_EQ(data.curve(1), before.curve(1));
}

#include "servo/CurveGenerator.h"
#include "servo/CurveTransform.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace hq;

namespace {

CurveBlock blockWithCount(int count, int fill = 0) {
    CurveBlock block{};
    block.fill(fill);
    block[kCurveCountEntry] = count;
    return block;
}

std::vector<int> positions(const CurveBlock& block, int count) {
    std::vector<int> result;
    for (int i = 0; i < count; ++i) {
        result.push_back(pointPosition(block[static_cast<std::size_t>(i)]));
    }
    return result;
}

std::vector<int> generated(CurveShape shape, int count) {
    CurveBlock block = blockWithCount(count);
    generateCurve(block, shape);
    return positions(block, count);
}

} // namespace

TEST(CurveGenerator, LinearLastPointIs126ExactlyForTheSingleRoundingCounts) {
    const std::set<int> short126{16, 20, 30, 31, 39, 52, 59, 61, 62, 77, 96};
    for (int n = 2; n <= 100; ++n) {
        const int expected = short126.count(n) ? 126 : 127;
        EXPECT_EQ(generatedPosition(CurveShape::Linear, n, n - 1), expected) << "n = " << n;
    }
}

TEST(CurveGenerator, LinearTenPoints) {
    EXPECT_EQ(generated(CurveShape::Linear, 10), (std::vector<int>{0, 14, 28, 42, 56, 70, 84, 98, 112, 127}));
}

TEST(CurveGenerator, LogarithmicShapes) {
    EXPECT_EQ(generated(CurveShape::Logarithmic, 5), (std::vector<int>{0, 54, 86, 109, 127}));
    EXPECT_EQ(generated(CurveShape::Logarithmic, 10),
              (std::vector<int>{0, 38, 60, 76, 88, 98, 107, 114, 121, 127}));
}

TEST(CurveGenerator, QuarterSineRisesFrom0To126) {
    EXPECT_EQ(generated(CurveShape::QuarterSine, 5), (std::vector<int>{0, 18, 62, 107, 126}));
    EXPECT_EQ(generated(CurveShape::QuarterSine, 10),
              (std::vector<int>{0, 3, 14, 31, 52, 73, 94, 111, 122, 126}));
    const auto hundred = generated(CurveShape::QuarterSine, 100);
    EXPECT_EQ(hundred.front(), 0);
    EXPECT_EQ(hundred.back(), 126);
}

TEST(CurveGenerator, HalfSineRisesAndFallsBack) {
    EXPECT_EQ(generated(CurveShape::HalfSine, 5), (std::vector<int>{0, 62, 126, 63, 0}));
    EXPECT_EQ(generated(CurveShape::HalfSine, 10),
              (std::vector<int>{0, 14, 52, 94, 122, 122, 94, 52, 14, 0}));
}

// A count of 1 would divide by zero in every formula.
TEST(CurveGenerator, SinglePointIsZeroForEveryShape) {
    for (CurveShape shape :
         {CurveShape::Linear, CurveShape::Logarithmic, CurveShape::QuarterSine, CurveShape::HalfSine}) {
        CurveBlock block = blockWithCount(1, 0x80 | 77);
        generateCurve(block, shape);
        EXPECT_EQ(block[0], 0x80);
        EXPECT_EQ(block[1], 0x80 | 77);
    }
}

TEST(CurveGenerator, KeepsRelayBitsAndPointsBeyondTheCount) {
    CurveBlock block = blockWithCount(10, 5);
    block[3] = 0x80 | 99;
    block[10] = 0x80 | 42;
    generateCurve(block, CurveShape::Linear);
    EXPECT_EQ(block[3], 0x80 | 42);
    EXPECT_EQ(block[2], 28);
    EXPECT_EQ(block[10], 0x80 | 42);
    EXPECT_EQ(block[99], 5);
    EXPECT_EQ(block[kCurveCountEntry], 10);
}

TEST(CurveGenerator, CountOutsideRangeIsClamped) {
    CurveBlock zero = blockWithCount(0, 9);
    generateCurve(zero, CurveShape::Linear);
    EXPECT_EQ(zero[0], 0);
    EXPECT_EQ(zero[1], 9);

    CurveBlock large = blockWithCount(250, 9);
    generateCurve(large, CurveShape::Linear);
    EXPECT_EQ(large[99], 127);
    EXPECT_EQ(large[100], 9); // the flag byte is not a point
}

#include "servo/CurveCanvasGeometry.h"
#include "servo/RelayTrackGeometry.h"

#include <gtest/gtest.h>

using namespace hq;

TEST(CurveCanvasGeometry, ScalesOfTheFormSizes) {
    const CurveCanvasGeometry geometry(513, 201, 10);
    EXPECT_DOUBLE_EQ(geometry.xStep(), 50.3);
    EXPECT_DOUBLE_EQ(geometry.yScale(), 201.0 / 128);
    EXPECT_DOUBLE_EQ(CurveCanvasGeometry(513, 201, 0).xStep(), 503);
    EXPECT_DOUBLE_EQ(CurveCanvasGeometry(513, 201, 150).xStep(), 5.03);
}

TEST(CurveCanvasGeometry, PointIndexRoundsToTheNearestPointAndClampsTo99) {
    const CurveCanvasGeometry geometry(513, 201, 10);
    EXPECT_EQ(geometry.pointIndexAt(0), 0);
    EXPECT_EQ(geometry.pointIndexAt(25), 0);
    EXPECT_EQ(geometry.pointIndexAt(26), 1);
    EXPECT_EQ(geometry.pointIndexAt(452), 9);
    EXPECT_EQ(geometry.pointIndexAt(512), 10); // right of the last point: beyond the count
    EXPECT_EQ(geometry.pointIndexAt(-100), 0);
    EXPECT_EQ(geometry.pointIndexAt(5000), 99);
    EXPECT_EQ(CurveCanvasGeometry(513, 201, 100).pointIndexAt(1e12), 99);
}

TEST(CurveCanvasGeometry, PositionForYClampsTo0To127) {
    const CurveCanvasGeometry geometry(513, 201, 10);
    EXPECT_EQ(geometry.positionAt(0), 127);
    EXPECT_EQ(geometry.positionAt(-50), 127);
    EXPECT_EQ(geometry.positionAt(100), 64);
    EXPECT_EQ(geometry.positionAt(201), 0);
    EXPECT_EQ(geometry.positionAt(300), 0);
}

TEST(CurveCanvasGeometry, PointPixels) {
    const CurveCanvasGeometry geometry(513, 201, 10);
    EXPECT_EQ(geometry.pointX(9), 452);
    EXPECT_EQ(geometry.pointY(127), 1);
    EXPECT_EQ(geometry.pointY(0), 201);
    EXPECT_EQ(geometry.pointY(64), 100);
    EXPECT_EQ(geometry.markerRadius(), 3);
    EXPECT_EQ(CurveCanvasGeometry(513, 201, 100).markerRadius(), 1);
}

TEST(RelayTrackGeometry, ColumnWithoutRoundingAndHalfHeightThreshold) {
    const RelayTrackGeometry geometry(513, 57, 10);
    EXPECT_EQ(geometry.pointIndexAt(50), 0);
    EXPECT_EQ(geometry.pointIndexAt(51), 1);
    EXPECT_EQ(geometry.pointIndexAt(-3), 0);
    EXPECT_EQ(geometry.pointIndexAt(9999), 99);
    EXPECT_TRUE(geometry.relayOnAt(34));
    EXPECT_FALSE(geometry.relayOnAt(35));
    EXPECT_TRUE(geometry.relayOnAt(-20));
    EXPECT_FALSE(geometry.relayOnAt(80));
}

TEST(RelayTrackGeometry, Bars) {
    const RelayTrackGeometry geometry(513, 57, 10);
    const RelayBar on = geometry.bar(2, true);
    EXPECT_EQ(on.left, 100);
    EXPECT_EQ(on.top, 12);
    EXPECT_EQ(on.right, 150);
    EXPECT_EQ(on.bottom, 57);
    const RelayBar off = geometry.bar(2, false);
    EXPECT_EQ(off.top, 57);
    EXPECT_EQ(off.bottom, 57);
}

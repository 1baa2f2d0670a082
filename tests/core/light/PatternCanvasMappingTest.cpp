#include "light/PatternCanvasMapping.h"

#include <gtest/gtest.h>

using hq::BarRect;
using hq::PatternCanvasMapping;

TEST(PatternCanvasMapping, BlinkImageScales) {
    PatternCanvasMapping m(481, 41, 10);
    EXPECT_DOUBLE_EQ(m.stepWidth(), 47.1);
    EXPECT_DOUBLE_EQ(m.valueScale(), 41.0 / 128.0);
}

TEST(PatternCanvasMapping, StepForXTruncatesAndClampsToTheCount) {
    PatternCanvasMapping m(481, 38, 100); // 4.71 pixels a step
    EXPECT_EQ(m.stepForX(0), 0);
    EXPECT_EQ(m.stepForX(4), 0);
    EXPECT_EQ(m.stepForX(5), 1);
    EXPECT_EQ(m.stepForX(470), 99);
    EXPECT_EQ(m.stepForX(480), 99);  // the margin right of the steps
    EXPECT_EQ(m.stepForX(5000), 99); // dragged beyond the image
    EXPECT_EQ(m.stepForX(-3), 0);
    EXPECT_EQ(m.stepForX(-500), 0); // dragged left of the image

    PatternCanvasMapping few(481, 41, 3);
    EXPECT_EQ(few.stepForX(400), 2);
    EXPECT_EQ(few.stepForX(157), 1);
}

TEST(PatternCanvasMapping, ZeroCountIsTakenAsOne) {
    PatternCanvasMapping m(481, 41, 0);
    EXPECT_EQ(m.count(), 1);
    EXPECT_EQ(m.stepForX(300), 0);
}

TEST(PatternCanvasMapping, UpperPartSwitchesOn) {
    PatternCanvasMapping blink(481, 41, 10);
    EXPECT_TRUE(blink.switchesOnAt(0));
    EXPECT_TRUE(blink.switchesOnAt(24));
    EXPECT_FALSE(blink.switchesOnAt(25));
    EXPECT_FALSE(blink.switchesOnAt(40));
    EXPECT_FALSE(blink.switchesOnAt(200)); // below the image
    EXPECT_TRUE(blink.switchesOnAt(-50));  // above the image

    PatternCanvasMapping led(481, 38, 10);
    EXPECT_TRUE(led.switchesOnAt(23));
    EXPECT_FALSE(led.switchesOnAt(24));
    EXPECT_DOUBLE_EQ(led.valueForY(38), 0.0);
    EXPECT_DOUBLE_EQ(led.valueForY(0), 128.0);
}

TEST(PatternCanvasMapping, BarsRunFromEightToTheBottom) {
    PatternCanvasMapping blink(481, 41, 10);
    EXPECT_EQ(blink.bar(0), (BarRect{0, 8, 47, 41}));
    EXPECT_EQ(blink.bar(9), (BarRect{423, 8, 471, 41}));

    PatternCanvasMapping led(481, 38, 100);
    EXPECT_EQ(led.bar(0), (BarRect{0, 8, 4, 38}));
    EXPECT_EQ(led.bar(1), (BarRect{4, 8, 9, 38}));
    EXPECT_EQ(led.bar(99).x2, 471);
}

#include "servo/CurveSettings.h"

#include <gtest/gtest.h>

using namespace hq;

TEST(CurveSettings, PointCountIsClampedTo1To100) {
    EXPECT_EQ(*parsePointCount("0"), 1);
    EXPECT_EQ(*parsePointCount("-5"), 1);
    EXPECT_EQ(*parsePointCount("150"), 100);
    EXPECT_EQ(*parsePointCount("37"), 37);
    EXPECT_EQ(*parsePointCount(" 12 "), 12);
}

TEST(CurveSettings, NoIntegerGivesTheRangeMessage) {
    for (const char* text : {"abc", "", "1.5", "12a", "99999999999"}) {
        const auto count = parsePointCount(text);
        ASSERT_FALSE(count.ok()) << text;
        EXPECT_EQ(count.message(), "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100");
    }
    const auto stretch = parseStretch("x");
    ASSERT_FALSE(stretch.ok());
    EXPECT_EQ(stretch.message(), "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200");
}

TEST(CurveSettings, StretchIsClampedTo1To200) {
    EXPECT_EQ(*parseStretch("0"), 1);
    EXPECT_EQ(*parseStretch("201"), 200);
    EXPECT_EQ(*parseStretch("200"), 200);
}

TEST(CurveSettings, InfoTexts) {
    EXPECT_EQ(pointIntervalText(10), "Zeit zwischen 2 Punkten = 200 ms");
    EXPECT_EQ(curveDurationText(10, 10), "Gesamtzeit für diese Kurve = 1800 ms");
    EXPECT_EQ(curveDurationText(1, 200), "Gesamtzeit für diese Kurve = 0 ms");
    EXPECT_EQ(curveDurationText(100, 200), "Gesamtzeit für diese Kurve = 396000 ms");
}

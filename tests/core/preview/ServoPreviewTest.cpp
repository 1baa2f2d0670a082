// The servo preview: the point, position and relay shown after a given time, and the arm drawn for
// a position.

#include "preview/ServoPreview.h"
#include "preview/ServoArm.h"
#include "servo/CurveSettings.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

// Five points, 40 ms apart: 0, 127 with relay, 64, 63 with relay, 10.
CurveBlock fivePointCurve() {
    CurveBlock curve{};
    const int points[] = {0, 127 | 0x80, 64, 63 | 0x80, 10};
    for (int i = 0; i < 5; ++i)
        curve[static_cast<std::size_t>(i)] = points[i];
    curve[kCurveCountEntry] = 5;
    curve[kCurveStretchEntry] = 2;
    return curve;
}

} // namespace

TEST(ServoFrame, PointPositionAndRelayOverTime) {
    const CurveBlock curve = fivePointCurve();
    struct Case {
        Milliseconds elapsed;
        int index;
        int position;
        bool relay;
        bool finished;
    };
    const Case table[] = {
        {0, 0, 0, false, false},      {39, 0, 0, false, false},  {40, 1, 127, true, false},
        {80, 2, 64, false, false},    {159, 3, 63, true, false}, {160, 4, 10, false, true},
        {100000, 4, 10, false, true}, {-20, 0, 0, false, false},
    };
    for (const Case& c : table) {
        EXPECT_EQ(servoFrame(curve, c.elapsed), (ServoFrame{{c.index, c.finished}, c.position, c.relay}))
            << c.elapsed << " ms";
    }
    // The preview ends where the editor's "Gesamtzeit für diese Kurve" says.
    EXPECT_EQ(servoPlayLength(curve), 160);
    EXPECT_EQ(curveDurationText(5, 2), "Gesamtzeit für diese Kurve = 160 ms");
}

TEST(ServoPointAt, OnePointAndStretch200) {
    EXPECT_EQ(servoPointAt(0, 1, 1), (ServoPoint{0, true})) << "a single point is reached at once";
    EXPECT_EQ(servoPlayLength(1, 1), 0);
    EXPECT_EQ(servoPointAt(3999, 100, 200), (ServoPoint{0, false}));
    EXPECT_EQ(servoPointAt(4000, 100, 200), (ServoPoint{1, false}));
    EXPECT_EQ(servoPointAt(99 * 4000 - 1, 100, 200), (ServoPoint{98, false}));
    EXPECT_EQ(servoPointAt(99 * 4000, 100, 200), (ServoPoint{99, true}));
    EXPECT_EQ(servoPointAt(50, 0, 0), (ServoPoint{0, true})) << "count and stretch below 1 count as 1";
}

TEST(ServoFrame, StoredCountAndStretchOutsideTheirRanges) {
    CurveBlock curve = fivePointCurve();
    curve[kCurveCountEntry] = 0;
    curve[kCurveStretchEntry] = 0;
    EXPECT_EQ(servoFrame(curve, 1000), (ServoFrame{{0, true}, 0, false}));

    curve[kCurveCountEntry] = 255; // at most 100 points: the flag and count entries are never played
    curve[kCurveStretchEntry] = 255;
    EXPECT_EQ(curveStretch(curve), 200);
    EXPECT_EQ(servoFrame(curve, 1'000'000).point, (ServoPoint{99, true}));
    EXPECT_EQ(servoPlayLength(curve), 99 * 4000);
}

TEST(ServoArmAngle, EndsAndMiddle) {
    EXPECT_DOUBLE_EQ(servoArmAngle(0), -60.0);
    EXPECT_DOUBLE_EQ(servoArmAngle(127), 60.0);
    EXPECT_NEAR(servoArmAngle(63), -60.0 / 127, 1e-9);
    EXPECT_NEAR(servoArmAngle(64), 60.0 / 127, 1e-9);
    EXPECT_DOUBLE_EQ(servoArmAngle(63), -servoArmAngle(64)) << "the sweep is symmetric";
    EXPECT_DOUBLE_EQ(servoArmAngle(-5), -60.0);
    EXPECT_DOUBLE_EQ(servoArmAngle(300), 60.0);
    for (int p = 1; p <= 127; ++p)
        EXPECT_GT(servoArmAngle(p), servoArmAngle(p - 1)) << p;
}

TEST(ServoArmGeometry, LowestAndHighestEndPoints) {
    const ServoArmGeometry low = servoArmGeometry(0, 200, 100);
    EXPECT_DOUBLE_EQ(low.pivot.x, 50);
    EXPECT_DOUBLE_EQ(low.pivot.y, 50);
    EXPECT_NEAR(low.end.y, 95, 1e-9) << "position 0 draws the arm at its lowest";
    const ServoArmGeometry high = servoArmGeometry(127, 200, 100);
    EXPECT_NEAR(high.end.y, 5, 1e-9) << "position 127 at its highest";
    EXPECT_NEAR(high.end.x, low.end.x, 1e-9);
    EXPECT_NEAR(high.end.x, 50 + high.length / 2, 1e-9);
    EXPECT_DOUBLE_EQ(high.angleDegrees, 60.0);
}

TEST(ServoArmGeometry, EndStaysInsideEveryCanvas) {
    for (auto [w, h] : {std::pair{200, 100}, std::pair{100, 400}, std::pair{31, 17}, std::pair{600, 600}}) {
        for (int p = 0; p <= 127; ++p) {
            const ServoArmGeometry arm = servoArmGeometry(p, w, h);
            EXPECT_GT(arm.length, 0);
            EXPECT_GE(arm.end.x, 0.05 * w - 1e-9);
            EXPECT_LE(arm.end.x, 0.95 * w + 1e-9);
            EXPECT_GE(arm.end.y, 0.05 * h - 1e-9);
            EXPECT_LE(arm.end.y, 0.95 * h + 1e-9);
        }
    }
    const ServoArmGeometry empty = servoArmGeometry(64, 0, -5);
    EXPECT_EQ(empty.length, 0);
    EXPECT_EQ(empty.end.x, 0);
    EXPECT_EQ(empty.end.y, 0);
}

#include "servo/ServoTiming.h"

#include <gtest/gtest.h>

using namespace hq;

TEST(ServoTiming, FaktorAmountIsSigned) {
    EXPECT_EQ(faktorAmount(0), 0);
    EXPECT_EQ(faktorAmount(127), 126);
    EXPECT_EQ(faktorAmount(64), 63);
    EXPECT_EQ(faktorAmount(255), 0);
    EXPECT_EQ(faktorAmount(128), -126);
    EXPECT_EQ(faktorAmount(200), -54);
}

TEST(ServoTiming, MillisecondTexts) {
    EXPECT_EQ(pulseMillisecondsText(minimumPulseUnits(125), "."), "1.000");
    EXPECT_EQ(pulseMillisecondsText(maximumPulseUnits(125, 0), "."), "2.016");
    EXPECT_EQ(pulseMillisecondsText(maximumPulseUnits(125, 0), ","), "2,016");
    EXPECT_EQ(pulseMillisecondsText(maximumPulseUnits(255, 127), ","), "4,064");
    EXPECT_EQ(pulseMillisecondsText(maximumPulseUnits(50, 128), ","), "0,408");
    EXPECT_EQ(pulseMillisecondsText(1, ","), "0,008");
    EXPECT_EQ(pulseMillisecondsText(0, ","), "0,000");
}

TEST(ServoTiming, OffsetStepsStayWithin50To255) {
    EXPECT_EQ(steppedOffset(50, -10), 50);
    EXPECT_EQ(steppedOffset(55, -10), 50);
    EXPECT_EQ(steppedOffset(250, 10), 255);
    EXPECT_EQ(steppedOffset(100, 1), 101);
    EXPECT_EQ(steppedOffset(0, 1), 50); // a stored byte below the range comes back into it
}

TEST(ServoTiming, FaktorStepsWrapAndStopAtTheHalves) {
    EXPECT_EQ(steppedFaktor(120, 10), 127);
    EXPECT_EQ(steppedFaktor(250, 10), 7);
    EXPECT_EQ(steppedFaktor(5, -10), 248);
    EXPECT_EQ(steppedFaktor(130, -10), 128);
    EXPECT_EQ(steppedFaktor(127, 1), 127);
    EXPECT_EQ(steppedFaktor(128, -1), 128);
    EXPECT_EQ(steppedFaktor(253, 1), 1);
    EXPECT_EQ(steppedFaktor(1, -1), 253);
    EXPECT_EQ(steppedFaktor(60, 1), 61);
    EXPECT_EQ(steppedFaktor(200, -10), 190);
}

TEST(ServoTiming, EepromBytes96To103) {
    EepromImage eeprom;
    for (int i = 0; i < 8; ++i) {
        eeprom.setValue(96 + i, 10 * i + 1);
    }
    eeprom.bytes[103] = "G1"; // not a hex byte: the value stays
    ServoTiming timing;
    timing.bytes[7] = 77;
    loadServoTiming(eeprom, timing);
    EXPECT_EQ(timing.offset(1), 1);
    EXPECT_EQ(timing.faktor(1), 11);
    EXPECT_EQ(timing.offset(4), 61);
    EXPECT_EQ(timing.faktor(4), 77);

    timing.setFaktor(4, 0xAB);
    timing.setOffset(2, 0x3C);
    storeServoTiming(timing, eeprom);
    EXPECT_EQ(eeprom.bytes[103], "AB");
    EXPECT_EQ(eeprom.bytes[98], "3C");
    EXPECT_EQ(eeprom.bytes[95], "FF");
    EXPECT_EQ(eeprom.bytes[104], "FF");
}

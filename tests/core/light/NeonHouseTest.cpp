#include "light/HouseMinimum.h"
#include "light/NeonValues.h"
#include "light/NumberEntry.h"

#include <climits>
#include <gtest/gtest.h>

using namespace hq;

TEST(NumberEntry, IntegersBlanksAndMessages) {
    auto number = readEnteredNumber(" 42 ", "1..50");
    ASSERT_TRUE(number.ok());
    EXPECT_EQ(*number, 42);

    auto empty = readEnteredNumber("", "1..50");
    ASSERT_TRUE(empty.ok());
    EXPECT_FALSE(empty->has_value());
    EXPECT_FALSE(readEnteredNumber("  ", "1..50")->has_value());

    for (const char* text : {"abc", "1.5", "-", "12x", "99999999999"}) {
        auto bad = readEnteredNumber(text, "1..50");
        ASSERT_FALSE(bad.ok()) << text;
        EXPECT_EQ(bad.message(), "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..50");
    }
    EXPECT_EQ(readEnteredNumber("x", "1..200").message(),
              "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200");
}

TEST(NeonValues, LevelsAreStoredInverted) {
    EepromImage eeprom;
    storeNeonValue(eeprom, NeonValue::Hell, 255);
    EXPECT_EQ(eeprom.bytes[0x21], "00");
    storeNeonValue(eeprom, NeonValue::Hell, 0);
    EXPECT_EQ(eeprom.bytes[0x21], "FF");
    storeNeonValue(eeprom, NeonValue::Dunkel, 300);
    EXPECT_EQ(eeprom.bytes[0x20], "00");
    EXPECT_EQ(shownNeonValue(eeprom, NeonValue::Dunkel), 255);
    storeNeonValue(eeprom, NeonValue::Dunkel, -20);
    EXPECT_EQ(eeprom.bytes[0x20], "FF");
    storeNeonValue(eeprom, NeonValue::Hell, INT_MIN);
    EXPECT_EQ(eeprom.bytes[0x21], "FF");
    storeNeonValue(eeprom, NeonValue::Dunkel, 100);
    EXPECT_EQ(eeprom.bytes[0x20], "9B");
    EXPECT_EQ(shownNeonValue(eeprom, NeonValue::Dunkel), 100);
}

TEST(NeonValues, DelayIsStoredAsEnteredWithinAByte) {
    EepromImage eeprom;
    storeNeonValue(eeprom, NeonValue::Delay, 0);
    EXPECT_EQ(eeprom.bytes[0x00], "00");
    storeNeonValue(eeprom, NeonValue::Delay, 256);
    EXPECT_EQ(eeprom.bytes[0x00], "FF");
    storeNeonValue(eeprom, NeonValue::Delay, -1);
    EXPECT_EQ(eeprom.bytes[0x00], "00");
    storeNeonValue(eeprom, NeonValue::Delay, 17);
    EXPECT_EQ(eeprom.bytes[0x00], "11");
    EXPECT_EQ(shownNeonValue(eeprom, NeonValue::Delay), 17);
}

TEST(NeonValues, UnreadableByteShowsNothing) {
    EepromImage eeprom;
    eeprom.bytes[0x21] = "G1";
    EXPECT_FALSE(shownNeonValue(eeprom, NeonValue::Hell).has_value());
    EXPECT_EQ(shownNeonValue(eeprom, NeonValue::Dunkel), 0); // "FF" of an unwritten byte
}

TEST(HouseMinimum, ClampedToOneToNine) {
    EepromImage eeprom;
    storeHouseMinimum(eeprom, 12);
    EXPECT_EQ(eeprom.bytes[0x0F], "09");
    EXPECT_EQ(houseMinimum(eeprom), 9);
    storeHouseMinimum(eeprom, 0);
    EXPECT_EQ(eeprom.bytes[0x0F], "01");
    storeHouseMinimum(eeprom, -4);
    EXPECT_EQ(eeprom.bytes[0x0F], "01");
    storeHouseMinimum(eeprom, 5);
    EXPECT_EQ(houseMinimum(eeprom), 5);
}

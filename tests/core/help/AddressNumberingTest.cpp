// The numbering of accessory and vehicle addresses against tables written by hand.

#include "help/AccessoryNumbering.h"
#include "help/VehicleAddress.h"

#include <gtest/gtest.h>

using namespace hq;

TEST(AccessoryDecoderOutput, FourOutputsPerDecoderCountedFromOne) {
    struct Case {
        int address;
        int decoder;
        int output;
    };
    const Case table[] = {
        {1, 1, 1},    {2, 1, 2},      {4, 1, 4},      {5, 2, 1},      {19, 5, 3},
        {320, 80, 4}, {2040, 510, 4}, {2041, 511, 1}, {2044, 511, 4},
    };
    for (const Case& c : table) {
        auto place = accessoryDecoderOutput(c.address);
        ASSERT_TRUE(place) << c.address;
        EXPECT_EQ(*place, (DecoderOutput{c.decoder, c.output})) << c.address;
    }
    EXPECT_EQ(decoderOutputText(*accessoryDecoderOutput(19)), "Dekoder 5, Ausgang 3");
    EXPECT_EQ(decoderOutputText(*accessoryDecoderOutput(2044)), "Dekoder 511, Ausgang 4");
}

TEST(AccessoryDecoderOutput, NoNumberingBelowOne) {
    EXPECT_FALSE(accessoryDecoderOutput(0));
    EXPECT_FALSE(accessoryDecoderOutput(-3));
    EXPECT_FALSE(mmKeyboardKey(0));
    EXPECT_FALSE(mmKeyboardKey(-17));
}

TEST(MmKeyboardKey, SixteenKeysPerKeyboard) {
    struct Case {
        int address;
        int keyboard;
        int key;
    };
    const Case table[] = {{1, 1, 1}, {16, 1, 16}, {17, 2, 1}, {32, 2, 16}, {33, 3, 1}, {320, 20, 16}};
    for (const Case& c : table) {
        auto place = mmKeyboardKey(c.address);
        ASSERT_TRUE(place) << c.address;
        EXPECT_EQ(*place, (KeyboardKey{c.keyboard, c.key})) << c.address;
    }
    EXPECT_EQ(keyboardKeyText(*mmKeyboardKey(17)), "Keyboard 2, Taste 1");
}

TEST(DccVehicleCvs, ShortAndLongAddresses) {
    struct Case {
        int address;
        bool longAddress;
        std::map<int, int> values;
    };
    const Case table[] = {
        {1, false, {{1, 1}}},
        {127, false, {{1, 127}}},
        {128, true, {{17, 192}, {18, 128}}},
        {255, true, {{17, 192}, {18, 255}}},
        {256, true, {{17, 193}, {18, 0}}},
        {1234, true, {{17, 196}, {18, 210}}},
        {10239, true, {{17, 231}, {18, 255}}},
        {10240, true, {{17, 232}, {18, 0}}},
        {16128, true, {{17, 255}, {18, 0}}},
    };
    for (const Case& c : table) {
        auto cvs = dccVehicleCvs(c.address);
        ASSERT_TRUE(cvs) << c.address;
        EXPECT_EQ(cvs->longAddress, c.longAddress) << c.address;
        EXPECT_EQ(cvs->cv29Bit5, c.longAddress) << c.address;
        EXPECT_EQ(cvs->values, c.values) << c.address;
        if (c.longAddress) { // the firmware's own reading of the two bytes gives the address back
            EXPECT_EQ((cvs->values.at(17) - 192) * 256 + cvs->values.at(18), c.address);
        }
    }
    EXPECT_FALSE(dccVehicleCvs(0));
    EXPECT_FALSE(dccVehicleCvs(-1));
}

TEST(DccVehicleCvs, Texts) {
    EXPECT_EQ(dccVehicleCvsText(*dccVehicleCvs(3)), "Kurze Adresse: CV1 = 3, CV29 Bit 5 aus");
    EXPECT_EQ(dccVehicleCvsText(*dccVehicleCvs(1234)),
              "Lange Adresse: CV17 = 196, CV18 = 210, CV29 Bit 5 ein (+32)");
}

TEST(MmVehicleNote, OnlyAboveEighty) {
    EXPECT_FALSE(mmVehicleNote(1));
    EXPECT_FALSE(mmVehicleNote(80));
    ASSERT_TRUE(mmVehicleNote(81));
    EXPECT_EQ(
        *mmVehicleNote(81),
        "Hinweis: Ältere MM-Zentralen kennen nur die Adressen 1 bis 80; Adresse 81 erreichen nur neuere "
        "Zentralen.");
    EXPECT_TRUE(mmVehicleNote(255));
}

#include "image/OutputDecoder.h"
#include "../FirmwareBuilder.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

// Puts a six-digit code into the three EEPROM bytes of `row`.
void putCode(EepromImage& eeprom, int row, const std::string& code) {
    auto bytes = rowByteIndexes(row);
    for (int b = 0; b < 3; ++b)
        eeprom.bytes[bytes[b]] = code.substr(2 * b, 2);
}

Firmware load(const char* resetVector, const char* signature, const EepromImage& eeprom) {
    return *loadFirmware(test::firmwareText(resetVector, signature, eeprom).text());
}

} // namespace

TEST(RowBytes, LieInThreeBands) {
    EXPECT_EQ(rowByteIndexes(0), (std::array<int, 3>{0, 16, 32}));
    EXPECT_EQ(rowByteIndexes(15), (std::array<int, 3>{15, 31, 47}));
    EXPECT_EQ(rowByteIndexes(16), (std::array<int, 3>{64, 80, 96}));
    EXPECT_EQ(rowByteIndexes(31), (std::array<int, 3>{79, 95, 111}));
}

TEST(OutputDecoding, MmAccessoryGreenRedAndUnknownCodes) {
    EepromImage eeprom;
    putCode(eeprom, 1, "0300C3"); // address 1, green
    putCode(eeprom, 2, "030003"); // address 1, red
    putCode(eeprom, 3, "0000FF"); // address 320: beyond the first "highest address" entries of old
    putCode(eeprom, 4, "123456"); // no code
    putCode(eeprom, 5, "FFFF3F"); // erased, red
    eeprom.bytes[32] = "0C";
    Firmware f = load(test::kRelay8, test::kMmSchalt, eeprom);
    const auto& rows = f.parameters.rows;
    EXPECT_EQ(rows[1].address, 1);
    EXPECT_EQ(rows[1].redGreen, 1);
    EXPECT_EQ(rows[2].address, 1);
    EXPECT_EQ(rows[2].redGreen, 0);
    EXPECT_EQ(rows[3].address, 320);
    EXPECT_EQ(rows[4].address, 0);
    EXPECT_EQ(rows[5].address, 0);
    EXPECT_EQ(rows[5].redGreen, 0);
    EXPECT_EQ(rows[6].address, 0) << "an erased row";
    EXPECT_EQ(rows[6].redGreen, 1);
    EXPECT_EQ(f.parameters.extraValue, 12);
    EXPECT_EQ(rows[1].outputCode, "0300C3");
}

TEST(OutputDecoding, DccAccessoryFlagsAreTheOtherWayRound) {
    EepromImage eeprom;
    putCode(eeprom, 1, "79F005"); // stored form: red
    putCode(eeprom, 2, "78F205"); // changed form: green
    putCode(eeprom, 3, "311CFD"); // 2044
    Firmware f = load(test::kRelay8, test::kDccSchalt, eeprom);
    EXPECT_EQ(f.parameters.rows[1].address, 1);
    EXPECT_EQ(f.parameters.rows[1].redGreen, 0);
    EXPECT_EQ(f.parameters.rows[2].address, 1);
    EXPECT_EQ(f.parameters.rows[2].redGreen, 1);
    EXPECT_EQ(f.parameters.rows[3].address, 2044);
}

TEST(OutputDecoding, VehicleAddressesAndFunctions) {
    EepromImage mm;
    putCode(mm, 1, "02A455"); // vehicle 255, function 4
    putCode(mm, 2, "025C05"); // the exchanged entry 83, function 2
    putCode(mm, 3, "030077"); // function byte without a number
    Firmware fm = load(test::kFunction10, test::kMmFahrzeug, mm);
    EXPECT_EQ(fm.parameters.rows[1].address, 255);
    EXPECT_EQ(fm.parameters.rows[1].function, 4);
    EXPECT_EQ(fm.parameters.rows[2].address, 83);
    EXPECT_EQ(fm.parameters.rows[2].function, 2);
    EXPECT_EQ(fm.parameters.rows[3].address, 1);
    EXPECT_EQ(fm.parameters.rows[3].function, 0);
    EXPECT_EQ(fm.parameters.rows[3].functionCode, "77");

    EepromImage dcc;
    putCode(dcc, 1, "810300");
    putCode(dcc, 2, "A8E8C3");
    putCode(dcc, 3, "B2FFFF"); // long form 0xFF: 63 * 256 + 255
    putCode(dcc, 4, "8180C0"); // 128 in long form
    Firmware fd = load(test::kFunction10, test::kDccFahrzeug, dcc);
    EXPECT_EQ(fd.parameters.rows[1].address, 3);
    EXPECT_EQ(fd.parameters.rows[1].function, 1);
    EXPECT_EQ(fd.parameters.rows[2].address, 1000);
    EXPECT_EQ(fd.parameters.rows[2].function, 12);
    EXPECT_EQ(fd.parameters.rows[3].address, 16383);
    EXPECT_EQ(fd.parameters.rows[3].function, 6);
    EXPECT_EQ(fd.parameters.rows[4].address, 128);
}

TEST(OutputDecoding, NonHexBytesDecodeToAddressZero) {
    EepromImage eeprom;
    putCode(eeprom, 1, "81ZZ00");
    eeprom.bytes[32] = "G1";
    Firmware f = load(test::kFunction10, test::kDccFahrzeug, eeprom);
    EXPECT_EQ(f.parameters.rows[1].address, 0);
    EXPECT_EQ(f.parameters.extraValue, 0);
}

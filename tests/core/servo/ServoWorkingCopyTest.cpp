#include "servo/ServoWorkingCopy.h"

#include "ServoFirmwareText.h"
#include "image/Checksum.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

Firmware servoFirmware() {
    auto firmware = loadFirmware(servotest::servoFirmwareText());
    EXPECT_TRUE(firmware.ok()) << (firmware.ok() ? "" : firmware.message());
    return std::move(firmware.value());
}

int lineIndexOf(const HexImage& image, std::string_view prefix) {
    for (int i = 0; i < image.lineCount; ++i) {
        if (image.lines[static_cast<std::size_t>(i)].starts_with(prefix)) {
            return i;
        }
    }
    return -1;
}

} // namespace

TEST(ServoWorkingCopy, LoadsCurvesFromBlocks3And4AndTimingFromTheEeprom) {
    Firmware firmware = servoFirmware();
    const ServoWorkingCopy copy = loadServoWorkingCopy(firmware.image, firmware.eeprom());
    EXPECT_EQ(copy.data, servotest::demoServoData());
    EXPECT_EQ(copy.timing, servotest::demoServoTiming());
}

TEST(ServoWorkingCopy, StoreWritesValidRecordsThatLoadBack) {
    Firmware firmware = servoFirmware();
    ServoWorkingCopy copy = loadServoWorkingCopy(firmware.image, firmware.eeprom());
    copy.data.curve(4)[127] = 0xEE;
    copy.data.curve(1)[0] = 0x81;
    copy.timing.setOffset(3, 0x99);
    ASSERT_TRUE(storeServoWorkingCopy(copy, firmware.image, firmware.eeprom()).ok());

    const int first = lineIndexOf(firmware.image, ":100A0000");
    ASSERT_GE(first, 0);
    EXPECT_TRUE(firmware.image.lines[static_cast<std::size_t>(first)].starts_with(":100A00008134"));
    for (int j = 0; j < 64; ++j) {
        EXPECT_TRUE(recordIsValid(firmware.image.lines[static_cast<std::size_t>(first + j)])) << j;
    }
    EXPECT_EQ(firmware.eeprom().bytes[100], "99");
    EXPECT_EQ(loadServoWorkingCopy(firmware.image, firmware.eeprom()), copy);

    // The written text loads again as the same data.
    auto reloaded = loadFirmware(hexImageText(firmware.image));
    ASSERT_TRUE(reloaded.ok());
    EXPECT_EQ(loadServoWorkingCopy(reloaded->image, firmware.eeprom()).data, copy.data);
}

TEST(ServoWorkingCopy, MissingBlockChangesNothing) {
    Firmware firmware = servoFirmware();
    // Without block 4 the write is refused: block 3 must not be half written either.
    const int block4 = lineIndexOf(firmware.image, ":100C0000");
    ASSERT_GE(block4, 0);
    firmware.image.lines[static_cast<std::size_t>(block4)] =
        ":100C1000" + firmware.image.lines[static_cast<std::size_t>(block4)].substr(9);
    const HexImage before = firmware.image;
    const EepromImage eepromBefore = firmware.eeprom();

    ServoWorkingCopy copy = loadServoWorkingCopy(firmware.image, firmware.eeprom());
    copy.data.curve(1)[0] = 5;
    copy.timing.setOffset(1, 200);
    const Status status = storeServoWorkingCopy(copy, firmware.image, firmware.eeprom());
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message().empty());
    EXPECT_EQ(firmware.image.lines, before.lines);
    EXPECT_EQ(firmware.eeprom().bytes, eepromBefore.bytes);
}

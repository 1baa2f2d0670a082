#include "PatternFirmware.h"

#include "image/Firmware.h"
#include "light/PatternBank.h"

#include <gtest/gtest.h>

using namespace hq;
using namespace hq::test;

namespace {

Firmware loaded(const FirmwareText& text) {
    auto firmware = loadFirmware(text.text());
    EXPECT_TRUE(firmware.ok());
    return *firmware;
}

} // namespace

TEST(PatternBank, ReadsBlinkBlockAndItsFields) {
    Firmware firmware = loaded(tableFirmware(kBlinkReset, 1, blinkDemoTable()));
    PatternBank bank(kBlinkLayout);
    ASSERT_TRUE(bank.read(firmware.image));
    EXPECT_EQ(bank.count(3), 13);
    EXPECT_EQ(bank.stretch(3), 15);
    EXPECT_TRUE(bank.loop(3));
    EXPECT_FALSE(bank.loop(2));
    EXPECT_TRUE(bank.outputUsed(2, 1));
    EXPECT_FALSE(bank.outputUsed(2, 2));
    EXPECT_TRUE(bank.outputUsed(2, 3));
    EXPECT_EQ(bank.stepsText(2, 2), "101010101010");
    EXPECT_EQ(bank.stepsText(2, 1), "000000000000");
}

TEST(PatternBank, MissingBlockReadsZerosAndReportsIt) {
    Firmware firmware = loaded(firmwareText(kBlinkReset, kMmSchalt));
    PatternBank bank(kBlinkLayout);
    EXPECT_FALSE(bank.read(firmware.image));
    EXPECT_EQ(bank.count(1), 1); // a stored 0 is shown and used as 1
    EXPECT_EQ(bank.table()[53], 0);
}

TEST(PatternBank, CountAndStretchAreClampedWhenStored) {
    PatternBank blink(kBlinkLayout);
    EXPECT_TRUE(blink.setCount(1, 0));
    EXPECT_EQ(blink.table()[53], 1);
    blink.setCount(1, 99);
    EXPECT_EQ(blink.table()[53], 50);
    EXPECT_FALSE(blink.setCount(1, 50));
    blink.setStretch(2, 500);
    EXPECT_EQ(blink.table()[64 + 54], 200);
    blink.setStretch(2, -7);
    EXPECT_EQ(blink.table()[64 + 54], 1);

    PatternBank led(kLedLayout);
    led.setCount(2, 101);
    EXPECT_EQ(led.table()[256 + 101], 100);
    led.setStretch(2, 0);
    EXPECT_EQ(led.table()[256 + 102], 1);
    led.table()[256 + 101] = 250; // a count the firmware never holds reads within range
    EXPECT_EQ(led.count(2), 100);
}

TEST(PatternBank, UncheckingAnOutputKeepsItsSteps) {
    PatternBank bank(kBlinkLayout);
    bank.setCount(1, 10);
    bank.setOutputUsed(1, 2, true);
    bank.setStep(1, 2, 4, true);
    EXPECT_EQ(bank.table()[55], 0x20);
    bank.setOutputUsed(1, 2, false);
    EXPECT_EQ(bank.table()[55], 0x00);
    EXPECT_EQ(bank.table()[4], 0x02);
    EXPECT_TRUE(bank.step(1, 2, 4));
}

TEST(PatternBank, LoopAndStepBitsLeaveTheOtherBits) {
    PatternBank bank(kBlinkLayout);
    bank.table()[64 + 55] = 0xF0 | 0x0E;
    bank.table()[64 + 3] = 0xF0;
    bank.setCount(2, 5);
    bank.setLoop(2, true);
    EXPECT_EQ(bank.table()[64 + 55], 0xFF);
    bank.setLoop(2, false);
    EXPECT_EQ(bank.table()[64 + 55], 0xFE);
    EXPECT_TRUE(bank.setStep(2, 4, 3, true));
    EXPECT_FALSE(bank.setStep(2, 4, 3, true));
    EXPECT_EQ(bank.table()[64 + 3], 0xF8);
}

TEST(PatternBank, LedOutputsFiveToTenUseTheSecondHalfOfTheBlock) {
    PatternBank bank(kLedLayout);
    bank.setCount(3, 100);
    bank.setStep(3, 7, 99, true);
    EXPECT_EQ(bank.table()[512 + 128 + 99], 0x04);
    bank.setStep(3, 4, 0, true);
    EXPECT_EQ(bank.table()[512 + 0], 0x08);
    bank.setOutputUsed(3, 7, true);
    bank.setOutputUsed(3, 10, true);
    bank.setOutputUsed(3, 1, true);
    EXPECT_EQ(bank.table()[512 + 103], 0x24);
    EXPECT_EQ(bank.table()[512 + 100], 0x10);
    bank.setOutputUsed(3, 7, false); // "Ausgang 7" clears bit 2 of entry 103
    EXPECT_EQ(bank.table()[512 + 103], 0x20);
}

TEST(PatternBank, StepsOutsideTheCountOrBlockAreNotWritten) {
    PatternBank bank(kBlinkLayout);
    bank.setCount(4, 50);
    ProgramTable before = bank.table();
    EXPECT_FALSE(bank.setStep(4, 1, 50, true));
    EXPECT_FALSE(bank.setStep(4, 1, -1, true));
    EXPECT_FALSE(bank.setStep(5, 1, 0, true));
    EXPECT_FALSE(bank.setStep(4, 5, 0, true));
    bank.setOutputUsed(0, 1, true);
    bank.setLoop(5, true);
    EXPECT_EQ(bank.table(), before);
}

TEST(PatternBank, BlinkCopyTakesTheWholeBlock) {
    PatternBank bank(kBlinkLayout);
    bank.table() = blinkDemoTable();
    bank.copy(1, 3);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(bank.table()[128 + i], bank.table()[i]) << "entry " << i;
    EXPECT_EQ(bank.count(3), 11);
    EXPECT_EQ(bank.stretch(3), 5);
    EXPECT_TRUE(bank.loop(3));
    EXPECT_EQ(bank.table()[192 + 53], 14); // the block after it is untouched
}

// "von #n" of the LED firmware kept outputs 5..10 (entries 128..227) of the old pattern.
TEST(PatternBank, LedCopyTakesAllTenOutputs) {
    PatternBank bank(kLedLayout);
    for (int i = 0; i < 256; ++i) {
        bank.table()[256 + i] = (i * 7) & 0xFF;
        bank.table()[i] = 0x33;
        bank.table()[512 + i] = 0x44;
    }
    bank.setStep(2, 10, 5, true);
    bank.setOutputUsed(2, 10, true);
    bank.copy(2, 1);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(bank.table()[i], bank.table()[256 + i]) << "entry " << i;
    EXPECT_TRUE(bank.step(1, 10, 5));
    EXPECT_TRUE(bank.outputUsed(1, 10));
    EXPECT_EQ(bank.table()[512], 0x44); // the block after it is untouched
}

TEST(PatternBank, BlinkWriteUsesTheShortLastRecord) {
    ProgramTable table = blinkDemoTable();
    Firmware firmware = loaded(tableFirmware(kBlinkReset, 1, table));
    PatternBank bank(kBlinkLayout);
    bank.read(firmware.image);
    bank.setStep(1, 1, 1, true);
    ASSERT_TRUE(bank.write(firmware.image));

    int last = -1;
    for (int i = 0; i < firmware.image.lineCount; ++i)
        if (firmware.image.lines[i].rfind(":0E07F000", 0) == 0)
            last = i;
    ASSERT_GE(last, 0);
    EXPECT_EQ(firmware.image.lines[last].size(), 9u + 7 * 4 + 2);
    EXPECT_TRUE(recordIsValid(firmware.image.lines[last]));

    PatternBank reread(kBlinkLayout);
    reread.read(firmware.image);
    EXPECT_TRUE(reread.step(1, 1, 1));
    EXPECT_EQ(reread.stepsText(4, 4), bank.stepsText(4, 4));
}

TEST(PatternBank, LedWriteRoundTripsAllFourBlocks) {
    ProgramTable table{};
    for (int i = 0; i < kProgramTableSize; ++i)
        table[i] = (i * 13 + 5) & 0xFF;
    for (int a = 0; a < 4; ++a) {
        table[256 * a + 101] = 20 + a;
        table[256 * a + 102] = 7;
    }
    Firmware firmware = loaded(tableFirmware(kLedReset, 4, table));
    PatternBank bank(kLedLayout);
    ASSERT_TRUE(bank.read(firmware.image));
    EXPECT_EQ(bank.table(), table);
    bank.setStep(4, 10, 3, !bank.step(4, 10, 3));
    ASSERT_TRUE(bank.write(firmware.image));
    bool fullLastRecord = false;
    for (const auto& line : firmware.image.lines)
        fullLastRecord = fullLastRecord || line.rfind(":1007F000", 0) == 0;
    EXPECT_TRUE(fullLastRecord);
    PatternBank reread(kLedLayout);
    reread.read(firmware.image);
    EXPECT_EQ(reread.table(), bank.table());
}

TEST(PatternTimes, TextsForGridAndTotal) {
    EXPECT_EQ(timeGridText(10), "Zeit-Raster = 200 ms");
    EXPECT_EQ(totalTimeText(10, 10), "Gesamtzeit = 2000 ms");
    EXPECT_EQ(timeGridText(200), "Zeit-Raster = 4000 ms");
    EXPECT_EQ(totalTimeText(200, 50), "Gesamtzeit = 200000 ms");
    EXPECT_EQ(totalTimeText(200, 100), "Gesamtzeit = 400000 ms");
}

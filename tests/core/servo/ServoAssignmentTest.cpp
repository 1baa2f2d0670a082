#include "servo/ServoAssignment.h"
#include "servo/ServoFlags.h"

#include "ServoFirmwareText.h"

#include <gtest/gtest.h>

using namespace hq;

TEST(AssignmentRow, RowsLiveInTheirCurveBlocks) {
    ServoData data;
    setAssignmentRow(data, 1, {0x11, 0x21});
    setAssignmentRow(data, 4, {0x14, 0x24});
    setAssignmentRow(data, 5, {0x15, 0x25});
    setAssignmentRow(data, 8, {0x18, 0x28});
    EXPECT_EQ(data.curve(1)[103], 0x11);
    EXPECT_EQ(data.curve(1)[104], 0x21);
    EXPECT_EQ(data.curve(4)[103], 0x14);
    EXPECT_EQ(data.curve(1)[106], 0x15);
    EXPECT_EQ(data.curve(1)[107], 0x25);
    EXPECT_EQ(data.curve(4)[106], 0x18);
    EXPECT_EQ(data.curve(4)[107], 0x28);
    EXPECT_EQ(data.curve(1)[105], 0); // entry 105 is not an assignment byte
    EXPECT_EQ(assignmentRow(data, 5).curveRelay, 0x25);
}

TEST(AssignmentIndexes, BitNumbersOfEachField) {
    EXPECT_EQ(servoBitIndex(0x01), 0);
    EXPECT_EQ(servoBitIndex(0x28), 3);
    EXPECT_EQ(servoBitIndex(0x00), 0);
    EXPECT_EQ(servoBitIndex(0x10), 4); // no servo bit: no item
    EXPECT_EQ(actionBitIndex(0x01), 0);
    EXPECT_EQ(actionBitIndex(0x12), 1);
    EXPECT_EQ(actionBitIndex(0x24), 2);
    EXPECT_EQ(actionBitIndex(0x48), 3);
    EXPECT_EQ(actionBitIndex(0x80), 4);
    EXPECT_EQ(relayBitIndex(0x84), 2);
    EXPECT_EQ(relayBitIndex(0xF0), 0);
    EXPECT_EQ(curveBitIndex(0x84), 3);
    EXPECT_EQ(curveBitIndex(0x21), 1);
    EXPECT_EQ(comboItem(3), 3);
    EXPECT_EQ(comboItem(4), -1);
}

TEST(AssignmentIndexes, ItemsWriteOneNibbleAndKeepTheOther) {
    EXPECT_EQ(withServoItem(0x24, 0), 0x21);
    EXPECT_EQ(withServoItem(0x2F, 3), 0x28);
    EXPECT_EQ(withActionItem(0x42, 0), 0x02);
    EXPECT_EQ(withActionItem(0x02, 1), 0x12);
    EXPECT_EQ(withActionItem(0xF2, 2), 0x22);
    EXPECT_EQ(withActionItem(0x02, 3), 0x42);
    EXPECT_EQ(withRelayItem(0x40, 1), 0x42);
    EXPECT_EQ(withCurveItem(0x42, 0), 0x12);
    EXPECT_EQ(withCurveItem(0x42, 3), 0x82);
    EXPECT_EQ(withCurveItem(0x42, -1), 0x42);
    for (int item = 0; item < kAssignmentItemCount; ++item) {
        EXPECT_EQ(comboItem(servoBitIndex(withServoItem(0x40, item))), item);
        EXPECT_EQ(comboItem(actionBitIndex(withActionItem(0x04, item))), item);
        EXPECT_EQ(comboItem(relayBitIndex(withRelayItem(0x40, item))), item);
        EXPECT_EQ(comboItem(curveBitIndex(withCurveItem(0x04, item))), item);
    }
}

TEST(AssignmentIndexes, CurveAndRelayOnlyForStartActions) {
    EXPECT_TRUE(curveAndRelayShown(actionBitIndex(0x01)));  // "Start"
    EXPECT_TRUE(curveAndRelayShown(actionBitIndex(0x11)));  // "Start Loop"
    EXPECT_FALSE(curveAndRelayShown(actionBitIndex(0x21))); // "Abbruch"
    EXPECT_FALSE(curveAndRelayShown(actionBitIndex(0x41))); // "Beenden"
    EXPECT_FALSE(curveAndRelayShown(actionBitIndex(0x81)));
}

TEST(ServoFlags, SetsAndClearsOnlyItsBit) {
    ServoData data;
    data.curve(3)[kCurveFlagEntry] = 0x21;
    setServoFlag(data, 3, ServoFlag::NoRepetition, true);
    setServoFlag(data, 3, ServoFlag::VoltageOff, true);
    EXPECT_EQ(servoFlagByte(data, 3), 0xA3);
    setServoFlag(data, 3, ServoFlag::VoltageOff, false);
    EXPECT_EQ(servoFlagByte(data, 3), 0xA1);
    EXPECT_TRUE(hasFlag(0x40, ServoFlag::NoInterruption));
    EXPECT_FALSE(hasFlag(0xBF, ServoFlag::NoInterruption));
    EXPECT_EQ(withFlag(0x00, ServoFlag::PulsesOff, true), 0x04);
    EXPECT_EQ(servoFlagByte(data, 1), 0);
}

TEST(ServoFlags, Captions) {
    EXPECT_EQ(servoFlagCaption(ServoFlag::VoltageOff), "Spannung aus");
    EXPECT_EQ(servoFlagCaption(ServoFlag::PulsesOff), "Impulse aus");
    EXPECT_EQ(servoFlagCaption(ServoFlag::NoInterruption), "keine Unterbrechung");
    EXPECT_EQ(servoFlagCaption(ServoFlag::NoRepetition), "keine Wiederholung");
    EXPECT_EQ(kActionNames[1], "Start Loop");
}

#include "servo/ServoAssignment.h"

namespace hq {

namespace {

struct RowEntries {
    int curve;
    std::size_t servoAction;
    std::size_t curveRelay;
};

RowEntries rowEntries(int row) {
    const int curve = (row - 1) % kServoCurveCount + 1;
    const std::size_t first = row <= kServoCurveCount ? 103 : 106;
    return {curve, first, first + 1};
}

bool validItem(int item) {
    return item >= 0 && item < kAssignmentItemCount;
}

} // namespace

AssignmentRow assignmentRow(const ServoData& data, int row) {
    const RowEntries at = rowEntries(row);
    const CurveBlock& block = data.curve(at.curve);
    return {block[at.servoAction], block[at.curveRelay]};
}

void setAssignmentRow(ServoData& data, int row, AssignmentRow value) {
    const RowEntries at = rowEntries(row);
    CurveBlock& block = data.curve(at.curve);
    block[at.servoAction] = value.servoAction;
    block[at.curveRelay] = value.curveRelay;
}

int lowestSetBit(int value) {
    for (int bit = 0; bit < 31; ++bit) {
        if ((value >> bit) & 1) {
            return bit;
        }
    }
    return 0;
}

int servoBitIndex(int servoAction) {
    return lowestSetBit(servoAction);
}

int actionBitIndex(int servoAction) {
    return lowestSetBit((servoAction & 0xF0) >> 3);
}

int relayBitIndex(int curveRelay) {
    return lowestSetBit(curveRelay & 0x0F);
}

int curveBitIndex(int curveRelay) {
    return lowestSetBit((curveRelay & 0xF0) >> 4);
}

int comboItem(int bitIndex) {
    return validItem(bitIndex) ? bitIndex : -1;
}

int withServoItem(int servoAction, int item) {
    return validItem(item) ? (servoAction & 0xF0) | (1 << item) : servoAction;
}

int withActionItem(int servoAction, int item) {
    return validItem(item) ? (servoAction & 0x0F) | kActionValues[static_cast<std::size_t>(item)]
                           : servoAction;
}

int withRelayItem(int curveRelay, int item) {
    return validItem(item) ? (curveRelay & 0xF0) | (1 << item) : curveRelay;
}

int withCurveItem(int curveRelay, int item) {
    return validItem(item) ? (curveRelay & 0x0F) | (0x10 << item) : curveRelay;
}

bool curveAndRelayShown(int actionBitIndex) {
    return actionBitIndex < 2;
}

} // namespace hq

#pragma once
// The eight switching addresses a1..a8 of the servo firmware: which servo, action, curve and relay
// each one drives. Row aN lives in curve block N at entries 103/104, row a(N+4) at 106/107.

#include "servo/ServoData.h"

#include <array>
#include <string_view>

namespace hq {

inline constexpr int kAssignmentRowCount = 8;
inline constexpr int kAssignmentItemCount = 4; // items of every assignment combo box

struct AssignmentRow {
    int servoAction = 0; // bits 0..3 servo, bits 4..7 action
    int curveRelay = 0;  // bits 0..3 relay, bits 4..7 curve
};

// Row 1..8.
AssignmentRow assignmentRow(const ServoData& data, int row);
void setAssignmentRow(ServoData& data, int row, AssignmentRow value);

// The number of the lowest set bit, 0 when no bit is set.
int lowestSetBit(int value);

// The bit numbers the four combo boxes of a row show; a number above 3 matches no item.
int servoBitIndex(int servoAction);  // lowest set bit of the whole byte
int actionBitIndex(int servoAction); // 0x00 -> 0, 0x10 -> 1, 0x20 -> 2, 0x40 -> 3
int relayBitIndex(int curveRelay);   // lowest set bit of the low nibble
int curveBitIndex(int curveRelay);   // lowest set bit of the high nibble

// The combo-box item for a bit number: the number itself for 0..3, -1 (no item) above.
int comboItem(int bitIndex);

// The action values of the items "Start", "Start Loop", "Abbruch", "Beenden".
inline constexpr std::array<int, kAssignmentItemCount> kActionValues{0x00, 0x10, 0x20, 0x40};
inline constexpr std::array<std::string_view, kAssignmentItemCount> kActionNames{"Start", "Start Loop",
                                                                                 "Abbruch", "Beenden"};

// The byte with one combo box's item (0..3) written in and the other nibble kept. An item outside
// 0..3 leaves the byte unchanged.
int withServoItem(int servoAction, int item);
int withActionItem(int servoAction, int item);
int withRelayItem(int curveRelay, int item);
int withCurveItem(int curveRelay, int item);

// Only "Start" and "Start Loop" drive a curve and a relay; for the others the row's curve and relay
// boxes are hidden.
bool curveAndRelayShown(int actionBitIndex);

} // namespace hq

#pragma once
// The four option flags of a servo, kept in entry 100 of its curve block; the other bits of that
// byte are left as loaded.

#include "servo/ServoData.h"

#include <array>
#include <string_view>

namespace hq {

enum class ServoFlag {
    VoltageOff = 0x02,     // "Spannung aus"
    PulsesOff = 0x04,      // "Impulse aus"
    NoInterruption = 0x40, // "keine Unterbrechung"
    NoRepetition = 0x80,   // "keine Wiederholung"
};

inline constexpr std::array<ServoFlag, 4> kServoFlags{ServoFlag::VoltageOff, ServoFlag::PulsesOff,
                                                      ServoFlag::NoInterruption, ServoFlag::NoRepetition};

// The check box caption: "Spannung aus", "Impulse aus", "keine Unterbrechung", "keine Wiederholung".
std::string_view servoFlagCaption(ServoFlag flag);

bool hasFlag(int flagByte, ServoFlag flag);
int withFlag(int flagByte, ServoFlag flag, bool on);

// The flag byte of servo 1..4.
int servoFlagByte(const ServoData& data, int servo);
void setServoFlag(ServoData& data, int servo, ServoFlag flag, bool on);

} // namespace hq

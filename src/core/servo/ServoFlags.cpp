#include "servo/ServoFlags.h"

namespace hq {

std::string_view servoFlagCaption(ServoFlag flag) {
    switch (flag) {
    case ServoFlag::VoltageOff:
        return "Spannung aus";
    case ServoFlag::PulsesOff:
        return "Impulse aus";
    case ServoFlag::NoInterruption:
        return "keine Unterbrechung";
    case ServoFlag::NoRepetition:
        break;
    }
    return "keine Wiederholung";
}

bool hasFlag(int flagByte, ServoFlag flag) {
    return (flagByte & static_cast<int>(flag)) != 0;
}

int withFlag(int flagByte, ServoFlag flag, bool on) {
    const int mask = static_cast<int>(flag);
    return on ? (flagByte | mask) : (flagByte & ~mask);
}

int servoFlagByte(const ServoData& data, int servo) {
    return data.curve(servo)[kCurveFlagEntry];
}

void setServoFlag(ServoData& data, int servo, ServoFlag flag, bool on) {
    int& flagByte = data.curve(servo)[kCurveFlagEntry];
    flagByte = withFlag(flagByte, flag, on);
}

} // namespace hq

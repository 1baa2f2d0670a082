#include "servo/ServoTiming.h"

#include <algorithm>
#include <cstdlib>

namespace hq {

void loadServoTiming(const EepromImage& eeprom, ServoTiming& timing) {
    for (int i = 0; i < kServoTimingByteCount; ++i) {
        if (const auto value = eeprom.value(kServoTimingFirstByte + i)) {
            timing.bytes[static_cast<std::size_t>(i)] = *value;
        }
    }
}

void storeServoTiming(const ServoTiming& timing, EepromImage& eeprom) {
    for (int i = 0; i < kServoTimingByteCount; ++i) {
        eeprom.setValue(kServoTimingFirstByte + i,
                        std::clamp(timing.bytes[static_cast<std::size_t>(i)], 0, 255));
    }
}

int faktorAmount(int faktor) {
    if (faktor <= 127) {
        return faktor * 127 / 128;
    }
    return -((255 - faktor) * 127 / 128);
}

int minimumPulseUnits(int offset) {
    return offset;
}

int maximumPulseUnits(int offset, int faktor) {
    return offset + 127 + faktorAmount(faktor);
}

int steppedOffset(int offset, int step) {
    return std::clamp(offset + step, kMinServoOffset, kMaxServoOffset);
}

int steppedFaktor(int faktor, int step) {
    const int c = faktor + step;
    if (c > 253) {
        return c - 253;
    }
    if (c < 1) {
        return c + 253;
    }
    if (c > 127 && faktor <= 127) {
        return 127;
    }
    if (c < 128 && faktor >= 128) {
        return 128;
    }
    return c;
}

std::string pulseMillisecondsText(int units, std::string_view decimalSeparator) {
    // 8 microseconds per unit: the microseconds are the three decimals of the milliseconds.
    const int micros = units * 8;
    const int whole = std::abs(micros) / 1000;
    const int fraction = std::abs(micros) % 1000;
    std::string text = micros < 0 ? "-" : "";
    text += std::to_string(whole);
    text += decimalSeparator;
    const std::string digits = std::to_string(fraction);
    text.append(3 - digits.size(), '0');
    text += digits;
    return text;
}

} // namespace hq

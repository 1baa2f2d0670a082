#pragma once
// Pulse timing of the four servos: an offset byte and a faktor byte per servo, kept in data-EEPROM
// bytes 96..103 (offset 1, faktor 1, offset 2, ...). One unit is 8 microseconds.

#include "image/EepromImage.h"

#include <array>
#include <string>
#include <string_view>

namespace hq {

inline constexpr int kServoTimingFirstByte = 96;
inline constexpr int kServoTimingByteCount = 8;
inline constexpr int kMinServoOffset = 50;
inline constexpr int kMaxServoOffset = 255;

struct ServoTiming {
    std::array<int, kServoTimingByteCount> bytes{};

    // Servo 1..4.
    int offset(int servo) const { return bytes[index(servo, 0)]; }
    int faktor(int servo) const { return bytes[index(servo, 1)]; }
    void setOffset(int servo, int value) { bytes[index(servo, 0)] = value; }
    void setFaktor(int servo, int value) { bytes[index(servo, 1)] = value; }

    friend bool operator==(const ServoTiming&, const ServoTiming&) = default;

private:
    static std::size_t index(int servo, int which) {
        return static_cast<std::size_t>(2 * (servo - 1) + which);
    }
};

// Takes the eight bytes from the EEPROM; a byte whose text is no hex byte keeps its value.
void loadServoTiming(const EepromImage& eeprom, ServoTiming& timing);
// Writes the eight bytes into the EEPROM as two-digit texts.
void storeServoTiming(const ServoTiming& timing, EepromImage& eeprom);

// The signed amount a faktor byte stands for: 0..127 count up (times 127/128), 128..255 count down
// from 255.
int faktorAmount(int faktor);

// The pulse length in units of 8 microseconds: the offset alone, and offset + 127 + faktor amount.
int minimumPulseUnits(int offset);
int maximumPulseUnits(int offset, int faktor);

// The offset after a button step of +-1 or +-10, held within 50..255.
int steppedOffset(int offset, int step);
// The faktor after a button step: it wraps from 253 to 1 and back and never crosses between the
// upward half (..127) and the downward half (128..) otherwise.
int steppedFaktor(int faktor, int step);

// Milliseconds with three decimals ("1.000", "2.016"), with the caller's decimal separator.
std::string pulseMillisecondsText(int units, std::string_view decimalSeparator);

} // namespace hq

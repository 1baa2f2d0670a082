#pragma once
// The decoder's 128 data-EEPROM bytes as two-digit upper-case hex texts, "FF" where no record
// covers a byte.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace hq {

inline constexpr int kEepromSize = 128;

struct EepromImage {
    std::array<std::string, kEepromSize> bytes;

    EepromImage() { bytes.fill("FF"); }

    // The byte's value, or nothing when its text is not a hex byte.
    std::optional<int> value(int index) const;
    // Stores 0..255 as its two-digit text.
    void setValue(int index, int value);
};

// Takes the data bytes of one record whose address high byte is 0x42 into the image: each PIC
// word is two bytes, low byte first, and only the low byte is data. Short lines and indexes past
// the end of the EEPROM are passed over.
void decodeEepromRecord(std::string_view line, EepromImage& eeprom);

// True when the line's address high byte (positions 4-5) reads "42".
bool isEepromLine(std::string_view line);

} // namespace hq

#pragma once
// Per-output address, red/green flag and function number, decoded from the EEPROM.

#include "image/EepromImage.h"
#include "image/Recognition.h"

#include <array>
#include <string>

namespace hq {

struct OutputRow {
    int address = 0;
    int function = 0;
    int redGreen = 0;         // 1 green, 0 red
    std::string outputCode;   // the three code bytes as loaded (six hex digits)
    std::string functionCode; // the function byte as loaded; kept when a function number has no code
};

struct Parameters {
    std::array<OutputRow, kRowCount> rows;
    int extraValue = 0; // EEPROM byte 32
};

// The three EEPROM byte indexes of output row `row` (0..31).
std::array<int, 3> rowByteIndexes(int row);
inline constexpr int kExtraValueByte = 32;

Parameters decodeParameters(const EepromImage& eeprom, const Recognition& recognition);

} // namespace hq

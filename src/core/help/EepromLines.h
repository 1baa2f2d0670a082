#pragma once
// Which line of the loaded HEX file holds a data-EEPROM byte. Byte i is the low byte of the word at
// 0x4200 + 2i; the usual files keep 8 bytes in each record ":1042x000", but a file may order or
// size its records otherwise, so the lines are read by their record addresses and counts, exactly
// as loading takes the bytes in: where two records cover a byte, the later one wins.

#include "image/EepromImage.h"
#include "image/HexImage.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace hq {

// The 1-based line of every EEPROM byte, nothing where no record covers it.
using EepromLineMap = std::array<std::optional<int>, kEepromSize>;

EepromLineMap eepromLineMap(const HexImage& image);

struct EepromByteLine {
    int index = 0;
    std::optional<int> line; // 1-based, nothing when no line holds the byte

    friend bool operator==(const EepromByteLine&, const EepromByteLine&) = default;
};

// The three code bytes of row 0..31 in their order, with their lines; none for other rows.
std::vector<EepromByteLine> rowEepromLines(const EepromLineMap& lines, int row);

// "0x21": the byte's offset in the data EEPROM.
std::string eepromOffsetText(int index);
// "EEPROM-Byte 0x21: HEX-Zeile 7" or "EEPROM-Byte 0x21: in keiner Zeile der HEX-Datei".
std::string eepromByteLineText(const EepromByteLine& byte);

} // namespace hq

#include "image/EepromImage.h"

#include "image/HexByte.h"

namespace hq {

std::optional<int> EepromImage::value(int index) const {
    if (index < 0 || index >= kEepromSize)
        return std::nullopt;
    return hexByteValue(bytes[index]);
}

void EepromImage::setValue(int index, int value) {
    if (index >= 0 && index < kEepromSize)
        bytes[index] = byteHexText(value);
}

bool isEepromLine(std::string_view line) {
    return pairAt(line, 4) == "42";
}

void decodeEepromRecord(std::string_view line, EepromImage& eeprom) {
    auto count = hexByteValue(pairAt(line, 2));
    auto addressLow = hexByteValue(pairAt(line, 6));
    if (!count || !addressLow)
        return;
    int words = *count / 2;
    for (int i = 0; i < words; ++i) {
        int index = *addressLow / 2 + i;
        std::string_view low = pairAt(line, static_cast<std::size_t>(10 + 4 * i));
        if (index >= kEepromSize || low.size() != 2)
            break;
        eeprom.bytes[index] = std::string{low};
    }
}

} // namespace hq

// The line lookup reads records the same way the EEPROM is decoded on loading (a count of data
// bytes, two per word, from the address's low byte on), so the line named is the one whose byte the
// editor shows.

#include "help/EepromLines.h"

#include "image/HexByte.h"
#include "image/OutputDecoder.h"

namespace hq {

EepromLineMap eepromLineMap(const HexImage& image) {
    EepromLineMap lines{};
    for (int i = 0; i < image.lineCount && i < kLineTableSize; ++i) {
        const std::string& line = image.lines[static_cast<std::size_t>(i)];
        if (!isEepromLine(line))
            continue;
        const auto count = hexByteValue(pairAt(line, 2));
        const auto addressLow = hexByteValue(pairAt(line, 6));
        if (!count || !addressLow)
            continue;
        for (int word = 0; word < *count / 2; ++word) {
            const int index = *addressLow / 2 + word;
            if (index >= kEepromSize || pairAt(line, static_cast<std::size_t>(10 + 4 * word)).size() != 2)
                break;
            lines[static_cast<std::size_t>(index)] = i + 1;
        }
    }
    return lines;
}

std::vector<EepromByteLine> rowEepromLines(const EepromLineMap& lines, int row) {
    std::vector<EepromByteLine> bytes;
    if (row < 0 || row >= kRowCount)
        return bytes;
    for (int index : rowByteIndexes(row))
        bytes.push_back({index, lines[static_cast<std::size_t>(index)]});
    return bytes;
}

std::string eepromOffsetText(int index) {
    return "0x" + byteHexText(index);
}

std::string eepromByteLineText(const EepromByteLine& byte) {
    std::string text = "EEPROM-Byte " + eepromOffsetText(byte.index) + ": ";
    if (byte.line)
        return text + "HEX-Zeile " + std::to_string(*byte.line);
    return text + "in keiner Zeile der HEX-Datei";
}

} // namespace hq

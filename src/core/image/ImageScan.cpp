#include "image/ImageScan.h"

namespace hq {

namespace {

std::string charAt(std::string_view line, std::size_t pos) {
    return pos <= line.size() ? std::string(1, line[pos - 1]) : std::string{};
}

} // namespace

ImageScan scanImage(const HexImage& image) {
    ImageScan scan;
    for (int i = 0; i < image.lineCount; ++i) {
        const std::string& line = image.lines[i];
        if (isEepromLine(line)) {
            decodeEepromRecord(line, scan.eeprom);
        } else if (line.starts_with(":08400")) {
            // ID locations: the low digit of each ID word.
            scan.hardwareMark = charAt(line, 11);
            scan.version = "V " + charAt(line, 15) + "." + charAt(line, 19) + charAt(line, 23);
        } else if (line.starts_with(":10010")) {
            scan.remembered.line010 = line;
        } else if (line.starts_with(":10011")) {
            scan.remembered.line011 = line;
        } else if (line.starts_with(":10001")) {
            scan.remembered.line001 = line;
        } else if (line.starts_with(":10012")) {
            scan.remembered.line012 = line;
        } else if (line.starts_with(":04000")) {
            scan.remembered.line040 = line;
        }
    }
    return scan;
}

} // namespace hq

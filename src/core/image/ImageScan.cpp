#include "image/ImageScan.h"

#include "image/HexByte.h"

namespace hq {

namespace {

std::string charAt(std::string_view line, std::size_t pos) {
    return pos <= line.size() ? std::string(1, line[pos - 1]) : std::string{};
}

} // namespace

EepromLines findEepromLines(const HexImage& image) {
    EepromLines lines;
    lines.record.assign(static_cast<std::size_t>(image.lineCount), false);
    bool extended = false; // a non-zero extended segment or linear address is in force
    bool ended = false;    // the end-of-file record has passed
    for (int i = 0; i < image.lineCount; ++i) {
        const std::string& line = image.lines[i];
        if (!line.starts_with(':'))
            continue;
        std::string_view type = pairAt(line, 8);
        if (type == "01") {
            ended = true;
        } else if ((type == "02" || type == "04") && pairAt(line, 2) == "02") {
            extended = pairAt(line, 10) != "00" || pairAt(line, 12) != "00";
        } else if (isEepromLine(line)) {
            if (extended || ended)
                lines.misplaced.push_back(i + 1);
            else
                lines.record[static_cast<std::size_t>(i)] = true;
        }
    }
    return lines;
}

ImageScan scanImage(const HexImage& image) {
    ImageScan scan;
    EepromLines eeprom = findEepromLines(image);
    scan.misplacedEepromLines = std::move(eeprom.misplaced);
    for (int i = 0; i < image.lineCount; ++i) {
        const std::string& line = image.lines[i];
        if (eeprom.record[static_cast<std::size_t>(i)]) {
            scan.hasEeprom = true;
            decodeEepromRecord(line, scan.eeprom);
        } else if (isEepromLine(line)) {
            continue; // looks like EEPROM, but sits elsewhere for every reader
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

#include "image/Firmware.h"

#include "image/Checksum.h"
#include "image/TextFile.h"

namespace hq {

Result<Firmware> loadFirmware(std::string_view text) {
    auto image = parseHexText(text);
    if (!image)
        return Error{image.message()};
    Firmware firmware;
    firmware.image = std::move(*image);
    firmware.scan = scanImage(firmware.image);
    firmware.recognition = recognise(firmware.scan.remembered);
    firmware.parameters = decodeParameters(firmware.scan.eeprom, firmware.recognition);
    return firmware;
}

Result<Firmware> loadFirmwareFile(const std::string& path) {
    auto text = readTextFile(path);
    if (!text)
        return Error{text.message()};
    return loadFirmware(*text);
}

std::vector<int> badRecordLines(const HexImage& image) {
    std::vector<int> bad;
    for (int i = 0; i < image.lineCount; ++i) {
        if (!recordIsValid(image.lines[i]))
            bad.push_back(i + 1);
    }
    return bad;
}

std::string badRecordWarning(const HexImage& image) {
    constexpr std::size_t kListed = 20;
    std::vector<int> lines;
    for (int line : badRecordLines(image)) {
        if (!image.lines[line - 1].empty())
            lines.push_back(line);
    }
    if (lines.empty())
        return {};
    std::string numbers;
    for (std::size_t i = 0; i < lines.size() && i < kListed; ++i)
        numbers += (i ? ", " : "") + std::to_string(lines[i]);
    if (lines.size() > kListed)
        numbers += " … (" + std::to_string(lines.size()) + " Zeilen)";
    return "Achtung: Das HEX-File enthält Zeilen mit falscher Prüfsumme oder fehlerhaftem Aufbau:\n" +
           numbers +
           "\n\nDiese Zeilen werden unverändert übernommen. Bitte die Datei prüfen, bevor sie in den PIC "
           "gebrannt wird.";
}

} // namespace hq

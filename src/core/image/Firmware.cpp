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

} // namespace hq

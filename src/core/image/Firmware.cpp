#include "image/Firmware.h"

#include "image/Checksum.h"
#include "image/TextFile.h"

namespace hq {

Result<Firmware> loadFirmware(std::string_view text) {
    // Built where the caller gets it: a firmware holds some 700 strings, so each move of it on the
    // way out would show when a layout loads hundreds of files.
    Result<Firmware> loaded{std::in_place};
    if (Status status = loadFirmwareInto(text, *loaded); !status)
        loaded = status.error();
    return loaded;
}

Status loadFirmwareInto(std::string_view text, Firmware& firmware) {
    if (Status parsed = parseHexTextInto(text, firmware.image); !parsed)
        return parsed;
    firmware.scan = scanImage(firmware.image);
    if (!firmware.scan.hasEeprom && !firmware.scan.misplacedEepromLines.empty()) {
        std::string numbers;
        for (std::size_t i = 0; i < firmware.scan.misplacedEepromLines.size() && i < 5; ++i)
            numbers += (i ? ", " : "") + std::to_string(firmware.scan.misplacedEepromLines[i]);
        if (firmware.scan.misplacedEepromLines.size() > 5)
            numbers += ", …";
        return Error{
            "Die EEPROM-Daten dieses HEX-Files stehen hinter einer erweiterten Adresse oder nach dem "
            "Dateiende-Datensatz (Zeile " +
                numbers +
                "). Für ein Programmiergerät liegen sie damit nicht im EEPROM (ab 0x4200); "
                "das HEX-File wird nicht geladen.",
            ErrorKind::Refused};
    }
    firmware.recognition = recognise(firmware.scan.remembered);
    firmware.parameters = decodeParameters(firmware.scan.eeprom, firmware.recognition);
    return {};
}

Result<Firmware> loadFirmwareFile(const std::string& path) {
    auto text = readTextFile(path);
    if (!text)
        return text.error();
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

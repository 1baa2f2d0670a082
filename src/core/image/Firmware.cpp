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

namespace {

std::string numberList(const std::vector<int>& lines) {
    constexpr std::size_t kListed = 20;
    std::string numbers;
    for (std::size_t i = 0; i < lines.size() && i < kListed; ++i)
        numbers += (i ? ", " : "") + std::to_string(lines[i]);
    if (lines.size() > kListed)
        numbers += " … (" + std::to_string(lines.size()) + " Zeilen)";
    return numbers;
}

} // namespace

std::string badRecordWarning(const HexImage& image) {
    const EepromLines eepromLines = findEepromLines(image);
    std::vector<int> lines;
    std::vector<int> eeprom;
    std::vector<int> others;
    for (int line : badRecordLines(image)) {
        if (image.lines[line - 1].empty())
            continue;
        lines.push_back(line);
        const auto index = static_cast<std::size_t>(line - 1);
        (index < eepromLines.record.size() && eepromLines.record[index] ? eeprom : others).push_back(line);
    }
    if (lines.empty())
        return {};
    // What a save will do with them: the EEPROM records are always written anew, other lines only
    // when an editor's table block holding them is written.
    std::string text =
        "Achtung: Das HEX-File enthält Zeilen mit falscher Prüfsumme oder fehlerhaftem Aufbau:\n" +
        numberList(lines) + "\n\n";
    if (!eeprom.empty())
        text += "EEPROM-Zeilen (" + numberList(eeprom) +
                "): Beim Speichern werden sie neu geschrieben. Ihre Daten-Bytes bleiben wie gelesen, die "
                "Prüfsumme wird neu berechnet; Ausgänge aus diesen Zeilen behalten ihre Bytes, bis ein neuer "
                "Wert eingegeben wird.\n";
    if (!others.empty())
        text +=
            std::string{eeprom.empty() ? "Diese Zeilen" : "Die übrigen Zeilen (" + numberList(others) + ")"} +
            " bleiben beim Speichern unverändert, ausser ein Editor schreibt die Tabelle neu, in der sie "
            "stehen.\n";
    return text + "Bitte die Datei prüfen, bevor sie in den PIC gebrannt wird.";
}

} // namespace hq

#pragma once
// A loaded firmware file: its line table, EEPROM, recognition and decoded parameters.

#include "Result.h"
#include "image/HexImage.h"
#include "image/ImageScan.h"
#include "image/OutputDecoder.h"
#include "image/Recognition.h"

#include <string>
#include <string_view>
#include <vector>

namespace hq {

struct Firmware {
    HexImage image;
    ImageScan scan;
    Recognition recognition;
    Parameters parameters;

    EepromImage& eeprom() { return scan.eeprom; }
    const EepromImage& eeprom() const { return scan.eeprom; }
};

// Reads, recognises and decodes a HEX text. Refused only when the text does not fit the line
// table; an unrecognised firmware loads with kind 0.
Result<Firmware> loadFirmware(std::string_view text);

// The same into `firmware`, whose storage is reused: a layout loads hundreds of files one after
// the other. On a refusal `firmware` holds no firmware to use.
Status loadFirmwareInto(std::string_view text, Firmware& firmware);

// The same from a file; the file is refused before reading when it is too large to be firmware.
Result<Firmware> loadFirmwareFile(const std::string& path);

// The line numbers (1-based) of records whose checksum or layout is wrong.
std::vector<int> badRecordLines(const HexImage& image);

// The warning shown after loading a file whose records (empty lines aside) have a wrong checksum or
// layout: such lines are kept as they are, and a decoder must not be programmed with them unnoticed.
// Empty when every record is sound.
std::string badRecordWarning(const HexImage& image);

} // namespace hq

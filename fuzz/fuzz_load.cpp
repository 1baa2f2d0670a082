// Any text, loaded: line table, EEPROM, recognition, decoding and the program tables.

#include "encode/ProgramTable.h"
#include "encode/SaveEncoder.h"
#include "image/Firmware.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto firmware = hq::loadFirmware(text);
    if (!firmware)
        return 0;
    hq::ProgramTable table{};
    for (int block = 1; block <= 4; ++block)
        hq::readProgramBlock(firmware->image, block, table);
    (void)hq::badRecordLines(firmware->image);
    (void)hq::gridValuesFor(firmware->parameters);
    return 0;
}

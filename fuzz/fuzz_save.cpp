// Any text, loaded, edited and saved, then loaded again: a save either refuses with a message and
// leaves the firmware as it was, or writes records that load back to the values saved.

#include "encode/ProgramTable.h"
#include "encode/SaveEncoder.h"
#include "image/Checksum.h"
#include "image/Firmware.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    // The first bytes choose the edits, the rest is the file.
    const int row = data[0] % hq::kRowCount;
    const int address = (data[1] << 8 | data[2]) % 17000 - 100;
    const int function = data[3] % 16 - 2;
    std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);

    auto loaded = hq::loadFirmware(text);
    if (!loaded)
        return 0;
    hq::Firmware firmware = *loaded;
    const std::string before = hq::hexImageText(firmware.image);

    hq::GridTexts texts = hq::gridTextsFor(firmware.parameters);
    texts.address[row] = std::to_string(address);
    texts.function[row] = std::to_string(function);
    firmware.parameters.rows[row].redGreen = data[3] & 1;
    if (auto problem = hq::applyGrid(firmware, texts)) {
        check(!problem->message.empty());
        check(hq::hexImageText(firmware.image) == before);
        return 0;
    }

    hq::ProgramTable table{};
    for (int block = 1; block <= 4; ++block) {
        hq::readProgramBlock(firmware.image, block, table);
        const std::string unchanged = hq::hexImageText(firmware.image);
        if (!hq::writeProgramBlock(firmware.image, block, table))
            check(hq::hexImageText(firmware.image) == unchanged);
    }
    (void)hq::writeProgramBlock1Short(firmware.image, table);

    auto reloaded = hq::loadFirmware(hq::hexImageText(firmware.image));
    check(static_cast<bool>(reloaded));
    check(reloaded->image.lineCount == firmware.image.lineCount);
    // Every EEPROM record the save wrote is a valid record, and a row with a caption and a protocol
    // loads back with the address that was saved.
    for (int i = 0; i < reloaded->image.lineCount; ++i) {
        const std::string& line = reloaded->image.lines[i];
        if (line.starts_with(":1042"))
            check(hq::recordIsValid(line));
    }
    const hq::Recognition& recognition = firmware.recognition;
    if (!recognition.rowCaption(row).empty() && recognition.protocol != hq::Protocol::None &&
        recognition.type != hq::DecoderType::None)
        check(reloaded->parameters.rows[row].address == address);
    return 0;
}

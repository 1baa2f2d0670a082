// Any text, loaded, its settings edited and saved, then loaded again: a save either refuses with a
// message and leaves the firmware as it was, or writes records that load back to the settings
// saved, and saving the reloaded file again without a change gives the same bytes.

#include "ParseInteger.h"
#include "encode/SaveEncoder.h"
#include "image/Checksum.h"
#include "image/Firmware.h"
#include "image/ImageScan.h"
#include "light/PatternBank.h"
#include "servo/ServoData.h"
#include "settings/FirmwareSettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// What the first bytes of the input choose.
struct Edits {
    int row = 0;
    int address = 0;
    int function = 0;
    int redGreen = 0;
    unsigned areas = 0; // bit 0 extra, 1 servo, 2 patterns, 3 neon DUNKEL, 4 house, 5 neon HELL,
                        // 6 save a HELL level the file cannot hold anyway
    int value = 0;
};

constexpr std::size_t kEditBytes = 6;

Edits editsOf(const std::uint8_t* data) {
    return Edits{data[0] % hq::kRowCount,
                 (data[1] << 8 | data[2]) % 17000 - 100,
                 data[3] % 16 - 2,
                 data[3] & 1,
                 data[4],
                 data[5]};
}

void edit(hq::FirmwareSettings& settings, const Edits& edits) {
    hq::RowSetting& row = settings.rows[edits.row];
    row.address = edits.address;
    row.function = edits.function;
    row.redGreen = edits.redGreen;
    if (edits.areas & 1)
        settings.extra = edits.value;
    if ((edits.areas & 2) && settings.servo) {
        settings.servo->data.curve(edits.value % 4 + 1)[static_cast<std::size_t>(edits.value % 128)] =
            255 - edits.value;
        settings.servo->timing.setOffset(edits.value % 4 + 1, edits.value);
    }
    if ((edits.areas & 4) && settings.patterns && settings.patterns->layout) {
        hq::PatternBank bank(*settings.patterns->layout);
        bank.table() = settings.patterns->table;
        bank.setCount(edits.value % 4 + 1, edits.value);
        bank.setStep(edits.value % 4 + 1, edits.value % 10 + 1, edits.value % 7, true);
        settings.patterns->table = bank.table();
    }
    if ((edits.areas & 8) && settings.neon)
        settings.neon->dunkel = edits.value;
    if ((edits.areas & 16) && settings.house)
        settings.house->minimum = edits.value % 12;
    if ((edits.areas & 32) && settings.neon)
        settings.neon->hell = edits.value;
}

// Whether the table writer accepts the blocks as the file holds them.
bool soundServoBlocks(const hq::Firmware& firmware, const hq::FirmwareSettings& shown) {
    hq::HexImage image = firmware.image;
    return shown.servo && hq::writeServoData(image, shown.servo->data).ok();
}

bool soundPatternBlocks(const hq::Firmware& firmware, const hq::FirmwareSettings& shown) {
    if (!shown.patterns || !shown.patterns->layout)
        return false;
    hq::PatternBank bank(*shown.patterns->layout);
    bank.table() = shown.patterns->table;
    hq::HexImage image = firmware.image;
    return bank.write(image).ok();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kEditBytes)
        return 0;
    const Edits edits = editsOf(data);
    std::string_view text(reinterpret_cast<const char*>(data + kEditBytes), size - kEditBytes);

    auto loaded = hq::loadFirmware(text);
    if (!loaded)
        return 0;
    hq::Firmware firmware = *loaded;
    const std::string before = hq::hexImageText(firmware.image);
    const hq::FirmwareSettings shown = hq::readSettings(firmware);
    hq::FirmwareSettings settings = shown;
    edit(settings, edits);
    hq::ApplyOptions options;
    options.acceptStoredHell = (edits.areas & 64) != 0;

    if (auto problem = hq::applySettings(firmware, settings, options)) {
        check(!problem->message.empty());
        check(hq::hexImageText(firmware.image) == before);
        return 0;
    }

    const std::string saved = hq::hexImageText(firmware.image);
    auto reloaded = hq::loadFirmware(saved);
    check(static_cast<bool>(reloaded));
    check(reloaded->image.lineCount == firmware.image.lineCount);
    // Every EEPROM record the save wrote is a valid record (lines that only look like one, behind
    // an extended address or the end record, are kept as they were), and a row with a caption and
    // a protocol loads back with the address that was saved.
    const hq::EepromLines eeprom = hq::findEepromLines(reloaded->image);
    for (int i = 0; i < reloaded->image.lineCount; ++i) {
        if (eeprom.record[static_cast<std::size_t>(i)])
            check(hq::recordIsValid(reloaded->image.lines[i]));
    }
    const hq::Recognition& recognition = firmware.recognition;
    if (!recognition.rowCaption(edits.row).empty() && recognition.protocol != hq::Protocol::None &&
        recognition.type != hq::DecoderType::None)
        check(reloaded->parameters.rows[edits.row].address == edits.address);

    // The editor tables load back as saved, where the file's blocks are sound (32 records in
    // address order; a broken block may take in the EEPROM records a save rewrites).
    const hq::FirmwareSettings again = hq::readSettings(*reloaded);
    if (settings.servo && again.servo && soundServoBlocks(*loaded, shown))
        check(again.servo->data == settings.servo->data);
    if (settings.patterns && again.patterns && soundPatternBlocks(*loaded, shown))
        check(*again.patterns == *settings.patterns);

    // Saving what was loaded back changes nothing.
    hq::Firmware second = *reloaded;
    options.acceptStoredHell = true;
    check(!hq::applySettings(second, again, options));
    check(hq::hexImageText(second.image) == saved);
    return 0;
}

// Records that look like data EEPROM (address high byte 0x42) but sit behind a non-zero extended
// address or after the end-of-file record are somewhere else for every Intel HEX reader: they are
// neither read nor rewritten as EEPROM, and a file whose EEPROM is only found that way is refused.

#include "../FirmwareBuilder.h"
#include "encode/SaveEncoder.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace hq;

namespace {

EepromImage eepromWith(int index, const char* value) {
    EepromImage eeprom;
    eeprom.bytes[static_cast<std::size_t>(index)] = value;
    return eeprom;
}

// The relay firmware with its EEPROM records moved behind `before` (inserted in front of them).
std::vector<std::string> relayLines(const EepromImage& eeprom) {
    return test::firmwareText(test::kRelay8, test::kMmSchalt, eeprom).lines;
}

std::size_t firstEepromLine(const std::vector<std::string>& lines) {
    auto found =
        std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with(":1042"); });
    return static_cast<std::size_t>(found - lines.begin());
}

std::string joined(const std::vector<std::string>& lines) {
    test::FirmwareText text;
    text.lines = lines;
    return text.text();
}

} // namespace

TEST(EepromPlacement, RecordsOnlyBehindAnExtendedAddressOrAfterTheEndAreRefused) {
    for (const char* extended : {":020000040001F9", ":020000021000EC"}) {
        std::vector<std::string> lines = relayLines(eepromWith(32, "14"));
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(firstEepromLine(lines)), extended);
        auto loaded = loadFirmware(joined(lines));
        ASSERT_FALSE(loaded.ok()) << extended;
        EXPECT_EQ(loaded.kind(), ErrorKind::Refused);
        EXPECT_NE(loaded.message().find("hinter einer erweiterten Adresse oder nach dem Dateiende-Datensatz"),
                  std::string::npos)
            << loaded.message();
    }

    std::vector<std::string> afterEnd = relayLines(eepromWith(32, "14"));
    const std::size_t first = firstEepromLine(afterEnd);
    std::vector<std::string> moved(afterEnd.begin() + static_cast<std::ptrdiff_t>(first),
                                   afterEnd.begin() + static_cast<std::ptrdiff_t>(first + 16));
    afterEnd.erase(afterEnd.begin() + static_cast<std::ptrdiff_t>(first),
                   afterEnd.begin() + static_cast<std::ptrdiff_t>(first + 16));
    afterEnd.insert(afterEnd.end(), moved.begin(), moved.end());
    auto loaded = loadFirmware(joined(afterEnd));
    ASSERT_FALSE(loaded.ok());
    EXPECT_NE(loaded.message().find("(Zeile "), std::string::npos);
}

TEST(EepromPlacement, AZeroExtendedAddressKeepsRecordsAtTheirPlace) {
    std::vector<std::string> lines = relayLines(eepromWith(32, "14"));
    lines.insert(lines.begin(), ":020000040000FA");
    auto loaded = loadFirmware(joined(lines));
    ASSERT_TRUE(loaded.ok()) << loaded.message();
    EXPECT_EQ(loaded->parameters.extraValue, 0x14);
}

TEST(EepromPlacement, MisplacedLookalikesBesideRealRecordsAreNeitherReadNorRewritten) {
    std::vector<std::string> lines = relayLines(eepromWith(32, "14"));
    // A look-alike at 0x14200 before the end record carries other bytes for the same addresses.
    const std::size_t end = lines.size() - 1;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end),
                 {":020000040001F9", test::record(":10421000770077007700770077007700770077007700")});
    const std::string lookalike = lines[end + 1];
    auto loaded = loadFirmware(joined(lines));
    ASSERT_TRUE(loaded.ok()) << loaded.message();
    Firmware firmware = *loaded;
    EXPECT_EQ(firmware.parameters.extraValue, 0x14) << "the real record is read, not the look-alike";
    EXPECT_EQ(firmware.scan.misplacedEepromLines, std::vector<int>{static_cast<int>(end) + 2});

    GridValues texts = gridValuesFor(firmware.parameters);
    texts.extra = FieldValue::fromText("30");
    ASSERT_FALSE(applyGrid(firmware, texts));
    EXPECT_EQ(firmware.image.lines[end + 1], lookalike) << "the look-alike is left as it is";
    auto reloaded = loadFirmware(hexImageText(firmware.image));
    ASSERT_TRUE(reloaded.ok());
    EXPECT_EQ(reloaded->parameters.extraValue, 30);
}

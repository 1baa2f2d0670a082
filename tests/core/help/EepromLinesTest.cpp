// Which HEX line holds an EEPROM byte: the standard layout, records in another order or size,
// missing and overlapping records, and broken lines.

#include "help/EepromLines.h"
#include "../FirmwareBuilder.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace hq;

namespace {

HexImage imageOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return *parseHexText(text);
}

// A record of `words` EEPROM bytes from byte `first`, each byte's value its index.
std::string eepromRecord(int first, int words) {
    std::string body = ":" + byteHexText(2 * words) + "42" + byteHexText(2 * first) + "00";
    for (int i = 0; i < words; ++i)
        body += byteHexText(first + i) + "00";
    return test::record(body);
}

// The bytes loading takes from `line` alone.
std::vector<int> bytesLoadedFrom(const std::string& line) {
    EepromImage marked;
    marked.bytes.fill("");
    decodeEepromRecord(line, marked);
    std::vector<int> indexes;
    for (int i = 0; i < kEepromSize; ++i) {
        if (!marked.bytes[static_cast<std::size_t>(i)].empty())
            indexes.push_back(i);
    }
    return indexes;
}

// Every line the map names loads that byte, and no later EEPROM line loads it again.
void expectAgreesWithLoading(const HexImage& image, const EepromLineMap& map) {
    std::array<std::optional<int>, kEepromSize> loaded{};
    for (int i = 0; i < image.lineCount; ++i) {
        if (!isEepromLine(image.lines[static_cast<std::size_t>(i)]))
            continue;
        for (int index : bytesLoadedFrom(image.lines[static_cast<std::size_t>(i)]))
            loaded[static_cast<std::size_t>(index)] = i + 1;
    }
    for (int i = 0; i < kEepromSize; ++i)
        EXPECT_EQ(map[static_cast<std::size_t>(i)], loaded[static_cast<std::size_t>(i)]) << "byte " << i;
}

} // namespace

TEST(EepromLines, StandardFileEightBytesPerRecord) {
    // Reset vector, signature, program record and ID record come first: EEPROM records on lines 5..20.
    auto firmware = test::firmwareText(test::kRelay8, test::kDccSchalt);
    HexImage image = imageOf(firmware.lines);
    EepromLineMap map = eepromLineMap(image);
    for (int i = 0; i < kEepromSize; ++i)
        EXPECT_EQ(map[static_cast<std::size_t>(i)], 5 + i / 8) << "byte " << i;

    EXPECT_EQ(rowEepromLines(map, 1), (std::vector<EepromByteLine>{{1, 5}, {17, 7}, {33, 9}}));
    EXPECT_EQ(rowEepromLines(map, 15), (std::vector<EepromByteLine>{{15, 6}, {31, 8}, {47, 10}}));
    EXPECT_EQ(rowEepromLines(map, 16), (std::vector<EepromByteLine>{{64, 13}, {80, 15}, {96, 17}}));
    EXPECT_EQ(rowEepromLines(map, 31), (std::vector<EepromByteLine>{{79, 14}, {95, 16}, {111, 18}}));
    expectAgreesWithLoading(image, map);
}

TEST(EepromLines, RecordsInAnotherOrderAndSize) {
    // Sixteen-byte records, last first, after the end of the program; one four-byte record in between.
    std::vector<std::string> lines{test::kRelay8, test::kDccSchalt};
    for (int first = 112; first >= 16; first -= 16)
        lines.push_back(eepromRecord(first, 16));
    lines.push_back(eepromRecord(4, 4));
    lines.push_back(":00000001FF");
    HexImage image = imageOf(lines);
    EepromLineMap map = eepromLineMap(image);

    EXPECT_EQ(map[112], 3);
    EXPECT_EQ(map[127], 3);
    EXPECT_EQ(map[16], 9);
    EXPECT_EQ(map[33], 8);
    EXPECT_EQ(map[4], 10);
    EXPECT_EQ(map[7], 10);
    EXPECT_FALSE(map[0]) << "bytes 0..3 are in no record";
    EXPECT_FALSE(map[8]);
    EXPECT_EQ(rowEepromLines(map, 1), (std::vector<EepromByteLine>{{1, std::nullopt}, {17, 9}, {33, 8}}));
    expectAgreesWithLoading(image, map);

    // The loaded file shows the values of those very lines.
    Firmware firmware = *loadFirmware(hexImageText(image));
    EXPECT_EQ(firmware.eeprom().bytes[33], "21");
    EXPECT_EQ(firmware.eeprom().bytes[1], "FF");
}

TEST(EepromLines, MissingRecordsAndTheLaterOfTwoRecords) {
    auto firmware = test::firmwareText(test::kRelay8, test::kDccSchalt);
    firmware.lines.erase(firmware.lines.begin() + 4 + 2); // the record of bytes 16..23
    firmware.lines.insert(firmware.lines.end() - 1, eepromRecord(30, 2));
    HexImage image = imageOf(firmware.lines);
    EepromLineMap map = eepromLineMap(image);

    EXPECT_FALSE(map[16]);
    EXPECT_FALSE(map[23]);
    EXPECT_EQ(map[15], 6);
    EXPECT_EQ(map[24], 7);
    EXPECT_EQ(map[29], 7);
    EXPECT_EQ(map[30], 21) << "the later record wins, as on loading";
    EXPECT_EQ(map[31], 21);
    EXPECT_EQ(map[32], 8);
    expectAgreesWithLoading(image, map);
}

TEST(EepromLines, BrokenLinesAreSkippedNotFatal) {
    std::vector<std::string> lines{
        ":10420",                        // too short for a count and address
        ":ZZ42000000",                   // count no hex byte
        ":1042F000",                     // count 16 but no data: nothing taken
        ":04427C0001000200FF",           // bytes 62 and 63 (address 0x427C)
        ":1042F80011002200330044005500", // bytes 124..127 only: the record runs past the EEPROM
        ":0442FE001100220000",           // byte 127, then past the end
        "",
        ":02000004FFFFFC", // no EEPROM record
    };
    HexImage image = imageOf(lines);
    EepromLineMap map = eepromLineMap(image);
    EXPECT_EQ(map[62], 4);
    EXPECT_EQ(map[63], 4);
    EXPECT_EQ(map[124], 5);
    EXPECT_EQ(map[126], 5);
    EXPECT_EQ(map[127], 6);
    EXPECT_EQ(std::count_if(map.begin(), map.end(), [](const auto& line) { return line.has_value(); }), 6);
    expectAgreesWithLoading(image, map);

    const EepromLineMap empty = eepromLineMap(HexImage{});
    EXPECT_TRUE(std::none_of(empty.begin(), empty.end(), [](const auto& line) { return line.has_value(); }));
}

TEST(EepromLines, RowsOutsideTheGridHaveNoBytes) {
    EepromLineMap map{};
    EXPECT_TRUE(rowEepromLines(map, -1).empty());
    EXPECT_TRUE(rowEepromLines(map, kRowCount).empty());
    EXPECT_EQ(rowEepromLines(map, 0).size(), 3u);
}

TEST(EepromLines, Texts) {
    EXPECT_EQ(eepromOffsetText(0x21), "0x21");
    EXPECT_EQ(eepromOffsetText(0x6F), "0x6F");
    EXPECT_EQ(eepromOffsetText(1), "0x01");
    EXPECT_EQ(eepromByteLineText({0x21, 9}), "EEPROM-Byte 0x21: HEX-Zeile 9");
    EXPECT_EQ(eepromByteLineText({0x40, std::nullopt}), "EEPROM-Byte 0x40: in keiner Zeile der HEX-Datei");
}

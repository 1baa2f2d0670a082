#include "demo/DemoFirmware.h"
#include "demo/DemoTables.h"
#include "encode/ProgramTable.h"
#include "image/Firmware.h"
#include "image/HexByte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

namespace hq {
namespace {

struct Record {
    int count = 0;
    int address = 0;
    int type = 0;
};

Record parseRecord(const std::string& line) {
    Record record;
    record.count = hexByteValue(pairAt(line, 2)).value_or(-1);
    record.address =
        hexByteValue(pairAt(line, 4)).value_or(0) * 256 + hexByteValue(pairAt(line, 6)).value_or(0);
    record.type = hexByteValue(pairAt(line, 8)).value_or(-1);
    return record;
}

struct DemoCase {
    int kind;
    Protocol protocol;
};

std::string caseName(const testing::TestParamInfo<DemoCase>& info) {
    return "kind" + std::to_string(info.param.kind) + (info.param.protocol == Protocol::MM ? "_mm" : "_dcc");
}

std::vector<DemoCase> allDemoCases() {
    std::vector<DemoCase> cases;
    for (const KindInfo& info : kindsTable()) {
        cases.push_back({info.kind, Protocol::MM});
        cases.push_back({info.kind, Protocol::DCC});
    }
    return cases;
}

class EveryDemo : public testing::TestWithParam<DemoCase> {
protected:
    void SetUp() override {
        text = demoFirmwareText(GetParam().kind, GetParam().protocol);
        ASSERT_FALSE(text.empty());
        auto loaded = loadFirmware(text);
        ASSERT_TRUE(loaded.ok()) << loaded.message();
        firmware = std::move(*loaded);
    }
    std::string text;
    Firmware firmware;
};

TEST_P(EveryDemo, IsRecognisedWithItsProtocolAndDefaultType) {
    const Recognition& recognition = firmware.recognition;
    EXPECT_EQ(recognition.kind, GetParam().kind);
    EXPECT_EQ(recognition.protocol, GetParam().protocol);
    EXPECT_EQ(recognition.type, demoDefaultType(GetParam().kind));
    EXPECT_TRUE(recognition.rowsShown());
    EXPECT_TRUE(recognition.hasCaptions());
    EXPECT_EQ(firmware.scan.hardwareMark, "1");
    EXPECT_EQ(firmware.scan.version, "V 0.41");
}

TEST_P(EveryDemo, HasOnlyValidRecordsWithCrLfInAscendingAddressOrder) {
    EXPECT_TRUE(badRecordLines(firmware.image).empty());
    EXPECT_EQ(firmware.image.lineBreak, "\r\n");
    std::size_t bareLf = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        bareLf += text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
    EXPECT_EQ(bareLf, 0u);

    const int lines = firmware.image.lineCount;
    ASSERT_GT(lines, 20);
    EXPECT_EQ(firmware.image.lines[static_cast<std::size_t>(lines - 1)], ":00000001FF");
    int end = 0; // first byte address not yet written
    for (int i = 0; i + 1 < lines; ++i) {
        Record record = parseRecord(firmware.image.lines[static_cast<std::size_t>(i)]);
        EXPECT_EQ(record.type, 0) << "line " << i + 1;
        EXPECT_GE(record.address, end) << "line " << i + 1 << " overlaps or is out of order";
        end = record.address + record.count;
    }
}

TEST_P(EveryDemo, HasTheRegionsOfAPicFirmware) {
    const auto& lines = firmware.image.lines;
    const int count = firmware.image.lineCount;
    int code = 0;
    int tables = 0;
    int eeprom = 0;
    bool id = false;
    bool config = false;
    const std::vector<int> blocks = demoTableBlocks(GetParam().kind);
    for (int i = 0; i < count; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        Record record = parseRecord(line);
        bool inTable = false;
        for (int block : blocks)
            inTable = inTable ||
                      (record.address >= 0x0400 + 0x200 * block && record.address < 0x0600 + 0x200 * block);
        if (inTable) {
            ++tables;
            for (int k = 0; 2 * k < record.count; ++k)
                EXPECT_EQ(pairAt(line, static_cast<std::size_t>(12 + 4 * k)), "34")
                    << "retlw word in line " << i + 1;
        } else if (record.address >= 0x0020 && record.address < 0x4000 && record.count == 16) {
            ++code;
        }
        id = id || line.starts_with(":08400000");
        config = config || line.starts_with(":02400E00");
        eeprom += line.starts_with(":1042");
    }
    // 150 records of code or, where the tables leave less room, the part's memory filled up.
    const int room = (0x1000 - 0x0020) / 16 - 32 * static_cast<int>(blocks.size());
    EXPECT_GE(code, std::min(150, room));
    EXPECT_LE(code, 300);
    EXPECT_EQ(tables, 32 * static_cast<int>(blocks.size()));
    EXPECT_TRUE(id);
    EXPECT_TRUE(config);
    EXPECT_EQ(eeprom, 16);
}

// A PIC16F628A has program words 0x000..0x7FF (byte addresses below 0x1000), the ID words, the
// configuration word and 128 EEPROM bytes; a programmer set to that part refuses or drops anything
// else.
TEST_P(EveryDemo, EveryWordLiesInTheMemoryOfThePart) {
    for (int i = 0; i < firmware.image.lineCount; ++i) {
        const Record record = parseRecord(firmware.image.lines[static_cast<std::size_t>(i)]);
        if (record.type != 0)
            continue;
        const int last = record.address + record.count - 1;
        const bool program = last < 0x1000;
        const bool idWords = record.address >= 0x4000 && last < 0x4008;
        const bool configuration = record.address == 0x400E && last < 0x4010;
        const bool eeprom = record.address >= 0x4200 && last < 0x4300;
        EXPECT_TRUE(program || idWords || configuration || eeprom)
            << "line " << i + 1 << ": " << firmware.image.lines[static_cast<std::size_t>(i)];
    }
}

TEST_P(EveryDemo, OutputsSitOnConsecutiveAddresses) {
    const Recognition& recognition = firmware.recognition;
    const bool vehicle = recognition.type == DecoderType::Fahrzeug;
    int output = 0;
    for (int r = 0; r < kRowCount; ++r) {
        if (recognition.rowCaption(r).empty())
            continue;
        const OutputRow& row = firmware.parameters.rows[r];
        EXPECT_EQ(row.address, (vehicle ? kDemoVehicleAddress : kDemoSwitchingAddress) + output)
            << "row " << r;
        if (vehicle) {
            EXPECT_EQ(row.function, output % recognition.maxFunction + 1) << "row " << r;
        } else {
            EXPECT_EQ(row.redGreen, output % 3 == 2 ? 0 : 1) << "row " << r;
        }
        ++output;
    }
    if (const auto& extra = recognition.extra()) {
        EXPECT_EQ(firmware.parameters.extraValue, std::min(kDemoExtraValue, extra->maximum));
    }
}

TEST_P(EveryDemo, IsTheSameEveryTime) {
    EXPECT_EQ(demoFirmwareText(GetParam().kind, GetParam().protocol), text);
}

INSTANTIATE_TEST_SUITE_P(DemoFirmware, EveryDemo, testing::ValuesIn(allDemoCases()), caseName);

// The editors' tables hold values their editors accept.
TEST(DemoTables, ServoCurvesHaveCountsStretchesAndOneBitAssignments) {
    auto firmware = loadFirmware(demoFirmwareText(42, Protocol::MM));
    ASSERT_TRUE(firmware.ok());
    ProgramTable table{};
    ASSERT_TRUE(readProgramBlock(firmware->image, 3, table));
    ASSERT_TRUE(readProgramBlock(firmware->image, 4, table));
    auto oneBit = [](int value) { return value == 1 || value == 2 || value == 4 || value == 8; };
    for (int curve = 0; curve < 4; ++curve) {
        const int base = 512 + 128 * curve;
        const int count = table[static_cast<std::size_t>(base + 101)];
        EXPECT_GE(count, 2);
        EXPECT_LE(count, 100);
        EXPECT_GE(table[static_cast<std::size_t>(base + 102)], 1);
        EXPECT_LE(table[static_cast<std::size_t>(base + 102)], 200);
        for (int row : {103, 106}) {
            int servoAction = table[static_cast<std::size_t>(base + row)];
            int curveRelay = table[static_cast<std::size_t>(base + row + 1)];
            EXPECT_TRUE(oneBit(servoAction & 0x0F));
            EXPECT_TRUE(oneBit(curveRelay & 0x0F));
            EXPECT_TRUE(oneBit(curveRelay >> 4));
        }
        // The curve moves.
        std::set<int> positions;
        for (int i = 0; i < count; ++i)
            positions.insert(table[static_cast<std::size_t>(base + i)] & 0x7F);
        EXPECT_GT(positions.size(), 2u);
    }
    // Pulse timing: offset 125, faktor 0 for each servo.
    for (int servo = 0; servo < 4; ++servo) {
        EXPECT_EQ(firmware->eeprom().value(96 + 2 * servo), 125);
        EXPECT_EQ(firmware->eeprom().value(97 + 2 * servo), 0);
    }
}

TEST(DemoTables, BlinkPatternsKeepTheShortLastRecord) {
    auto firmware = loadFirmware(demoFirmwareText(43, Protocol::DCC));
    ASSERT_TRUE(firmware.ok());
    int shortRecords = 0;
    for (int i = 0; i < firmware->image.lineCount; ++i)
        shortRecords += firmware->image.lines[static_cast<std::size_t>(i)].starts_with(":0E07F000");
    EXPECT_EQ(shortRecords, 1);
    ProgramTable table{};
    ASSERT_TRUE(readProgramBlock(firmware->image, 1, table));
    for (int address = 0; address < 4; ++address) {
        const int base = 64 * address;
        EXPECT_GE(table[static_cast<std::size_t>(base + 53)], 1);
        EXPECT_LE(table[static_cast<std::size_t>(base + 53)], 50);
        EXPECT_GE(table[static_cast<std::size_t>(base + 54)], 1);
        EXPECT_LE(table[static_cast<std::size_t>(base + 54)], 200);
        EXPECT_NE(table[static_cast<std::size_t>(base + 55)] & 0xF0, 0) << "some output is used";
    }
}

TEST(DemoTables, LedPatternsUseTheirOutputs) {
    auto firmware = loadFirmware(demoFirmwareText(45, Protocol::MM));
    ASSERT_TRUE(firmware.ok());
    ProgramTable table{};
    for (int block = 1; block <= 4; ++block)
        ASSERT_TRUE(readProgramBlock(firmware->image, block, table));
    for (int address = 0; address < 4; ++address) {
        const int base = 256 * address;
        const int count = table[static_cast<std::size_t>(base + 101)];
        EXPECT_GE(count, 1);
        EXPECT_LE(count, 100);
        EXPECT_GE(table[static_cast<std::size_t>(base + 102)], 1);
        EXPECT_LE(table[static_cast<std::size_t>(base + 102)], 200);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(table[static_cast<std::size_t>(base + i)] & ~0x0F, 0);
            EXPECT_EQ(table[static_cast<std::size_t>(base + 128 + i)] & ~0x3F, 0);
        }
    }
    // Address 1 runs a light over all ten outputs.
    EXPECT_EQ(table[100] & 0xF1, 0xF1);
    EXPECT_EQ(table[103], 0x3F);
    EXPECT_EQ(table[0], 0x01);
    EXPECT_EQ(table[128 + 9], 0x20);
}

TEST(DemoFirmware, PanelValuesOfNeonAndHouseKinds) {
    auto neon = loadFirmware(demoFirmwareText(44, Protocol::DCC));
    ASSERT_TRUE(neon.ok());
    EXPECT_EQ(neon->eeprom().value(0x00), 6);
    EXPECT_EQ(neon->eeprom().value(0x20), 255 - 40);
    auto house = loadFirmware(demoFirmwareText(15, Protocol::MM));
    ASSERT_TRUE(house.ok());
    EXPECT_EQ(house->eeprom().value(0x0F), 5);
}

TEST(DemoFirmware, TypeAndProtocolCanBeChosen) {
    auto vehicle = loadFirmware(demoFirmwareText(31, Protocol::DCC, DecoderType::Fahrzeug));
    ASSERT_TRUE(vehicle.ok());
    EXPECT_EQ(vehicle->recognition.kind, 31);
    EXPECT_EQ(vehicle->recognition.type, DecoderType::Fahrzeug);
    EXPECT_EQ(vehicle->parameters.rows[1].address, kDemoVehicleAddress);

    auto none = loadFirmware(demoFirmwareText(21, Protocol::None));
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(none->recognition.kind, 21);
    EXPECT_EQ(none->recognition.protocolStatus, "ohne");
    EXPECT_TRUE(badRecordLines(none->image).empty());
}

TEST(DemoFirmware, UnknownKindGivesNoText) {
    EXPECT_TRUE(demoFirmwareText(0, Protocol::MM).empty());
    EXPECT_TRUE(demoFirmwareText(3, Protocol::MM).empty());
    EXPECT_TRUE(demoFirmwareText(99, Protocol::DCC).empty());
}

TEST(DemoFirmware, FileNames) {
    EXPECT_EQ(demoFileName(31, Protocol::MM), "demo-31-mm.hex");
    EXPECT_EQ(demoFileName(4, Protocol::DCC), "demo-4-dcc.hex");
    EXPECT_EQ(demoFileName(21, Protocol::None), "demo-21.hex");
}

TEST(DemoFirmware, DefaultTypeOfFunctionDecoderKinds) {
    for (const KindInfo& info : kindsTable()) {
        bool function = info.matchingLine.substr(9, 4) == "6028";
        EXPECT_EQ(demoDefaultType(info.kind), function ? DecoderType::Fahrzeug : DecoderType::Schalt)
            << info.kind;
    }
}

} // namespace
} // namespace hq

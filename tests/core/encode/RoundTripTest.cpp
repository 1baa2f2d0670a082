// Every address the encoder writes must come back as itself after saving and loading again.

#include "../FirmwareBuilder.h"
#include "encode/CodeTables.h"
#include "encode/SaveEncoder.h"
#include "image/Checksum.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

struct Setting {
    const char* name;
    const char* signature;
    int highest;
    int functions; // 0 for switching decoders
};

const Setting kSettings[] = {
    {"MmSchalt", test::kMmSchalt, kMmHighestAccessory, 0},
    {"DccSchalt", test::kDccSchalt, kDccHighestAccessory, 0},
    {"MmFahrzeug", test::kMmFahrzeug, kMmHighestVehicle, 4},
    {"DccFahrzeug", test::kDccFahrzeug, kDccHighestVehicle, 12},
};

class EveryAddress : public ::testing::TestWithParam<Setting> {};

Firmware saveAndReload(Firmware& f, const GridValues& texts) {
    auto problem = applyGrid(f, texts);
    EXPECT_FALSE(problem) << (problem ? problem->message : "");
    std::string text = hexImageText(f.image);
    auto reloaded = loadFirmware(text);
    EXPECT_TRUE(reloaded);
    for (int i = 0; i < reloaded->image.lineCount; ++i)
        EXPECT_TRUE(recordIsValid(reloaded->image.lines[i])) << reloaded->image.lines[i];
    return *reloaded;
}

} // namespace

TEST_P(EveryAddress, SurvivesSaveAndLoad) {
    const Setting& s = GetParam();
    // Kind 18 (switching) and kind 6 (function decoder) both use rows 1..10.
    const char* resetVector = s.functions ? test::kFunction10 : test::kLedSwitch;
    Firmware f = *loadFirmware(test::firmwareText(resetVector, s.signature).text());
    ASSERT_EQ(f.recognition.maxAddress, s.highest);

    int checked = 0;
    for (int first = 0; first <= s.highest; first += 10) {
        GridValues texts = gridValuesFor(f.parameters);
        for (int row = 1; row <= 10; ++row) {
            int address = std::min(first + row - 1, s.highest);
            texts.address[row] = address;
            if (s.functions)
                texts.function[row] = 1 + (address + row) % s.functions;
            else
                texts.redGreen[row] = (address / 7 + row) % 2;
        }
        Firmware back = saveAndReload(f, texts);
        for (int row = 1; row <= 10; ++row) {
            const OutputRow& was = f.parameters.rows[row];
            const OutputRow& now = back.parameters.rows[row];
            ASSERT_EQ(now.address, was.address) << s.name << " row " << row;
            if (s.functions) {
                ASSERT_EQ(now.function, was.function) << s.name << " address " << was.address;
            } else if (!(was.address == 0 && s.signature == test::kDccSchalt)) {
                ASSERT_EQ(now.redGreen, was.redGreen) << s.name << " address " << was.address;
            }
            ++checked;
        }
        f = back;
    }
    EXPECT_GT(checked, s.highest);
}

INSTANTIATE_TEST_SUITE_P(AllProtocols, EveryAddress, ::testing::ValuesIn(kSettings),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(RoundTrip, SavingWithoutEditsReproducesEveryLine) {
    for (const Setting& s : kSettings) {
        const char* resetVector = s.functions ? test::kFunction10 : test::kRelay8;
        // Canonical codes: written once by the encoder, then loaded as a file of its own.
        Firmware first = *loadFirmware(test::firmwareText(resetVector, s.signature).text());
        GridValues texts = gridValuesFor(first.parameters);
        for (int row = 1; row <= 10; ++row) {
            texts.address[row] = row * 3;
            texts.function[row] = s.functions ? 1 : 0;
        }
        texts.extra = FieldValue::fromText("12");
        auto problem = applyGrid(first, texts);
        ASSERT_FALSE(problem) << problem->message;
        const std::string canonical = hexImageText(first.image);

        for (const char* lineBreak : {"\r\n", "\n"}) {
            std::string input = canonical;
            if (std::string(lineBreak) == "\n") {
                std::string lf;
                for (char c : canonical)
                    if (c != '\r')
                        lf += c;
                input = lf;
            }
            Firmware loaded = *loadFirmware(input);
            ASSERT_FALSE(applyGrid(loaded, gridValuesFor(loaded.parameters)));
            EXPECT_EQ(hexImageText(loaded.image), input) << s.name;
        }
    }
}

TEST(RoundTrip, FileWithSkippedRecordsKeepsEveryByteAndGainsTheMissingRecords) {
    EepromImage eeprom;
    eeprom.setValue(50, 0x42);
    auto lines = test::firmwareText(test::kRelay8, test::kMmSchalt, eeprom).lines;
    // Drop the record at 0x4200: the record at 0x4230 must not move into its place.
    lines.erase(std::find_if(lines.begin(), lines.end(),
                             [](const std::string& l) { return l.starts_with(":10420000"); }));
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    Firmware f = *loadFirmware(text);
    EXPECT_EQ(f.eeprom().bytes[50], "42");
    GridValues texts = gridValuesFor(f.parameters);
    texts.address[1] = FieldValue::fromText("7");
    ASSERT_FALSE(applyGrid(f, texts));
    Firmware back = *loadFirmware(hexImageText(f.image));
    EXPECT_EQ(back.eeprom().bytes[50], "42");
    EXPECT_EQ(back.parameters.rows[1].address, 7) << "row 1 lives in the record at 0x4200, which was missing";
    EXPECT_EQ(back.image.lineCount, f.image.lineCount);
    EXPECT_EQ(f.image.lineCount, static_cast<int>(lines.size()) + 1);
}

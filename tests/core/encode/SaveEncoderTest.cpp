#include "encode/SaveEncoder.h"
#include "../FirmwareBuilder.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

Firmware load(const char* resetVector, const char* signature, const EepromImage& eeprom = {}) {
    return *loadFirmware(test::firmwareText(resetVector, signature, eeprom).text());
}

std::string rowCode(const Firmware& f, int row) {
    auto bytes = rowByteIndexes(row);
    return f.eeprom().bytes[bytes[0]] + f.eeprom().bytes[bytes[1]] + f.eeprom().bytes[bytes[2]];
}

// The message and focus of saving `texts`, with the firmware checked to be untouched on failure.
SaveProblem refusal(Firmware& f, const GridValues& texts) {
    Firmware before = f;
    auto problem = applyGrid(f, texts);
    EXPECT_TRUE(problem);
    EXPECT_EQ(hexImageText(f.image), hexImageText(before.image)) << "nothing changes on a refusal";
    return problem.value_or(SaveProblem{});
}

} // namespace

TEST(SaveValidation, ExtraValueMessages) {
    Firmware f = load(test::kRelay8, test::kMmSchalt);
    GridValues texts = gridValuesFor(f.parameters);

    texts.extra = FieldValue::fromText("abc");
    SaveProblem p = refusal(f, texts);
    EXPECT_EQ(p.message, "Ungültige Eingabe für <Verzögerungszeit (1..255)> ");
    EXPECT_EQ(p.field, FocusField::Extra);
    texts.extra = FieldValue::fromText("-1");
    EXPECT_EQ(refusal(f, texts).message, "Wert für <Verzögerungszeit (1..255)> ist zu klein");
    texts.extra = FieldValue::fromText("256");
    EXPECT_EQ(refusal(f, texts).message, "Wert für <Verzögerungszeit (1..255)> ist zu gross");

    Firmware timeOut = load(test::kPelvar, test::kMmSchalt);
    GridValues t2 = gridValuesFor(timeOut.parameters);
    t2.extra = FieldValue::fromText("128");
    EXPECT_EQ(refusal(timeOut, t2).message, "Wert für <Time Out (1..127)> ist zu gross");
    t2.extra = FieldValue::fromText("0");
    EXPECT_FALSE(applyGrid(timeOut, t2)) << "0 passes although the caption names 1..127";
}

TEST(SaveValidation, ExtraValueIsNotRangeCheckedWithoutCaption) {
    Firmware f = load(":0400000067303A2803", test::kMmSchalt); // kind 10, no extra value
    GridValues texts = gridValuesFor(f.parameters);
    texts.extra = FieldValue::fromText("999");
    EXPECT_FALSE(applyGrid(f, texts));
    texts.extra = FieldValue::fromText("x");
    EXPECT_EQ(refusal(f, texts).message, "Ungültige Eingabe für <> ");
}

TEST(SaveValidation, AddressMessagesAndFocus) {
    Firmware f = load(test::kRelay8, test::kMmSchalt);
    GridValues texts = gridValuesFor(f.parameters);
    texts.address[3] = FieldValue::fromText("12a");
    SaveProblem p = refusal(f, texts);
    EXPECT_EQ(p.message, "Ungültige Eingabe für <Out 3> ");
    EXPECT_EQ(p.field, FocusField::Address);
    EXPECT_EQ(p.row, 3);
    texts.address[3] = FieldValue::fromText("-1");
    EXPECT_EQ(refusal(f, texts).message, "Adresse für <Out 3> ist zu klein");
    texts.address[3] = FieldValue::fromText("321");
    EXPECT_EQ(refusal(f, texts).message, "Adresse für <Out 3> ist zu gross");
    texts.address[3] = FieldValue::fromText("320");
    EXPECT_FALSE(applyGrid(f, texts));

    // A row without caption is only converted, whatever its value, and reported with "<>".
    GridValues hidden = gridValuesFor(f.parameters);
    hidden.address[20] = FieldValue::fromText("99999");
    EXPECT_FALSE(applyGrid(f, hidden));
    hidden.address[20] = FieldValue::fromText("");
    SaveProblem empty = refusal(f, hidden);
    EXPECT_EQ(empty.message, "Ungültige Eingabe für <> ");
    EXPECT_EQ(empty.row, 20);
}

TEST(SaveValidation, ExtraIsCheckedBeforeRowsAndRowsInOrder) {
    Firmware f = load(test::kRelay8, test::kMmSchalt);
    GridValues texts = gridValuesFor(f.parameters);
    texts.address[5] = FieldValue::fromText("x");
    texts.address[2] = FieldValue::fromText("999");
    EXPECT_EQ(refusal(f, texts).row, 2);
    texts.extra = FieldValue::fromText("");
    EXPECT_EQ(refusal(f, texts).field, FocusField::Extra);
}

TEST(SaveValidation, FunctionNumbersComeAfterTheAddressOfRowZero) {
    Firmware f = load(test::kFunction10, test::kDccFahrzeug);
    GridValues texts = gridValuesFor(f.parameters);
    texts.address[1] = FieldValue::fromText("16129");
    texts.function[7] = FieldValue::fromText("13");
    SaveProblem p = refusal(f, texts);
    EXPECT_EQ(p.message, "Funktions-Nummer für <Out 7> ist zu gross");
    EXPECT_EQ(p.field, FocusField::Function);
    EXPECT_EQ(p.row, 7);
    texts.function[7] = FieldValue::fromText("-2");
    EXPECT_EQ(refusal(f, texts).message, "Funktions-Nummer für <Out 7> ist zu klein");
    texts.function[7] = FieldValue::fromText("f");
    EXPECT_EQ(refusal(f, texts).message, "Ungültige Eingabe Funktion von <Out 7> ");
    texts.function[7] = FieldValue::fromText("12");
    EXPECT_EQ(refusal(f, texts).message, "Adresse für <Out 1> ist zu gross");
    texts.address[0] = FieldValue::fromText("x");
    EXPECT_EQ(refusal(f, texts).message, "Ungültige Eingabe für <> ") << "row 0 comes first";

    // Accessory firmwares do not look at function numbers.
    Firmware accessory = load(test::kRelay8, test::kMmSchalt);
    GridValues t2 = gridValuesFor(accessory.parameters);
    t2.function[1] = FieldValue::fromText("x");
    EXPECT_FALSE(applyGrid(accessory, t2));
}

TEST(SaveValidation, MmVehicleAddressesEndAt255) {
    Firmware f = load(test::kFunction10, test::kMmFahrzeug);
    EXPECT_EQ(f.recognition.maxAddress, 255);
    GridValues texts = gridValuesFor(f.parameters);
    texts.address[1] = FieldValue::fromText("256");
    EXPECT_EQ(refusal(f, texts).message, "Adresse für <Out 1> ist zu gross");
    texts.address[1] = FieldValue::fromText("255");
    texts.function[1] = FieldValue::fromText("4");
    EXPECT_FALSE(applyGrid(f, texts));
    EXPECT_EQ(rowCode(f, 1), "02A455");
}

TEST(RowCodes, MmAccessory) {
    Firmware f = load(test::kRelay8, test::kMmSchalt);
    GridValues texts = gridValuesFor(f.parameters);
    texts.address[1] = FieldValue::fromText("1");
    texts.address[2] = FieldValue::fromText("0");
    ASSERT_FALSE(applyGrid(f, texts));
    EXPECT_EQ(rowCode(f, 1), "0300C3") << "green";
    EXPECT_EQ(rowCode(f, 2), "FFFFFF");
    texts.redGreen[1] = 0;
    texts.redGreen[2] = 0;
    ASSERT_FALSE(applyGrid(f, texts));
    EXPECT_EQ(rowCode(f, 1), "030003");
    EXPECT_EQ(rowCode(f, 2), "FFFF3F");
}

TEST(RowCodes, DccAccessory) {
    Firmware f = load(test::kRelay8, test::kDccSchalt);
    GridValues texts = gridValuesFor(f.parameters);
    texts.address[1] = FieldValue::fromText("1");
    texts.address[2] = FieldValue::fromText("1");
    texts.address[3] = FieldValue::fromText("0");
    texts.redGreen[1] = 1;
    texts.redGreen[2] = 0;
    texts.redGreen[3] = 1;
    ASSERT_FALSE(applyGrid(f, texts));
    EXPECT_EQ(rowCode(f, 1), "78F205");
    EXPECT_EQ(rowCode(f, 2), "79F005");
    EXPECT_EQ(rowCode(f, 3), "FFFFFF") << "address 0 is the erased code, not a failed save";
}

TEST(RowCodes, DccVehicle) {
    Firmware f = load(test::kFunction10, test::kDccFahrzeug);
    GridValues texts = gridValuesFor(f.parameters);
    EXPECT_EQ(texts.address[5], FieldValue::fromText("16383"))
        << "erased bytes read as the long address 0x3FFF";
    for (int row = 5; row <= 10; ++row)
        texts.address[row] = FieldValue::fromText("0");
    texts.address[1] = FieldValue::fromText("3");
    texts.function[1] = FieldValue::fromText("1");
    texts.address[2] = FieldValue::fromText("1000");
    texts.function[2] = FieldValue::fromText("12");
    texts.address[3] = FieldValue::fromText("128");
    texts.function[3] = FieldValue::fromText("5");
    texts.address[4] = FieldValue::fromText("0");
    texts.function[4] = FieldValue::fromText("0"); // keeps the loaded function byte
    auto problem = applyGrid(f, texts);
    ASSERT_FALSE(problem) << problem->message;
    EXPECT_EQ(rowCode(f, 1), "810300");
    EXPECT_EQ(rowCode(f, 2), "A8E8C3");
    EXPECT_EQ(rowCode(f, 3), "B180C0");
    EXPECT_EQ(rowCode(f, 4), "FF0000");
}

TEST(RowCodes, MmVehicleAddressZeroIsErased) {
    Firmware f = load(test::kFunction10, test::kMmFahrzeug);
    GridValues texts = gridValuesFor(f.parameters);
    texts.address[1] = FieldValue::fromText("0");
    texts.function[1] = FieldValue::fromText("2");
    ASSERT_FALSE(applyGrid(f, texts));
    EXPECT_EQ(rowCode(f, 1), "FFFF05");
}

TEST(SaveEncoding, RowsWithoutCaptionAndUntouchedBytesKeepTheirValues) {
    EepromImage eeprom;
    eeprom.bytes[0] = "5A";  // row 0: never a caption
    eeprom.bytes[48] = "12"; // never written by saving
    eeprom.bytes[127] = "34";
    eeprom.bytes[10] = "77"; // row 10 has no caption in kind 31
    Firmware f = load(test::kRelay8, test::kMmSchalt, eeprom);
    GridValues texts = gridValuesFor(f.parameters);
    texts.extra = FieldValue::fromText("200");
    ASSERT_FALSE(applyGrid(f, texts));
    EXPECT_EQ(f.eeprom().bytes[0], "5A");
    EXPECT_EQ(f.eeprom().bytes[48], "12");
    EXPECT_EQ(f.eeprom().bytes[127], "34");
    EXPECT_EQ(f.eeprom().bytes[10], "77");
    EXPECT_EQ(f.eeprom().bytes[32], "C8") << "the extra value goes to byte 32";
}

TEST(SaveEncoding, NoProtocolKeepsTheLoadedBytes) {
    EepromImage eeprom;
    eeprom.bytes[4] = "AB";
    Firmware f = *loadFirmware(
        test::firmwareText(":0400000069303A2801", "", eeprom, ":100110009B001C141A088312B3008B1733082F3C62")
            .text());
    ASSERT_EQ(f.recognition.kind, 19);
    ASSERT_FALSE(applyGrid(f, gridValuesFor(f.parameters)));
    EXPECT_EQ(f.eeprom().bytes[4], "AB");
}

TEST(SaveEncoding, BrokenEepromTextEndsWithTheChecksumMessage) {
    EepromImage eeprom;
    eeprom.bytes[50] = "ZZ";
    Firmware f = load(test::kRelay8, test::kMmSchalt, eeprom);
    SaveProblem p = refusal(f, gridValuesFor(f.parameters));
    EXPECT_EQ(p.message, "Problem bei der Checksummen-Berechnung in Zeile 6");
    EXPECT_EQ(p.field, FocusField::None);
}

TEST(EepromRecords, ReplacesByAddressInPlace) {
    // Records 0x4200, 0x4220 and 0x4210, out of order, with a program line in between.
    HexImage image = *parseHexText(":0400000069303A2801\n"
                                   ":1042000000000000000000000000000000000000AE\n"
                                   ":10000000000000000000000000000000000000F0\n"
                                   ":1042200000000000000000000000000000000000BE\n"
                                   ":1042100000000000000000000000000000000000AE\n"
                                   ":00000001FF\n");
    EepromImage eeprom;
    eeprom.setValue(8, 0x55);  // record 1 (0x4210)
    eeprom.setValue(16, 0x66); // record 2 (0x4220)
    auto records = *buildEepromRecords(eeprom);
    ASSERT_TRUE(replaceEepromRecords(image, records));
    EXPECT_EQ(image.lines[1], records[0]);
    EXPECT_EQ(image.lines[2], ":10000000000000000000000000000000000000F0");
    EXPECT_EQ(image.lines[3], records[2]);
    EXPECT_EQ(image.lines[4], records[1]);
    // The 13 missing records follow the last EEPROM record, in address order.
    EXPECT_EQ(image.lines[5], records[3]);
    EXPECT_EQ(image.lines[17], records[15]);
    EXPECT_EQ(image.lines[18], ":00000001FF");
    EXPECT_EQ(image.lineCount, 19);
}

TEST(EepromRecords, InsertsBeforeTheEndRecordWhenTheFileHasNone) {
    HexImage image = *parseHexText(":0400000069303A2801\n:00000001FF\n");
    auto records = *buildEepromRecords(EepromImage{});
    ASSERT_TRUE(replaceEepromRecords(image, records));
    EXPECT_EQ(image.lineCount, 18);
    EXPECT_EQ(image.lines[1], records[0]);
    EXPECT_EQ(image.lines[16], records[15]);
    EXPECT_EQ(image.lines[17], ":00000001FF");
}

// Regression: records inserted behind a non-zero extended address (the configuration word of a
// file that had no EEPROM records) were placed outside the EEPROM for every reader, and the saved
// file was refused when loaded again.
TEST(EepromRecords, InsertsBeforeANonZeroExtendedAddress) {
    HexImage image = *parseHexText(":0400000069303A2801\n"
                                   ":020000040000FA\n"
                                   ":040010000519102896\n"
                                   ":020000040001F9\n"
                                   ":02000E00FF3FB2\n"
                                   ":00000001FF\n");
    auto records = *buildEepromRecords(EepromImage{});
    ASSERT_TRUE(replaceEepromRecords(image, records));
    EXPECT_EQ(image.lineCount, 22);
    EXPECT_EQ(image.lines[2], ":040010000519102896");
    EXPECT_EQ(image.lines[3], records[0]);
    EXPECT_EQ(image.lines[18], records[15]);
    EXPECT_EQ(image.lines[19], ":020000040001F9");
    auto reloaded = loadFirmware(hexImageText(image));
    ASSERT_TRUE(reloaded.ok()) << reloaded.message();
    EXPECT_TRUE(reloaded->scan.hasEeprom);
    EXPECT_TRUE(reloaded->scan.misplacedEepromLines.empty());
}

TEST(EepromRecords, RefusesOtherLayoutsAndAFullTable) {
    HexImage image = *parseHexText(":0400000069303A2801\n:084208000100020003000400C6\n:00000001FF\n");
    auto records = *buildEepromRecords(EepromImage{});
    HexImage before = image;
    Status status = replaceEepromRecords(image, records);
    ASSERT_FALSE(status);
    EXPECT_NE(status.message().find("Zeile 2"), std::string::npos);
    EXPECT_EQ(hexImageText(image), hexImageText(before));

    std::string text;
    for (int i = 0; i < 500; ++i)
        text += ":00000001FF\n";
    HexImage full = *parseHexText(text);
    EXPECT_FALSE(replaceEepromRecords(full, records));
    EXPECT_EQ(full.lineCount, 500);
}

TEST(EepromRecords, BuildsCanonicalRecords) {
    EepromImage eeprom;
    eeprom.setValue(0, 0x03);
    auto records = *buildEepromRecords(eeprom);
    EXPECT_EQ(records[0].substr(0, 13), ":104200000300");
    EXPECT_EQ(records[15].substr(0, 9), ":1042F000");
    for (const auto& record : records)
        EXPECT_TRUE(recordIsValid(record)) << record;
}

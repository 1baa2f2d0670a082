#include "image/HexImage.h"
#include "../FirmwareBuilder.h"
#include "demo/DemoFirmware.h"
#include "image/Checksum.h"
#include "image/Firmware.h"
#include "image/ImageScan.h"
#include "image/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace hq;

namespace {

std::string repeatLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += ":00000001FF\n";
    return text;
}

} // namespace

TEST(Checksum, FormsTheTwosComplementOfTheByteSum) {
    EXPECT_EQ(recordChecksum(":0400000069303A28"), "01");
    EXPECT_EQ(completeRecord(":0400000069303A28"), ":0400000069303A2801");
    EXPECT_EQ(recordChecksum(":00000001"), "FF");
    // A byte sum that is a multiple of 256 gives "00", also when it is 0.
    EXPECT_EQ(recordChecksum(":00000000"), "00");
    EXPECT_EQ(recordChecksum(":01000000FE"), "01");
    EXPECT_EQ(recordChecksum(":01000000FF"), "00");
    EXPECT_EQ(recordChecksum(":020000000001"), "FD");
}

TEST(Checksum, RefusesTextThatIsNotHex) {
    EXPECT_FALSE(recordChecksum(":04000000XX303A28"));
    EXPECT_FALSE(recordChecksum(":0400000069303A2"));
    EXPECT_FALSE(recordChecksum("0400000069303A28"));
    EXPECT_FALSE(recordChecksum(":04000000ab303A28")) << "only upper-case digits are hex byte texts";
}

TEST(Checksum, ShortRecordsReadMissingPairsAsZero) {
    EXPECT_EQ(recordChecksum(":0200000001", true), recordChecksum(":020000000100"));
}

TEST(Checksum, ValidatesWholeRecords) {
    EXPECT_TRUE(recordIsValid(":0400000069303A2801"));
    EXPECT_TRUE(recordIsValid(":00000001FF"));
    EXPECT_FALSE(recordIsValid(":0400000069303A2802")) << "wrong checksum";
    EXPECT_FALSE(recordIsValid(":0400000069303A01")) << "shorter than its byte count";
    EXPECT_FALSE(recordIsValid("0400000069303A2801")) << "missing colon";
    EXPECT_FALSE(recordIsValid(":0400000069303A2801 ")) << "trailing blank";
    EXPECT_FALSE(recordIsValid(""));
    EXPECT_FALSE(recordIsValid(":0400000069303A28G1")) << "no hex digit";
    EXPECT_FALSE(recordIsValid(":0400000069303a2801")) << "lines are held upper-cased";
    EXPECT_FALSE(recordIsValid(":04000000\xC3\xA9"
                               "303A2801"))
        << "no ASCII";
}

TEST(HexImage, HoldsLinesUpperCasedWithTheirLineBreak) {
    auto crlf = parseHexText(":0400000069303a2801\r\n:00000001ff\r\n");
    ASSERT_TRUE(crlf);
    EXPECT_EQ(crlf->lineCount, 2);
    EXPECT_EQ(crlf->lines[0], ":0400000069303A2801");
    EXPECT_EQ(crlf->lines[1], ":00000001FF");
    EXPECT_EQ(crlf->lineBreak, "\r\n");
    EXPECT_EQ(hexImageText(*crlf), ":0400000069303A2801\r\n:00000001FF\r\n");

    auto lf = parseHexText("a\nb");
    ASSERT_TRUE(lf);
    EXPECT_EQ(lf->lineCount, 2);
    EXPECT_EQ(lf->lineBreak, "\n");
    EXPECT_EQ(hexImageText(*lf), "A\nB\n");

    auto cr = parseHexText("a\rb\r");
    ASSERT_TRUE(cr);
    EXPECT_EQ(cr->lineCount, 2);
    EXPECT_EQ(cr->lineBreak, "\r");
}

TEST(HexImage, DropsAByteOrderMarkAndKeepsEmptyLines) {
    auto image = parseHexText("\xEF\xBB\xBF:00000001FF\n\n");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->lines[0], ":00000001FF");
    EXPECT_EQ(image->lineCount, 2);
    EXPECT_EQ(image->lines[1], "");
}

// A layout loads file after file into one image; nothing of a longer file before may remain.
TEST(HexImage, ParsingIntoAUsedImageLeavesNothingOfTheFileBefore) {
    HexImage image;
    ASSERT_TRUE(parseHexTextInto(repeatLines(300), image));
    ASSERT_TRUE(parseHexTextInto(":0400000069303a2801\n:00000001FF", image));
    EXPECT_EQ(image.lineCount, 2);
    EXPECT_EQ(image.lines[0], ":0400000069303A2801");
    EXPECT_EQ(image.lineBreak, "\n");
    EXPECT_TRUE(std::all_of(image.lines.begin() + 2, image.lines.end(),
                            [](const std::string& line) { return line.empty(); }));
    ASSERT_TRUE(parseHexTextInto(":00000001FF", image));
    EXPECT_EQ(image.lineBreak, "\r\n") << "without a line break the default again";
}

TEST(Firmware, LoadingIntoAUsedFirmwareGivesWhatAFreshLoadGives) {
    Firmware reused;
    ASSERT_TRUE(loadFirmwareInto(demoFirmwareText(45, Protocol::DCC), reused)); // long, with tables
    const std::string relay = demoFirmwareText(31, Protocol::MM);
    ASSERT_TRUE(loadFirmwareInto(relay, reused));
    auto fresh = loadFirmware(relay);
    ASSERT_TRUE(fresh.ok());
    EXPECT_EQ(hexImageText(reused.image), hexImageText(fresh->image));
    EXPECT_EQ(reused.image.lines, fresh->image.lines);
    EXPECT_EQ(reused.recognition.kind, 31);
    EXPECT_EQ(reused.eeprom().bytes, fresh->eeprom().bytes);
    EXPECT_EQ(reused.scan.version, fresh->scan.version);
    for (int r = 0; r < kRowCount; ++r)
        EXPECT_EQ(reused.parameters.rows[r].address, fresh->parameters.rows[r].address) << r;
}

TEST(HexImage, EmptyTextHasNoLines) {
    auto image = parseHexText("");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->lineCount, 0);
}

TEST(HexImage, FitsExactly512LinesAndRefusesMore) {
    auto full = parseHexText(repeatLines(512));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->lineCount, 512);

    auto tooLong = parseHexText(repeatLines(513));
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.message(), "Das HEX-File hat mehr als 512 Zeilen und kann nicht geladen werden.");
}

TEST(EepromDecoding, TakesTheLowByteOfEachWord) {
    HexImage image = *parseHexText(test::record(":1042100011002200330044005500660077008800") + "\n");
    ImageScan scan = scanImage(image);
    EXPECT_EQ(scan.eeprom.bytes[7], "FF");
    EXPECT_EQ(scan.eeprom.bytes[8], "11") << "the record at 0x4210 fills bytes 8 to 15";
    EXPECT_EQ(scan.eeprom.bytes[15], "88");
    EXPECT_EQ(scan.eeprom.bytes[16], "FF");
}

TEST(EepromDecoding, StaysInsideTheEepromAndTheLine) {
    EepromImage eeprom;
    // 0x42F0 with 32 words would reach bytes 120..151; only 120..127 exist.
    decodeEepromRecord(":2042F000" + std::string(128, '1') + "00", eeprom);
    EXPECT_EQ(eeprom.bytes[127], "11");
    // A line shorter than its byte count stops at its end.
    EepromImage shortLine;
    decodeEepromRecord(":1042000012003", shortLine);
    EXPECT_EQ(shortLine.bytes[0], "12");
    EXPECT_EQ(shortLine.bytes[1], "FF");
    decodeEepromRecord(":1", shortLine);
    decodeEepromRecord("", shortLine);
    EXPECT_EQ(shortLine.bytes[0], "12");
}

TEST(ImageScan, RemembersTheLastLineOfEachPrefixAndTheIdRecord) {
    auto image = parseHexText(":0400000065303A2805\n"
                              ":0400000069303A2801\n"
                              ":100010008B1C32288B1031181428B11C3228643004\n"
                              ":084000000100000004000100\n");
    ImageScan scan = scanImage(*image);
    EXPECT_EQ(scan.remembered.line040, ":0400000069303A2801") << "the last reset vector decides";
    EXPECT_EQ(scan.remembered.line001, ":100010008B1C32288B1031181428B11C3228643004");
    EXPECT_EQ(scan.hardwareMark, "1");
    EXPECT_EQ(scan.version, "V 0.41");
}

TEST(ImageScan, ShortIdRecordGivesPartialTexts) {
    ImageScan scan = scanImage(*parseHexText(":08400000010\n"));
    EXPECT_EQ(scan.hardwareMark, "1");
    EXPECT_EQ(scan.version, "V .");
}

TEST(BadRecordLines, NamesEveryLineWithAWrongChecksumOrLayout) {
    auto image = parseHexText(":0400000069303A2801\n:0400000069303A2802\n\nxyz\n:00000001FF\n");
    EXPECT_EQ(badRecordLines(*image), (std::vector<int>{2, 3, 4}));
}

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("hq-textfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(folder);
    }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    std::filesystem::path folder;
};

TEST_F(TextFileTest, ReportsMissingFilesFoldersAndOversizedFiles) {
    auto missing = readTextFile(path("none.hex"));
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.message().find("wurde nicht gefunden"), std::string::npos);

    auto folderRead = readTextFile(folder.string());
    ASSERT_FALSE(folderRead);
    EXPECT_NE(folderRead.message().find("ist ein Ordner"), std::string::npos);

    std::ofstream(path("big.hex")) << std::string(2000, 'x');
    auto big = readTextFile(path("big.hex"), 1000);
    ASSERT_FALSE(big);
    EXPECT_NE(big.message().find("zu gross"), std::string::npos);
}

TEST_F(TextFileTest, ReplacesTheTargetWholeAndLeavesNoTemporaryFile) {
    std::ofstream(path("out.hex")) << "old";
    ASSERT_TRUE(writeFileReplacing(path("out.hex"), "new text"));
    EXPECT_EQ(*readTextFile(path("out.hex")), "new text");
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(TextFileTest, FailedWriteLeavesTheOldFileIntact) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into read-only folders";
    std::ofstream(path("out.hex")) << "old";
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    Status status = writeFileReplacing(path("out.hex"), "new");
    EXPECT_FALSE(status);
    EXPECT_NE(status.message().find("konnte nicht geschrieben werden"), std::string::npos);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    EXPECT_EQ(*readTextFile(path("out.hex")), "old");
}

TEST_F(TextFileTest, WriteIntoAMissingFolderFails) {
    Status status = writeFileReplacing(path("no/such/folder/out.hex"), "x");
    EXPECT_FALSE(status);
}

TEST_F(TextFileTest, FailedRenameLeavesTheTargetAndNoTemporaryFile) {
    std::filesystem::create_directories(folder / "taken" / "inner");
    Status status = writeFileReplacing(path("taken"), "x");
    EXPECT_FALSE(status);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken" / "inner"));
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(BadRecordWarning, ListsBrokenLinesButNotEmptyOnes) {
    EXPECT_EQ(badRecordWarning(*parseHexText(":0400000069303A2801\n\n:00000001FF\n")), "");
    std::string warning = badRecordWarning(*parseHexText(":0400000069303A2802\n\n:0000000\n:00000001FF\n"));
    EXPECT_EQ(warning,
              "Achtung: Das HEX-File enthält Zeilen mit falscher Prüfsumme oder fehlerhaftem Aufbau:\n"
              "1, 3\n\nDiese Zeilen bleiben beim Speichern unverändert, ausser ein Editor schreibt die "
              "Tabelle neu, in der sie stehen.\nBitte die Datei prüfen, bevor sie in den PIC gebrannt wird.");
    std::string many;
    for (int i = 0; i < 30; ++i)
        many += "x\n";
    EXPECT_NE(badRecordWarning(*parseHexText(many)).find("20 … (30 Zeilen)"), std::string::npos);
}

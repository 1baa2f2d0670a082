// The reason given when a loaded text is no known firmware: no records at all, or records of an
// unknown firmware.

#include "image/RecognitionFailure.h"

#include "../FirmwareBuilder.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

HexImage imageOf(std::string_view text) {
    auto image = parseHexText(text);
    return image ? *image : HexImage{};
}

} // namespace

TEST(LooksLikeRecord, ColonAndHexDigitsOnly) {
    EXPECT_TRUE(looksLikeRecord(":00000001FF"));
    EXPECT_TRUE(looksLikeRecord(":0400000069303A2801"));
    EXPECT_TRUE(looksLikeRecord(":00000001FE")); // a wrong checksum is still a record
    EXPECT_TRUE(looksLikeRecord(":0400000069303A28"));
    EXPECT_FALSE(looksLikeRecord(""));
    EXPECT_FALSE(looksLikeRecord(":"));
    EXPECT_FALSE(looksLikeRecord(":000000"));
    EXPECT_FALSE(looksLikeRecord("00000001FF"));
    EXPECT_FALSE(looksLikeRecord(":00000001FF "));
    EXPECT_FALSE(looksLikeRecord(":0000 0001FF"));
    EXPECT_FALSE(looksLikeRecord("Hallo: 0400000069303A2801"));
}

TEST(RecognitionFailureReason, TextWithoutRecords) {
    EXPECT_EQ(recognitionFailureReason(imageOf("Einkaufsliste\nBrot\nMilch\n")), kNoRecordsReason);
    EXPECT_EQ(recognitionFailureReason(imageOf("")), kNoRecordsReason);
    EXPECT_EQ(recognitionFailureReason(imageOf("\n\n\n")), kNoRecordsReason);
}

TEST(RecognitionFailureReason, RecordsOfNoKnownFirmware) {
    // A reset vector no firmware uses, a protocol signature and the EEPROM records.
    const test::FirmwareText text = test::firmwareText(":040000008A013A280F", test::kMmSchalt);
    const auto firmware = loadFirmware(text.text());
    ASSERT_TRUE(firmware);
    ASSERT_EQ(firmware->recognition.kind, 0);
    EXPECT_EQ(recognitionFailureReason(firmware->image), kNoKnownLineReason);
    // One record among prose is enough.
    EXPECT_EQ(recognitionFailureReason(imageOf("Notiz\n:00000001FF\n")), kNoKnownLineReason);
}

TEST(RecognitionFailureReason, OnlyTheLoadedLinesCount) {
    HexImage image = imageOf("kein HEX\n");
    image.lines[100] = ":00000001FF"; // beyond lineCount: not part of the file
    EXPECT_EQ(recognitionFailureReason(image), kNoRecordsReason);
}

TEST(UnrecognisedFileMessage, HeadingThenReason) {
    EXPECT_EQ(
        unrecognisedFileMessage(imageOf("Hallo\n")),
        "Das HEX-File konnte leider nicht erkannt werden\nDie Datei enthält keine Intel-HEX-Datensätze.");
    EXPECT_EQ(
        unrecognisedFileMessage(imageOf(":00000001FF\n")),
        "Das HEX-File konnte leider nicht erkannt werden\nKeine Zeile passt zu einer bekannten Firmware.");
}

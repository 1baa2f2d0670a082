#include "encode/ProgramTable.h"
#include "../FirmwareBuilder.h"
#include "image/Checksum.h"
#include "image/HexByte.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

// 32 records of block `block` whose word k of record j holds (j * 8 + k + seed) & 0xFF.
std::vector<std::string> blockRecords(int block, int seed, bool shortLast = false) {
    std::vector<std::string> lines;
    int address = 0x0600 + 0x200 * (block - 1);
    for (int j = 0; j < 32; ++j) {
        int words = shortLast && j == 31 ? 7 : 8;
        std::string body = ":" + byteHexText(2 * words) + byteHexText((address + 16 * j) >> 8) +
                           byteHexText((address + 16 * j) & 0xFF) + "00";
        for (int k = 0; k < words; ++k)
            body += byteHexText((j * 8 + k + seed) & 0xFF) + "34";
        lines.push_back(test::record(body));
    }
    return lines;
}

HexImage imageOf(const std::vector<std::vector<std::string>>& parts) {
    std::string text = ":0400000001303A2869\n";
    for (const auto& part : parts)
        for (const auto& line : part)
            text += line + "\n";
    text += ":00000001FF\n";
    return *parseHexText(text);
}

} // namespace

TEST(ProgramTable, BlockKeys) {
    EXPECT_EQ(programBlockKey(1), ":10060000");
    EXPECT_EQ(programBlockKey(2), ":10080000");
    EXPECT_EQ(programBlockKey(3), ":100A0000");
    EXPECT_EQ(programBlockKey(4), ":100C0000");
}

TEST(ProgramTable, ReadsTheLowByteOfEveryWord) {
    HexImage image = imageOf({blockRecords(3, 7)});
    ProgramTable table{};
    table.fill(-1);
    EXPECT_TRUE(readProgramBlock(image, 3, table));
    EXPECT_EQ(table[512], 7);
    EXPECT_EQ(table[512 + 255], (255 + 7) & 0xFF);
    EXPECT_EQ(table[511], -1) << "other blocks are not touched";
    EXPECT_FALSE(readProgramBlock(image, 1, table)) << "no start line: nothing read";
    EXPECT_EQ(table[0], -1);
}

TEST(ProgramTable, ReadsAtTheLastStartLineAndSkipsNonHexWords) {
    auto first = blockRecords(1, 0);
    auto second = blockRecords(1, 100);
    second[0].replace(9, 2, "zz"); // word 0 of record 0
    HexImage image = imageOf({first, second});
    ProgramTable table{};
    table.fill(-1);
    readProgramBlock(image, 1, table);
    EXPECT_EQ(table[0], -1);
    EXPECT_EQ(table[1], 101);
}

TEST(ProgramTable, FullWriterRebuildsTheBlockWithChecksums) {
    HexImage image = imageOf({blockRecords(1, 0), blockRecords(2, 0)});
    ProgramTable table{};
    for (int i = 0; i < 1024; ++i)
        table[i] = (i * 3) & 0xFF;
    ASSERT_TRUE(writeProgramBlock(image, 2, table));
    EXPECT_EQ(image.lines[33].substr(0, 9), ":10080000");
    EXPECT_EQ(image.lines[64].substr(0, 9), ":1009F000");
    for (int i = 33; i <= 64; ++i)
        EXPECT_TRUE(recordIsValid(image.lines[i])) << image.lines[i];
    ProgramTable back{};
    readProgramBlock(image, 2, back);
    for (int i = 256; i < 512; ++i)
        ASSERT_EQ(back[i], table[i]) << i;
    EXPECT_EQ(image.lines[1], blockRecords(1, 0)[0]) << "block 1 untouched";
}

TEST(ProgramTable, ShortWriterEndsWithSevenWords) {
    HexImage image = imageOf({blockRecords(1, 0)});
    ProgramTable table{};
    table.fill(0x11);
    ASSERT_TRUE(writeProgramBlock1Short(image, table));
    const std::string& last = image.lines[32];
    EXPECT_EQ(last.substr(0, 9), ":0E07F000");
    EXPECT_EQ(last.size(), 9u + 28u + 2u);
    EXPECT_TRUE(recordIsValid(last));
    EXPECT_EQ(image.lines[31].substr(0, 9), ":1007E000");

    // A later full write of the same block is accepted and restores a full record.
    ASSERT_TRUE(writeProgramBlock(image, 1, table));
    EXPECT_EQ(image.lines[32].substr(0, 9), ":1007F000");
    EXPECT_TRUE(recordIsValid(image.lines[32]));
}

TEST(ProgramTable, RefusesBlocksThatAreNotThirtyTwoRecordsInOrder) {
    ProgramTable table{};
    auto records = blockRecords(3, 0);
    std::swap(records[4], records[5]);
    HexImage swapped = imageOf({records});
    HexImage before = swapped;
    Status status = writeProgramBlock(swapped, 3, table);
    ASSERT_FALSE(status);
    EXPECT_NE(status.message().find("Zeile 2"), std::string::npos);
    EXPECT_EQ(hexImageText(swapped), hexImageText(before));

    auto fewer = blockRecords(3, 0);
    fewer.resize(20);
    HexImage truncated = imageOf({fewer});
    EXPECT_FALSE(writeProgramBlock(truncated, 3, table)) << "the end-of-file record must survive";
    EXPECT_EQ(truncated.lines[21], ":00000001FF");

    HexImage missing = imageOf({});
    EXPECT_FALSE(writeProgramBlock(missing, 4, table));
    EXPECT_FALSE(writeProgramBlock1Short(missing, table));

    // At the very end of the line table nothing may be written past it.
    std::string text;
    for (int i = 0; i < 500; ++i)
        text += ":00000001FF\n";
    text += blockRecords(4, 0)[0] + "\n";
    HexImage atEnd = *parseHexText(text);
    EXPECT_FALSE(writeProgramBlock(atEnd, 4, table));
}

TEST(ProgramTable, RefusesValuesThatAreNoByte) {
    HexImage image = imageOf({blockRecords(4, 0)});
    ProgramTable table{};
    table[768 + 8 * 5] = 256;
    Status status = writeProgramBlock(image, 4, table);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.message(), "Problem bei der Checksummen-Berechnung in Zeile 5");
}

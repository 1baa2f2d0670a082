#include "servo/CurveFile.h"
#include "servo/CurveSetFile.h"
#include "servo/FileLines.h"

#include "ServoFirmwareText.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace hq;

namespace {

std::string lines(int count, const std::string& value = "7") {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += value + "\n";
    }
    return text;
}

const std::string kInvalidLine = "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile ";

} // namespace

TEST(ServoFileLines, BreaksOfEveryKindAndNoEmptyLastLine) {
    EXPECT_EQ(servoFileLines("1\r\n2\n3\r4"), (std::vector<std::string_view>{"1", "2", "3", "4"}));
    EXPECT_EQ(servoFileLines("1\n"), (std::vector<std::string_view>{"1"}));
    EXPECT_EQ(servoFileLines("1\n\n"), (std::vector<std::string_view>{"1", ""}));
    EXPECT_EQ(servoFileLines("\r\n"), (std::vector<std::string_view>{""}));
    EXPECT_TRUE(servoFileLines("").empty());
}

TEST(CurveFile, WritesThePointsOfTheCount) {
    CurveBlock block{};
    block[0] = 0;
    block[1] = 0x80 | 64;
    block[2] = 127;
    block[3] = 55;
    block[kCurveCountEntry] = 3;
    EXPECT_EQ(formatCurveFile(block), "0\r\n192\r\n127\r\n");
    block[kCurveCountEntry] = 0;
    EXPECT_EQ(formatCurveFile(block), "0\r\n");
    block[kCurveCountEntry] = 180;
    const std::string hundred = formatCurveFile(block);
    EXPECT_EQ(std::count(hundred.begin(), hundred.end(), '\n'), 100);
}

TEST(CurveFile, RoundTrip) {
    const ServoData data = servotest::demoServoData();
    const auto points = parseCurveFile(formatCurveFile(data.curve(3)));
    ASSERT_TRUE(points.ok());
    CurveBlock block{};
    applyCurvePoints(block, *points);
    EXPECT_EQ(block[kCurveCountEntry], 13);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(block[static_cast<std::size_t>(i)], data.curve(3)[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(block[13], 0);
}

TEST(CurveFile, LongFileUsesTheFirst100Lines) {
    const std::string text = lines(100, "5") + lines(20, "x");
    EXPECT_TRUE(curveFileTooLong(text));
    EXPECT_FALSE(curveFileTooLong(lines(100)));
    const auto points = parseCurveFile(text);
    ASSERT_TRUE(points.ok());
    EXPECT_EQ(points->size(), 100u);
    CurveBlock block{};
    block[kCurveFlagEntry] = 0x42;
    applyCurvePoints(block, *points);
    EXPECT_EQ(block[kCurveCountEntry], 100);
    EXPECT_EQ(block[kCurveFlagEntry], 0x42);
}

TEST(CurveFile, RefusesTheWholeFileAtTheFirstBadLine) {
    const auto letters = parseCurveFile("10\n20\nx\n40\n");
    ASSERT_FALSE(letters.ok());
    EXPECT_EQ(letters.message(), kInvalidLine + "2");
    const auto negative = parseCurveFile("10\r\n-1\r\n");
    ASSERT_FALSE(negative.ok());
    EXPECT_EQ(negative.message(), kInvalidLine + "1");
    const auto blank = parseCurveFile("10\n\n20\n");
    ASSERT_FALSE(blank.ok());
    EXPECT_EQ(blank.message(), kInvalidLine + "1");
}

TEST(CurveFile, ValuesAbove255Become255AndLineBreaksOfAnyKind) {
    const auto points = parseCurveFile("\xEF\xBB\xBF"
                                       "300\r1\r\n2\n 3 ");
    ASSERT_TRUE(points.ok());
    EXPECT_EQ(*points, (std::vector<int>{255, 1, 2, 3}));
}

TEST(CurveFile, EmptyFileChangesNothing) {
    const auto points = parseCurveFile("");
    ASSERT_TRUE(points.ok());
    EXPECT_TRUE(points->empty());
    CurveBlock block{};
    block[0] = 9;
    block[kCurveCountEntry] = 17;
    const CurveBlock before = block;
    applyCurvePoints(block, *points);
    EXPECT_EQ(block, before);
}

TEST(CurveSetFile, InterleavesBlocks1And3ThenBlocks2And4) {
    ServoData data;
    data.curve(1)[0] = 11;
    data.curve(3)[0] = 33;
    data.curve(1)[127] = 12;
    data.curve(3)[127] = 34;
    data.curve(2)[0] = 21;
    data.curve(4)[0] = 41;
    data.curve(4)[127] = 42;
    const auto text = formatCurveSetFile(data);
    const auto all = servoFileLines(text);
    ASSERT_EQ(all.size(), 512u);
    EXPECT_EQ(all[0], "11");
    EXPECT_EQ(all[1], "33");
    EXPECT_EQ(all[254], "12");
    EXPECT_EQ(all[255], "34");
    EXPECT_EQ(all[256], "21");
    EXPECT_EQ(all[257], "41");
    EXPECT_EQ(all[511], "42");
}

TEST(CurveSetFile, RoundTrip) {
    const ServoData data = servotest::demoServoData();
    const auto parsed = parseCurveSetFile(formatCurveSetFile(data));
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(*parsed, data);
}

TEST(CurveSetFile, Refusals) {
    const auto tooLong = parseCurveSetFile(lines(513));
    ASSERT_FALSE(tooLong.ok());
    EXPECT_EQ(tooLong.message(), "Dieses File hat zu viele Zeilen (max. 512)");

    const auto lastPairShort = parseCurveSetFile(lines(511));
    ASSERT_FALSE(lastPairShort.ok());
    EXPECT_EQ(lastPairShort.message(), kInvalidLine + "510");

    const auto empty = parseCurveSetFile("");
    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.message(), kInvalidLine + "0");

    // A bad second line of a pair names the pair's first line.
    const auto badSecond = parseCurveSetFile(lines(7) + "abc\n" + lines(504));
    ASSERT_FALSE(badSecond.ok());
    EXPECT_EQ(badSecond.message(), kInvalidLine + "6");

    const auto negative = parseCurveSetFile(lines(100) + "-3\n" + lines(411));
    ASSERT_FALSE(negative.ok());
    EXPECT_EQ(negative.message(), kInvalidLine + "100");
}

TEST(CurveSetFile, ValuesAbove255Become255) {
    const auto parsed = parseCurveSetFile("300\n" + lines(511, "1"));
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->curve(1)[0], 255);
    EXPECT_EQ(parsed->curve(3)[0], 1);
}

#include "image/Recognition.h"
#include "../FirmwareBuilder.h"
#include "image/Checksum.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

using namespace hq;

namespace {

struct ExpectedKind {
    int kind;
    const char* line;
    const char* caption;
    int captionedRows;
    int firstRow;
    const char* firstCaption;
    int lastRow;
    const char* lastCaption;
    int rowsPerColumn;
    const char* extraCaption; // "" when none
    int extraMaximum;
    Panel panel;
};

// Typed in independently of the table in the code, so a slip in either shows.
const ExpectedKind kExpected[] = {
    {19, ":100110009B001C141A088312B3008B1733082F3C62", "Drehscheibe 48 Position", 28, 4, "Licht", 31,
     "Position24", 15, "", 0, Panel::None},
    {20, ":100110009B001C141A088312B3008B173308173C7A", "Drehscheibe 24 Position", 16, 4, "Licht", 19,
     "Position12", 7, "", 0, Panel::None},
    {31, ":0400000069303A2801", "Relaisdekoder 8", 9, 1, "Out 1", 9, "All", 15, "Verzögerungszeit (1..255)",
     255, Panel::None},
    {32, ":0400000065303A2805", "Zumbar88", 4, 1, "Weiche 1", 4, "Weiche 4", 15, "Time Out (1..127)", 127,
     Panel::None},
    {21, ":0400000008303A2862", "Pelvar", 2, 1, "Weiche", 2, "Licht", 15, "Time Out (1..127)", 127,
     Panel::None},
    {22, ":0400000009303A2861", "Pelvar Brumo", 2, 1, "Blinken", 2, "Signal", 15, "", 0, Panel::None},
    {23, ":040000000A303A2860", "Dorvat", 2, 1, "Weiche 1", 2, "Weiche 2", 15, "Time Out (1..127)", 127,
     Panel::None},
    {24, ":0400000004303A2866", "Dorvat - 3Wege", 3, 1, "Links", 3, "Rechts", 15, "", 0, Panel::None},
    {25, ":0400000003303A2867", "Dorvat - Signal", 4, 1, "Signal 1 grün", 4, "Signal 2 rot", 15, "", 0,
     Panel::None},
    {26, ":0400000005303A2865", "Dorvat - Signal 4", 4, 1, "Out 1", 4, "Out 4", 15, "", 0, Panel::None},
    {27, ":040000000B303A285F", "Dorvat - Schalten", 4, 1, "Out 1", 4, "Out 4", 15,
     "Abschaltzeit Mode3 (1..255)", 255, Panel::None},
    {28, ":0400000002303A2868", "Dorvat - Spur 1", 1, 1, "Weiche", 1, "Weiche", 15, "Time Out (1..127)", 127,
     Panel::None},
    {10, ":0400000067303A2803", "LED-Dekoder - Ampel", 4, 1, "Auto", 4, "Rot", 15, "", 0, Panel::None},
    {11, ":0400000068303A2802", "LED-Dekoder - Andreaskreus / Schranke", 1, 1, "Ein", 1, "Ein", 15, "", 0,
     Panel::None},
    {12, ":040000006E303A28FC", "LED-Dekoder - Blink", 8, 1, "Blink 1", 8, "aus", 15, "", 0, Panel::None},
    {13, ":0400000072303A28F8", "LED-Dekoder - Feuer", 1, 1, "Ein", 1, "Ein", 15, "", 0, Panel::None},
    {14, ":0400000066303A2804", "LED-Dekoder - Gas", 1, 1, "Ein", 1, "Ein", 15, "", 0, Panel::None},
    {15, ":0400000071303A28F9", "LED-Dekoder - Haus", 1, 1, "Ein", 1, "Ein", 15,
     "Ablaufgeschwindigkeit (1..255)", 255, Panel::House},
    {16, ":040000006F303A28FB", "LED-Dekoder - Kirmes", 4, 1, "Blink 1", 4, "aus", 15,
     "Ablaufgeschwindigkeit (1..255)", 255, Panel::None},
    {17, ":0400000070303A28FA", "LED-Dekoder - Neon", 1, 1, "Ein", 1, "Ein", 15, "", 0, Panel::None},
    {18, ":040000006A303A2800", "LED-Dekoder - Schalten", 10, 1, "Out 1", 10, "Out 10", 15,
     "Abschaltzeit Mode3 (1..255)", 255, Panel::None},
    {7, ":040000006B303A28FF", "LED-Dekoder - Signal 5x2", 5, 1, "Signal 1", 5, "Signal 5", 15, "", 0,
     Panel::None},
    {8, ":040000006C303A28FE", "LED-Dekoder - Signal 4", 7, 1, "HP00", 7, "VR2", 4, "", 0, Panel::None},
    {9, ":040000006D303A28FD", "LED-Dekoder - Signal SBB", 8, 1, "HALT", 8, "FB3", 5, "", 0, Panel::None},
    {29, ":0400000006303A2864", "Dorvat - Signal HL", 7, 1, "VS Vmax", 7, "HS 100/40/60", 4, "", 0,
     Panel::None},
    {30, ":0400000007303A2863", "Dorvat - Signal StraBa", 2, 1, "Signal", 2, "Kennlicht", 15, "", 0,
     Panel::None},
    {4, ":0400000060283D3007", "Dorvat - Funktionsdekoder Schalten", 4, 1, "Out 1", 4, "Out 4", 15, "", 0,
     Panel::None},
    {44, ":040000006028403004", "Dorvat - Funktionsdekoder Neon ab 0.37", 2, 1, "Ein", 2, "Hell-Dunkel", 15,
     "", 0, Panel::Neon},
    {5, ":0400000060283C3008", "Dorvat - Funktionsdekoder Weiche", 2, 1, "Weiche 1", 2, "Weiche 2", 15, "", 0,
     Panel::None},
    {2, ":0400000060283F3005", "Dorvat - Funktionsdekoder Blinken", 4, 1, "Blink 1", 4, "Blink 4", 15, "", 0,
     Panel::None},
    {6, ":0400000060283E3006", "LED-Dekoder - Funktionsdekoder Schalten", 10, 1, "Out 1", 10, "Out 10", 15,
     "", 0, Panel::None},
    {37, ":04000000C9303A28A1", "LED-Dekoder - Signal 001", 9, 1, "Hp0", 9, "Vr2", 7, "", 0, Panel::None},
    {38, ":04000000CA303A28A0", "LED-Dekoder - Signal 002", 9, 1, "Hp00", 9, "Vr2", 6, "", 0, Panel::None},
    {39, ":04000000CB303A289F", "LED-Dekoder - Signal 003", 14, 1, "Halt", 14, "Ersatz", 7, "", 0,
     Panel::None},
    {40, ":04000000CC303A289E", "LED-Dekoder - Signal 004", 8, 1, "Hp00", 8, "Hp0+Sh1", 4, "", 0,
     Panel::None},
    {41, ":04000000CD303A289D", "LED-Dekoder - Signal 005", 14, 1, "HS Halt", 14, "VS Ra12", 7, "", 0,
     Panel::None},
    {42, ":04000000D3303A2897", "Ortel-4 Servo-Dekoder", 8, 1, "Adresse 01", 8, "Adresse 08", 4, "", 0,
     Panel::Servo},
    {43, ":0400000001303A2869", "Dorvat - Blinkmuster", 4, 1, "Muster 1", 4, "Muster 4", 2, "", 0,
     Panel::Blink},
    {45, ":04000000DD303A288D", "LED - Blinkmuster", 4, 1, "Muster 1", 4, "Muster 4", 2, "", 0, Panel::Led},
};

class KindRow : public ::testing::TestWithParam<ExpectedKind> {};

Recognition recogniseLines(const std::string& resetVector, const std::string& signature,
                           const std::string& line011 = "") {
    RememberedLines lines;
    lines.line040 = resetVector;
    lines.line001 = signature;
    lines.line011 = line011;
    return recognise(lines);
}

} // namespace

TEST(KindsTable, HoldsEveryKindOnceInTheComparisonOrder) {
    ASSERT_EQ(kindsTable().size(), std::size(kExpected));
    for (std::size_t i = 0; i < std::size(kExpected); ++i)
        EXPECT_EQ(kindsTable()[i].kind, kExpected[i].kind) << "position " << i;
}

TEST_P(KindRow, MatchesItsTableRow) {
    const ExpectedKind& expected = GetParam();
    const KindInfo* info = findKind(expected.kind);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->matchingLine, expected.line);
    EXPECT_TRUE(recordIsValid(info->matchingLine)) << "the firmware lines are well-formed records";
    EXPECT_EQ(info->statusCaption, expected.caption);
    EXPECT_EQ(info->rowsPerColumn, expected.rowsPerColumn);
    EXPECT_EQ(info->panel, expected.panel);
    int captioned = 0;
    for (const auto& caption : info->rowCaptions)
        captioned += caption.empty() ? 0 : 1;
    EXPECT_EQ(captioned, expected.captionedRows);
    EXPECT_EQ(info->rowCaptions[expected.firstRow], expected.firstCaption);
    EXPECT_EQ(info->rowCaptions[expected.lastRow], expected.lastCaption);
    EXPECT_TRUE(info->rowCaptions[0].empty()) << "row 0 is never used";
    EXPECT_TRUE(info->rowCaptions[expected.lastRow + 1 < 32 ? expected.lastRow + 1 : 0].empty());
    if (*expected.extraCaption) {
        ASSERT_TRUE(info->extra);
        EXPECT_EQ(info->extra->caption, expected.extraCaption);
        EXPECT_EQ(info->extra->maximum, expected.extraMaximum);
    } else {
        EXPECT_FALSE(info->extra);
    }

    // A file holding the line is recognised as the kind.
    bool turntable = expected.kind == 19 || expected.kind == 20;
    Recognition r = turntable ? recogniseLines(":0400000069303A2801", test::kDccSchalt, expected.line)
                              : recogniseLines(expected.line, test::kMmSchalt);
    EXPECT_EQ(r.kind, expected.kind);
    EXPECT_EQ(r.statusCaption(), expected.caption);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, KindRow, ::testing::ValuesIn(kExpected),
                         [](const auto& p) { return "kind" + std::to_string(p.param.kind); });

TEST(KindsTable, SpellsOutTheLongerCaptionLists) {
    const KindInfo* turntable = findKind(19);
    EXPECT_EQ(turntable->rowCaptions[6], "Turn (180°)");
    EXPECT_EQ(turntable->rowCaptions[7], "Drehrichtung");
    EXPECT_EQ(turntable->rowCaptions[8], "Position1");
    EXPECT_TRUE(turntable->rowCaptions[3].empty());
    EXPECT_EQ(findKind(39)->rowCaptions[8], "Halt");
    EXPECT_EQ(findKind(38)->rowCaptions[5], "Hp0+Zs");
    EXPECT_EQ(findKind(38)->rowCaptions[6], "Hp0+Zs");
    EXPECT_EQ(findKind(9)->rowCaptions[5], "Warn");
    EXPECT_EQ(findKind(15)->extra->hint, "1 = schnell\n255 = langsam");
    EXPECT_EQ(findKind(31)->extra->hint, "x 0.5 sec");
}

TEST(ProtocolSignatures, SetProtocolTypeAndLimits) {
    struct Case {
        const char* line;
        Protocol protocol;
        DecoderType type;
        int maxAddress;
        int maxFunction;
        const char* status;
    };
    const Case cases[] = {
        {test::kMmSchalt, Protocol::MM, DecoderType::Schalt, 320, 4, "Mot"},
        {":100010008B1C2E288B102D181328AD1C2E28643015", Protocol::MM, DecoderType::Schalt, 320, 4, "Mot"},
        {test::kDccSchalt, Protocol::DCC, DecoderType::Schalt, 2044, 12, "DCC"},
        {test::kMmFahrzeug, Protocol::MM, DecoderType::Fahrzeug, 255, 4, "Mot"},
        {test::kDccFahrzeug, Protocol::DCC, DecoderType::Fahrzeug, 16128, 12, "DCC"},
    };
    for (const Case& c : cases) {
        Recognition r = recogniseLines(test::kRelay8, c.line);
        EXPECT_EQ(r.protocol, c.protocol) << c.line;
        EXPECT_EQ(r.type, c.type) << c.line;
        EXPECT_EQ(r.maxAddress, c.maxAddress) << c.line;
        EXPECT_EQ(r.maxFunction, c.maxFunction) << c.line;
        EXPECT_EQ(r.protocolStatus, c.status) << c.line;
        EXPECT_TRUE(r.rowsShown());
    }
    EXPECT_EQ(protocolSignatures().size(), 6u);
}

TEST(Recognition, UnknownSignatureKeepsCaptionsButShowsNoRows) {
    Recognition r = recogniseLines(test::kPelvar, ":10001000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF00");
    EXPECT_EQ(r.kind, 21);
    EXPECT_EQ(r.statusCaption(), "Pelvar");
    EXPECT_EQ(r.protocolStatus, "ohne");
    EXPECT_EQ(r.protocol, Protocol::None);
    EXPECT_EQ(r.type, DecoderType::None);
    EXPECT_FALSE(r.rowsShown());
    EXPECT_EQ(r.rowCaption(1), "Weiche");
}

TEST(Recognition, TheLargeTurntableAlwaysReportsDcc) {
    Recognition r = recogniseLines("", "", findKind(19)->matchingLine.data());
    EXPECT_EQ(r.kind, 19);
    EXPECT_EQ(r.protocolStatus, "DCC");
    EXPECT_TRUE(r.rowsShown());
    EXPECT_EQ(r.protocol, Protocol::None);
}

TEST(Recognition, ComparesWholeLinesOnly) {
    EXPECT_EQ(recogniseLines(":0400000069303A2801 ", test::kMmSchalt).kind, 0) << "trailing blank";
    EXPECT_EQ(recogniseLines(":0400000069303A280", test::kMmSchalt).kind, 0);
    EXPECT_EQ(recogniseLines("", "").kind, 0);
    Recognition nothing = recogniseLines(":0400000000303A286A", test::kMmSchalt);
    EXPECT_EQ(nothing.kind, 0);
    EXPECT_FALSE(nothing.hasCaptions());
    EXPECT_EQ(nothing.statusCaption(), "");
}

TEST(Recognition, LowerCaseFilesAndTheLastResetVectorDecide) {
    std::string text = ":0400000065303a2805\n:0400000069303a2801\n" + std::string(test::kMmSchalt) + "\n";
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto firmware = loadFirmware(text);
    ASSERT_TRUE(firmware);
    EXPECT_EQ(firmware->recognition.kind, 31);
    EXPECT_EQ(firmware->recognition.protocol, Protocol::MM);
}

TEST(Recognition, NamesProtocolsTypesAndPanels) {
    EXPECT_EQ(protocolName(Protocol::MM), "MM");
    EXPECT_EQ(protocolName(Protocol::None), "");
    EXPECT_EQ(typeName(DecoderType::Fahrzeug), "Fahrzeug");
    EXPECT_EQ(panelName(Panel::Led), "led");
    EXPECT_EQ(panelName(Panel::None), "none");
}

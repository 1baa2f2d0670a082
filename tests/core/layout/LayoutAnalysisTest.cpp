// The address index, the clashes and the free blocks over decoders in memory with known addresses.

#include "LayoutTestSupport.h"

#include "layout/LayoutAnalysis.h"

namespace hq {
namespace {

using layout_test::decoderWith;

constexpr int kWeichen = 32; // four accessory rows
constexpr int kSignal = 25;  // four accessory rows
constexpr int kSpur1 = 28;   // one accessory row
constexpr int kServo = 42;   // eight accessory rows
constexpr int kFunktion = 4; // four vehicle rows
constexpr int kGreen = 1;
constexpr int kRed = 0;

std::vector<std::string> clashTexts(const LayoutScan& scan) {
    std::vector<std::string> texts;
    for (const Clash& clash : scan.clashes)
        texts.push_back(clash.text);
    return texts;
}

TEST(AddressIndex, IsSortedByProtocolSpaceAddressReactionFileAndRowWithoutUnusedRows) {
    LayoutScan scan =
        analyseLayout({decoderWith(kWeichen, Protocol::DCC, "b.hex", {7, 0, 3, 3}, {1, 1, 1, 0}),
                       decoderWith(kFunktion, Protocol::MM, "c.hex", {9, 9}, {2, 1}),
                       decoderWith(kSpur1, Protocol::MM, "a.hex", {9})},
                      {}, {});
    std::vector<std::tuple<Protocol, AddressSpace, int, int, std::string, int>> seen;
    for (const AddressEntry& entry : scan.addresses)
        seen.emplace_back(entry.protocol, entry.space, entry.address, entry.reaction,
                          scan.decoderOf(entry).file, scan.rowOf(entry).row);
    using A = AddressSpace;
    const decltype(seen) expected{
        {Protocol::MM, A::Accessory, 9, 1, "a.hex", 1},  {Protocol::MM, A::Vehicle, 9, 1, "c.hex", 2},
        {Protocol::MM, A::Vehicle, 9, 2, "c.hex", 1},    {Protocol::DCC, A::Accessory, 3, 0, "b.hex", 4},
        {Protocol::DCC, A::Accessory, 3, 1, "b.hex", 3}, {Protocol::DCC, A::Accessory, 7, 1, "b.hex", 1}};
    EXPECT_EQ(seen, expected);
    ASSERT_EQ(scan.decoders.size(), 3u);
    EXPECT_EQ(scan.decoders[0].file, "a.hex") << "decoders are sorted by file";
    EXPECT_EQ(scan.decoders[1].rows.size(), 4u) << "unused rows stay in the decoder";
}

TEST(Clashes, TwoDecodersOnTheSameAddressAndColourClashWithBothParties) {
    const std::vector<int> green{kGreen, kGreen, kGreen, kGreen};
    LayoutScan scan =
        analyseLayout({decoderWith(kWeichen, Protocol::DCC, "weiche.hex", {1, 2, 3, 4}, green),
                       decoderWith(kSignal, Protocol::DCC, "signal.hex", {3, 10, 11, 12}, green)},
                      {}, {});
    ASSERT_EQ(scan.clashes.size(), 1u);
    const Clash& clash = scan.clashes.front();
    EXPECT_EQ(clash.key.kind, ClashKind::SameCommand);
    EXPECT_EQ(clash.key.protocol, Protocol::DCC);
    EXPECT_EQ(clash.key.address, 3);
    EXPECT_EQ(clash.key.reaction, kGreen);
    EXPECT_EQ(clash.key.rows, (std::vector<RowRef>{{"signal.hex", 1}, {"weiche.hex", 3}}));
    EXPECT_EQ(clash.text,
              "DCC-Zubehöradresse 3, grün: signal.hex Zeile 1 (Signal 1 grün) und weiche.hex Zeile 3 "
              "(Weiche 3)");
    EXPECT_FALSE(clash.intended);
    EXPECT_EQ(scan.openClashCount(), 1);
    EXPECT_EQ(clashTextFor(scan, clash, clash.parties[0].decoder, clash.parties[0].row),
              "mit weiche.hex Zeile 3 (Weiche 3)");
}

TEST(Clashes, AnotherColourProtocolAddressSpaceOrFunctionIsNoClash) {
    LayoutScan scan =
        analyseLayout({decoderWith(kWeichen, Protocol::DCC, "dcc.hex", {5, 6, 0, 0}, {kGreen, kGreen}),
                       decoderWith(kWeichen, Protocol::DCC, "rot.hex", {5, 0, 0, 0}, {kRed}),
                       decoderWith(kWeichen, Protocol::MM, "mm.hex", {5, 6, 0, 0}, {kGreen, kGreen}),
                       decoderWith(kFunktion, Protocol::DCC, "fahrzeug.hex", {5, 6, 6, 0}, {1, 1, 2}),
                       decoderWith(kWeichen, Protocol::MM, "unbenutzt.hex", {0, 0, 0, 0})},
                      {}, {});
    EXPECT_TRUE(scan.clashes.empty()) << testing::PrintToString(clashTexts(scan));
}

TEST(Clashes, RowsOfOneDecoderClashAsTheAddressHelpWarns) {
    LayoutScan scan = analyseLayout(
        {decoderWith(kWeichen, Protocol::MM, "weiche.hex", {8, 9, 8, 8}, {1, 1, 1, 0})}, {}, {});
    ASSERT_EQ(scan.clashes.size(), 1u);
    EXPECT_EQ(scan.clashes[0].key.rows, (std::vector<RowRef>{{"weiche.hex", 1}, {"weiche.hex", 3}}));
    EXPECT_EQ(scan.clashes[0].text,
              "MM-Zubehöradresse 8, grün: weiche.hex Zeile 1 (Weiche 1) und weiche.hex Zeile 3 (Weiche 3)");
    // The decoder's warnings are the address help's, per row.
    EXPECT_EQ(scan.decoders[0].warnings,
              (std::vector<std::string>{"Zeile 1 (Weiche 1): Gleiche Adresse und Farbe auch in Zeile 3.",
                                        "Zeile 3 (Weiche 3): Gleiche Adresse und Farbe auch in Zeile 1."}));
}

TEST(Clashes, OneGroupNamesEveryPartyWhenADecodersOwnRowsAlsoMeetAnother) {
    LayoutScan scan = analyseLayout({decoderWith(kWeichen, Protocol::MM, "a.hex", {8, 8, 1, 2}),
                                     decoderWith(kSpur1, Protocol::MM, "b.hex", {8})},
                                    {}, {});
    ASSERT_EQ(scan.clashes.size(), 1u) << testing::PrintToString(clashTexts(scan));
    EXPECT_EQ(scan.clashes[0].key.rows, (std::vector<RowRef>{{"a.hex", 1}, {"a.hex", 2}, {"b.hex", 1}}));
    EXPECT_EQ(scan.clashes[0].parties.size(), 3u);
}

TEST(Clashes, ARowIsToldOfAFewOtherPartiesAndTheRestIsCounted) {
    std::vector<LayoutDecoder> copies;
    for (int i = 1; i <= 8; ++i)
        copies.push_back(decoderWith(kSpur1, Protocol::MM, "kopie-" + std::to_string(i) + ".hex", {9}));
    LayoutScan scan = analyseLayout(copies, {}, {});
    ASSERT_EQ(scan.clashes.size(), 1u);
    EXPECT_EQ(scan.clashes[0].parties.size(), 8u);
    EXPECT_EQ(clashTextFor(scan, scan.clashes[0], 0, 0),
              "mit kopie-2.hex Zeile 1 (Weiche), kopie-3.hex Zeile 1 (Weiche), kopie-4.hex Zeile 1 (Weiche), "
              "kopie-5.hex Zeile 1 (Weiche), kopie-6.hex Zeile 1 (Weiche) und 2 weitere");
    EXPECT_NE(scan.clashes[0].text.find("kopie-7.hex Zeile 1 (Weiche) und kopie-8.hex"), std::string::npos);
}

TEST(Clashes, Decoder511AndAddressesBeyondTheRangeAreClashesOfTheirOwn) {
    LayoutScan scan =
        analyseLayout({decoderWith(kWeichen, Protocol::DCC, "rundruf.hex", {2040, 2041, 2044, 0}),
                       decoderWith(kFunktion, Protocol::DCC, "fahrzeug.hex", {16129, 12000}, {1, 1})},
                      {}, {});
    std::vector<std::pair<ClashKind, int>> seen;
    for (const Clash& clash : scan.clashes)
        seen.emplace_back(clash.key.kind, clash.key.address);
    EXPECT_EQ(seen, (std::vector<std::pair<ClashKind, int>>{{ClashKind::Broadcast, 2041},
                                                            {ClashKind::Broadcast, 2044},
                                                            {ClashKind::OutOfRange, 16129}}));
    EXPECT_NE(scan.clashes[0].text.find("Rundruf-Adresse"), std::string::npos) << scan.clashes[0].text;
    EXPECT_NE(scan.clashes[2].text.find("außerhalb des gültigen Bereichs 1 bis 16128"), std::string::npos)
        << scan.clashes[2].text;
    // Beyond the long addresses is a warning of the decoder, no clash.
    const LayoutDecoder& vehicle = scan.decoders[0];
    ASSERT_EQ(vehicle.file, "fahrzeug.hex");
    EXPECT_EQ(vehicle.rows[1].warnings.size(), 1u);
    EXPECT_EQ(vehicle.rows[1].warnings[0].kind, HelpWarningKind::BeyondLongAddresses);
}

TEST(Clashes, MarkedIntendedByTheirKeyWhichSurvivesARescanButNotANewParty) {
    const std::vector<LayoutDecoder> decoders{
        decoderWith(kWeichen, Protocol::DCC, "weiche.hex", {1, 2, 3, 4}),
        decoderWith(kSignal, Protocol::DCC, "signal.hex", {1, 20, 21, 22})};
    const LayoutScan first = analyseLayout(decoders, {}, {});
    ASSERT_EQ(first.clashes.size(), 1u);
    LayoutNotes notes;
    notes.setIntended(first.clashes[0].key, true);

    const LayoutScan again = analyseLayout(decoders, {}, notes);
    ASSERT_EQ(again.clashes.size(), 1u);
    EXPECT_TRUE(again.clashes[0].intended);
    EXPECT_EQ(again.openClashCount(), 0);

    std::vector<LayoutDecoder> more = decoders;
    more.push_back(decoderWith(kSpur1, Protocol::DCC, "neu.hex", {1}));
    const LayoutScan third = analyseLayout(more, {}, notes);
    ASSERT_EQ(third.clashes.size(), 1u);
    EXPECT_FALSE(third.clashes[0].intended) << "a newcomer on the address raises the clash again";

    notes.setIntended(first.clashes[0].key, false);
    EXPECT_TRUE(notes.intended.empty());
}

TEST(Clashes, NamesAndNotesComeFromTheNotes) {
    LayoutNotes notes;
    notes.decoders["weiche.hex"] = {"Bahnhof Süd", "Weichen 1–4"};
    LayoutScan scan =
        analyseLayout({decoderWith(kWeichen, Protocol::DCC, "weiche.hex", {1, 2, 3, 4})}, {}, notes);
    EXPECT_EQ(scan.decoders[0].name, "Bahnhof Süd");
    EXPECT_EQ(scan.decoders[0].note, "Weichen 1–4");
}

TEST(FreeBlocks, AreTheFirstRunsOfOneFourAndEightAddressesPerProtocol) {
    // MM: 1–4, 6–9 and 11–30 used (red counts as used), the vehicle address 31 does not count.
    std::vector<LayoutDecoder> decoders{
        decoderWith(kWeichen, Protocol::MM, "a.hex", {1, 2, 3, 4}, {0, 0, 0, 0}),
        decoderWith(kWeichen, Protocol::MM, "b.hex", {6, 7, 8, 9}),
        decoderWith(kFunktion, Protocol::MM, "c.hex", {31, 32, 33, 34}, {1, 2, 3, 4})};
    std::vector<int> many;
    for (int address = 11; address <= 30; ++address)
        many.push_back(address);
    for (std::size_t i = 0; i < many.size(); i += 8) {
        std::vector<int> part(many.begin() + static_cast<long>(i),
                              many.begin() + static_cast<long>(std::min(i + 8, many.size())));
        decoders.push_back(decoderWith(kServo, Protocol::MM, "s" + std::to_string(i) + ".hex", part));
    }
    // DCC: everything up to 2036 used; 2037–2040 is the only free run, decoder 511 never is.
    for (int first = 1; first <= 2036; first += 8) {
        std::vector<int> part;
        for (int address = first; address < first + 8 && address <= 2036; ++address)
            part.push_back(address);
        decoders.push_back(decoderWith(kServo, Protocol::DCC, "d" + std::to_string(first) + ".hex", part));
    }
    LayoutScan scan = analyseLayout(decoders, {}, {});
    std::vector<std::tuple<Protocol, int, int>> seen;
    for (const FreeBlock& block : scan.freeBlocks)
        seen.emplace_back(block.protocol, block.size, block.first);
    EXPECT_EQ(seen, (std::vector<std::tuple<Protocol, int, int>>{{Protocol::MM, 1, 5},
                                                                 {Protocol::MM, 4, 31},
                                                                 {Protocol::MM, 8, 31},
                                                                 {Protocol::DCC, 1, 2037},
                                                                 {Protocol::DCC, 4, 2037},
                                                                 {Protocol::DCC, 8, 0}}));
}

TEST(LayoutDecoder, NamesWhatServoBlinkAndLedFirmwaresDoOnEachAddress) {
    const LayoutDecoder servo = decoderWith(kServo, Protocol::DCC, "servo.hex", {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_EQ(servo.rows.size(), 8u);
    EXPECT_EQ(servo.rows[0].use, "Servo 1, Start, Kurve 1, Relais 1");
    EXPECT_EQ(servo.rows[4].use, "Servo 1, Abbruch");
    const LayoutDecoder blink = decoderWith(43, Protocol::DCC, "blink.hex", {1, 2, 3, 4});
    EXPECT_EQ(blink.rows[0].use, "Muster 1: Ausgänge 1–2, Loop");
    EXPECT_EQ(blink.rows[3].use, "Muster 4: Ausgänge 1–4, einmal");
    const LayoutDecoder led = decoderWith(45, Protocol::DCC, "led.hex", {1, 2, 3, 4});
    EXPECT_EQ(led.rows[0].use, "Muster 1: Ausgänge 1–10, Loop");
    EXPECT_EQ(decoderWith(kWeichen, Protocol::DCC, "w.hex", {1}).rows[0].use, "");
}

TEST(LayoutDecoder, CarriesTheFirmwaresFactsAndTheAddressHelp) {
    const LayoutDecoder decoder = decoderWith(kWeichen, Protocol::MM, "w.hex", {5, 6, 7, 8}, {1, 0, 1, 1});
    EXPECT_EQ(decoder.kind, kWeichen);
    EXPECT_EQ(decoder.caption, "Zumbar88");
    EXPECT_EQ(decoder.version, "V 0.41");
    EXPECT_EQ(decoder.protocol, Protocol::MM);
    EXPECT_EQ(decoder.type, DecoderType::Schalt);
    ASSERT_TRUE(decoder.extra.has_value());
    EXPECT_EQ(decoder.extra->caption, "Time Out (1..127)");
    EXPECT_EQ(decoder.extra->value, kDemoExtraValue);
    EXPECT_EQ(decoder.rows[1].headline, "MM-Zubehöradresse 6, rot");
    EXPECT_EQ(decoder.rows[1].numbering,
              (std::vector<std::string>{"Dekoder 2, Ausgang 2", "Keyboard 1, Taste 6"}));
}

TEST(LayoutDecoder, AFirmwareWithoutProtocolHasNoRowsAndSaysSo) {
    auto firmware = loadFirmware(demoFirmwareText(kWeichen, Protocol::None));
    ASSERT_TRUE(firmware.ok());
    const LayoutDecoder decoder = layoutDecoder(*firmware, "ohne.hex");
    EXPECT_TRUE(decoder.rows.empty());
    ASSERT_EQ(decoder.warnings.size(), 1u);
    EXPECT_NE(decoder.warnings[0].find("Kein Protokoll erkannt"), std::string::npos);
    EXPECT_TRUE(analyseLayout({decoder}, {}, {}).addresses.empty());
}

TEST(RunsText, DrawsConsecutiveNumbersTogether) {
    EXPECT_EQ(runsText({9, 1, 2, 3, 4, 7, 10}), "1–4, 7, 9–10");
    EXPECT_EQ(runsText({5}), "5");
    EXPECT_EQ(runsText({}), "");
}

} // namespace
} // namespace hq

// The whole help of one row for every kind of row, built from loaded firmware and from edits that
// are not saved yet.

#include "help/AddressHelp.h"
#include "../FirmwareBuilder.h"
#include "ShownRows.h"
#include "image/Firmware.h"

#include <gtest/gtest.h>

using namespace hq;
using hq::test::shownRows;

namespace {

// The standard test file: EEPROM records on lines 5..20.
const HexImage& standardImage() {
    static const HexImage image = *parseHexText(test::firmwareText(test::kRelay8, test::kDccSchalt).text());
    return image;
}

AddressHelp helpFor(Protocol protocol, DecoderType type, RowValues values, int row = 3) {
    RowTable rows = shownRows();
    rows[static_cast<std::size_t>(row)] = values;
    return addressHelp(protocol, type, rows, row, standardImage());
}

} // namespace

TEST(AddressHelp, DccAccessory) {
    AddressHelp help = helpFor(Protocol::DCC, DecoderType::Schalt, {19, 1, 0, true});
    EXPECT_FALSE(help.unused);
    EXPECT_EQ(help.row, 3);
    EXPECT_EQ(help.address, 19);
    EXPECT_EQ(help.headline, "DCC-Zubehöradresse 19, grün");
    EXPECT_EQ(help.decoderOutput, (DecoderOutput{5, 3}));
    EXPECT_FALSE(help.keyboardKey);
    EXPECT_FALSE(help.cvs);
    EXPECT_EQ(help.numbering, std::vector<std::string>{"Dekoder 5, Ausgang 3"});
    EXPECT_EQ(help.notes, std::vector<std::string>{kDccOutputCountingHint});
    EXPECT_TRUE(help.warnings.empty());
    EXPECT_EQ(help.bytes, (std::vector<EepromByteLine>{{3, 5}, {19, 7}, {35, 9}}));
    EXPECT_EQ(help.byteTexts,
              (std::vector<std::string>{"EEPROM-Byte 0x03: HEX-Zeile 5", "EEPROM-Byte 0x13: HEX-Zeile 7",
                                        "EEPROM-Byte 0x23: HEX-Zeile 9"}));

    AddressHelp broadcast = helpFor(Protocol::DCC, DecoderType::Schalt, {2044, 0, 0, true});
    EXPECT_EQ(broadcast.headline, "DCC-Zubehöradresse 2044, rot");
    EXPECT_EQ(broadcast.decoderOutput, (DecoderOutput{511, 4}));
    ASSERT_EQ(broadcast.warnings.size(), 1u);
    EXPECT_EQ(broadcast.warnings[0].kind, HelpWarningKind::BroadcastAddress);
}

TEST(AddressHelp, MmAccessoryHasDecoderAndKeyboard) {
    AddressHelp help = helpFor(Protocol::MM, DecoderType::Schalt, {17, 0, 0, true}, 20);
    EXPECT_EQ(help.headline, "MM-Zubehöradresse 17, rot");
    EXPECT_EQ(help.decoderOutput, (DecoderOutput{5, 1}));
    EXPECT_EQ(help.keyboardKey, (KeyboardKey{2, 1}));
    EXPECT_EQ(help.numbering, (std::vector<std::string>{"Dekoder 5, Ausgang 1", "Keyboard 2, Taste 1"}));
    EXPECT_TRUE(help.notes.empty()) << "the counting hint is for DCC stations";
    EXPECT_EQ(help.bytes, (std::vector<EepromByteLine>{{68, 13}, {84, 15}, {100, 17}}));
}

TEST(AddressHelp, DccVehicle) {
    AddressHelp shortAddress = helpFor(Protocol::DCC, DecoderType::Fahrzeug, {127, 0, 5, true});
    EXPECT_EQ(shortAddress.headline, "DCC-Fahrzeugadresse 127, Funktion 5");
    ASSERT_TRUE(shortAddress.cvs);
    EXPECT_FALSE(shortAddress.cvs->longAddress);
    EXPECT_EQ(shortAddress.numbering, std::vector<std::string>{"Kurze Adresse: CV1 = 127, CV29 Bit 5 aus"});
    EXPECT_FALSE(shortAddress.decoderOutput);

    AddressHelp longAddress = helpFor(Protocol::DCC, DecoderType::Fahrzeug, {10240, 0, 5, true});
    ASSERT_TRUE(longAddress.cvs);
    EXPECT_EQ(longAddress.cvs->values, (std::map<int, int>{{17, 232}, {18, 0}}));
    ASSERT_EQ(longAddress.warnings.size(), 1u);
    EXPECT_EQ(longAddress.warnings[0].kind, HelpWarningKind::BeyondLongAddresses);
}

TEST(AddressHelp, MmVehicleNoteAboveEighty) {
    AddressHelp low = helpFor(Protocol::MM, DecoderType::Fahrzeug, {80, 0, 2, true});
    EXPECT_EQ(low.headline, "MM-Fahrzeugadresse 80, Funktion 2");
    EXPECT_TRUE(low.numbering.empty());
    EXPECT_TRUE(low.notes.empty());

    AddressHelp high = helpFor(Protocol::MM, DecoderType::Fahrzeug, {81, 0, 2, true});
    ASSERT_EQ(high.notes.size(), 1u);
    EXPECT_TRUE(high.warnings.empty()) << "a note, not a warning";
}

TEST(AddressHelp, AddressZeroIsUnusedWithoutNumberingOrWarning) {
    RowTable rows = shownRows(); // many rows with address 0 and the same colour
    AddressHelp help = addressHelp(Protocol::DCC, DecoderType::Schalt, rows, 4, standardImage());
    EXPECT_TRUE(help.unused);
    EXPECT_EQ(help.headline, "Adresse 0: unbenutzt (keine Reaktion auf irgendeinen Befehl)");
    EXPECT_TRUE(help.numbering.empty());
    EXPECT_TRUE(help.notes.empty());
    EXPECT_TRUE(help.warnings.empty());
    EXPECT_FALSE(help.decoderOutput);
    EXPECT_EQ(help.bytes.size(), 3u) << "the bytes are still in the file";
}

TEST(AddressHelp, OutOfRangeValuesGetAWarningAndNoNumbering) {
    AddressHelp accessory = helpFor(Protocol::DCC, DecoderType::Schalt, {2045, 0, 0, true});
    EXPECT_FALSE(accessory.decoderOutput);
    EXPECT_TRUE(accessory.numbering.empty());
    EXPECT_TRUE(accessory.notes.empty());
    ASSERT_EQ(accessory.warnings.size(), 1u);
    EXPECT_EQ(accessory.warnings[0].kind, HelpWarningKind::OutOfRange);

    AddressHelp mm = helpFor(Protocol::MM, DecoderType::Schalt, {-1, 0, 0, true});
    EXPECT_FALSE(mm.keyboardKey);
    EXPECT_EQ(mm.warnings.size(), 1u);

    AddressHelp vehicle = helpFor(Protocol::DCC, DecoderType::Fahrzeug, {20000, 0, 1, true});
    EXPECT_FALSE(vehicle.cvs);
    AddressHelp mmVehicle = helpFor(Protocol::MM, DecoderType::Fahrzeug, {300, 0, 1, true});
    EXPECT_TRUE(mmVehicle.notes.empty());
    EXPECT_EQ(mmVehicle.warnings.size(), 1u);
}

TEST(AddressHelp, FirmwareWithoutProtocolOnlyNamesTheAddress) {
    AddressHelp help = helpFor(Protocol::None, DecoderType::None, {12, 1, 0, true});
    EXPECT_EQ(help.headline, "Adresse 12");
    EXPECT_TRUE(help.numbering.empty());
    EXPECT_TRUE(help.warnings.empty());
    EXPECT_EQ(help.bytes.size(), 3u);
}

TEST(AddressHelp, RowsOutsideTheGridGiveAnEmptyHelp) {
    for (int row : {-1, kRowCount, 1000}) {
        AddressHelp help = addressHelp(Protocol::DCC, DecoderType::Schalt, shownRows(), row, standardImage());
        EXPECT_EQ(help.row, row);
        EXPECT_TRUE(help.headline.empty());
        EXPECT_TRUE(help.bytes.empty());
        EXPECT_TRUE(help.text().empty());
    }
}

TEST(AddressHelp, TextJoinsEveryPartOneALine) {
    RowTable rows = shownRows();
    rows[3] = {2041, 1, 0, true};
    rows[21] = {2041, 1, 0, true};
    AddressHelp help = addressHelp(Protocol::DCC, DecoderType::Schalt, rows, 3, standardImage());
    EXPECT_EQ(help.text(), std::string("DCC-Zubehöradresse 2041, grün\n"
                                       "Dekoder 511, Ausgang 1\n") +
                               kDccOutputCountingHint +
                               "\n"
                               "Warnung: Dekoder 511 (Adressen 2041 bis 2044) ist die Rundruf-Adresse: Auf "
                               "Befehle an sie reagiert jeder Zubehör-Dekoder.\n"
                               "Warnung: Gleiche Adresse und Farbe auch in Zeile 21.\n"
                               "EEPROM-Byte 0x03: HEX-Zeile 5\n"
                               "EEPROM-Byte 0x13: HEX-Zeile 7\n"
                               "EEPROM-Byte 0x23: HEX-Zeile 9");
}

TEST(AddressHelp, LoadedFirmwareAndUnsavedEdits) {
    EepromImage eeprom;
    auto put = [&eeprom](int row, const std::string& code) {
        auto bytes = rowByteIndexes(row);
        for (int b = 0; b < 3; ++b)
            eeprom.bytes[static_cast<std::size_t>(bytes[static_cast<std::size_t>(b)])] =
                code.substr(2 * b, 2);
    };
    put(1, "311CFD"); // DCC 2044
    put(2, "311CFD");
    put(12, "311CFD"); // no caption in this firmware: not shown
    Firmware firmware = *loadFirmware(test::firmwareText(test::kRelay8, test::kDccSchalt, eeprom).text());
    const Recognition& recognition = firmware.recognition;
    RowTable rows = rowValuesFrom(firmware.parameters, recognition);

    EXPECT_FALSE(rows[0].shown);
    EXPECT_TRUE(rows[1].shown);
    EXPECT_TRUE(rows[8].shown);
    EXPECT_TRUE(rows[9].shown) << "\"All\"";
    EXPECT_FALSE(rows[12].shown);
    EXPECT_EQ(rows[1].address, 2044);
    EXPECT_EQ(rows[12].address, 2044);

    AddressHelp loaded = addressHelp(recognition.protocol, recognition.type, rows, 1, firmware.image);
    ASSERT_EQ(loaded.warnings.size(), 2u);
    EXPECT_EQ(loaded.warnings[1].rows, std::vector<int>{2}) << "row 12 is not shown";

    // The user typed 5 into row 2 without saving: the duplicate is gone, the file is unchanged.
    rows[2].address = 5;
    AddressHelp edited = addressHelp(recognition.protocol, recognition.type, rows, 1, firmware.image);
    ASSERT_EQ(edited.warnings.size(), 1u);
    EXPECT_EQ(edited.warnings[0].kind, HelpWarningKind::BroadcastAddress);
    EXPECT_EQ(firmware.parameters.rows[2].address, 2044);
}

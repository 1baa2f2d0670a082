// The non-blocking warnings of a row: broadcast decoder, addresses beyond the long range, values
// out of range and the same command on two rows.

#include "ShownRows.h"
#include "help/RowWarnings.h"

#include <gtest/gtest.h>

using namespace hq;
using hq::test::shownRows;

namespace {

std::vector<HelpWarningKind> kinds(const std::vector<HelpWarning>& warnings) {
    std::vector<HelpWarningKind> result;
    for (const auto& w : warnings)
        result.push_back(w.kind);
    return result;
}

std::vector<HelpWarningKind> warningsFor(Protocol protocol, DecoderType type, int address, int function = 1) {
    RowTable rows = shownRows();
    rows[5] = {address, 0, function, true};
    return kinds(rowWarnings(protocol, type, rows, 5));
}

using K = HelpWarningKind;
using Kinds = std::vector<HelpWarningKind>;

} // namespace

TEST(RowWarnings, DccBroadcastDecoder511) {
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Schalt, 2040), Kinds{});
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Schalt, 2041), Kinds{K::BroadcastAddress});
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Schalt, 2044), Kinds{K::BroadcastAddress});
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Schalt, 2045), Kinds{K::OutOfRange});
    // MM has no broadcast decoder; 2041 is merely out of its range.
    EXPECT_EQ(warningsFor(Protocol::MM, DecoderType::Schalt, 2041), Kinds{K::OutOfRange});

    RowTable rows = shownRows();
    rows[5] = {2043, 1, 0, true};
    auto warnings = rowWarnings(Protocol::DCC, DecoderType::Schalt, rows, 5);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].text,
              "Dekoder 511 (Adressen 2041 bis 2044) ist die Rundruf-Adresse: Auf Befehle an "
              "sie reagiert jeder Zubehör-Dekoder.");
}

TEST(RowWarnings, DccVehicleBeyondLongAddresses) {
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Fahrzeug, 10239), Kinds{});
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Fahrzeug, 10240), Kinds{K::BeyondLongAddresses});
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Fahrzeug, 16128), Kinds{K::BeyondLongAddresses});
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Fahrzeug, 16129), Kinds{K::OutOfRange});
    EXPECT_EQ(warningsFor(Protocol::MM, DecoderType::Fahrzeug, 255), Kinds{});

    RowTable rows = shownRows();
    rows[5] = {12000, 0, 3, true};
    EXPECT_EQ(rowWarnings(Protocol::DCC, DecoderType::Fahrzeug, rows, 5).at(0).text,
              "Adresse 12000 liegt jenseits der langen Adressen (128 bis 10239); viele Zentralen können sie "
              "nicht ansprechen.");
}

TEST(RowWarnings, ValuesOutsideTheFirmwareRange) {
    EXPECT_EQ(warningsFor(Protocol::MM, DecoderType::Schalt, 320), Kinds{});
    EXPECT_EQ(warningsFor(Protocol::MM, DecoderType::Schalt, 321), Kinds{K::OutOfRange});
    EXPECT_EQ(warningsFor(Protocol::MM, DecoderType::Fahrzeug, 256), Kinds{K::OutOfRange});
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Schalt, -4), Kinds{K::OutOfRange});
    EXPECT_EQ(warningsFor(Protocol::MM, DecoderType::Fahrzeug, 3, 4), Kinds{});
    EXPECT_EQ(warningsFor(Protocol::MM, DecoderType::Fahrzeug, 3, 5), Kinds{K::OutOfRange});
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Fahrzeug, 3, 12), Kinds{});
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Fahrzeug, 3, 0), Kinds{K::OutOfRange});
    // Accessory rows have no function; firmware without protocol has no ranges.
    EXPECT_EQ(warningsFor(Protocol::DCC, DecoderType::Schalt, 3, 99), Kinds{});
    EXPECT_EQ(warningsFor(Protocol::None, DecoderType::None, 99999), Kinds{});

    RowTable rows = shownRows();
    rows[5] = {3000, 0, 13, true};
    auto warnings = rowWarnings(Protocol::DCC, DecoderType::Fahrzeug, rows, 5);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].text, "Funktion 13 liegt außerhalb des gültigen Bereichs 1 bis 12.");
    rows[5] = {3000, 0, 1, true};
    EXPECT_EQ(rowWarnings(Protocol::DCC, DecoderType::Schalt, rows, 5).at(0).text,
              "Adresse 3000 liegt außerhalb des gültigen Bereichs 1 bis 2044.");
}

TEST(RowWarnings, SameAccessoryAddressAndColourAcrossColumns) {
    RowTable rows = shownRows();
    rows[3] = {10, 1, 0, true};
    rows[7] = {10, 1, 0, true};
    rows[20] = {10, 1, 0, true};
    rows[21] = {10, 0, 0, true};  // other colour: another command
    rows[22] = {11, 1, 0, true};  // other address
    rows[23] = {10, 1, 0, false}; // not shown in this firmware

    auto warnings = rowWarnings(Protocol::DCC, DecoderType::Schalt, rows, 3);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].kind, K::SameAddress);
    EXPECT_EQ(warnings[0].rows, (std::vector<int>{7, 20}));
    EXPECT_EQ(warnings[0].text, "Gleiche Adresse und Farbe auch in Zeilen 7 und 20.");

    EXPECT_EQ(sameAddressRows(DecoderType::Schalt, rows, 20), (std::vector<int>{3, 7}));
    EXPECT_EQ(sameAddressRows(DecoderType::Schalt, rows, 21), std::vector<int>{});
    // Any non-zero flag reads as green, as the decoder stores it.
    rows[21].redGreen = 5;
    EXPECT_EQ(sameAddressRows(DecoderType::Schalt, rows, 21), (std::vector<int>{3, 7, 20}));
    // A hidden row still learns which shown rows share its command.
    EXPECT_EQ(sameAddressRows(DecoderType::Schalt, rows, 23), (std::vector<int>{3, 7, 20, 21}));
}

TEST(RowWarnings, SameVehicleAddressAndFunction) {
    RowTable rows = shownRows();
    rows[2] = {3, 0, 2, true};
    rows[9] = {3, 1, 2, true}; // the red/green flag does not matter for vehicles
    rows[10] = {3, 0, 4, true};
    rows[31] = {3, 0, 2, true};

    auto warnings = rowWarnings(Protocol::MM, DecoderType::Fahrzeug, rows, 9);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rows, (std::vector<int>{2, 31}));
    EXPECT_EQ(warnings[0].text, "Gleiche Adresse und Funktion auch in Zeilen 2 und 31.");
    EXPECT_TRUE(rowWarnings(Protocol::MM, DecoderType::Fahrzeug, rows, 10).empty()) << "other function";
}

TEST(RowWarnings, AddressZeroNeverWarnsNorCounts) {
    RowTable rows = shownRows(); // every shown row unused, all red
    EXPECT_TRUE(rowWarnings(Protocol::DCC, DecoderType::Schalt, rows, 4).empty());
    EXPECT_TRUE(sameAddressRows(DecoderType::Schalt, rows, 4).empty());
    rows[4] = {0, 0, 99, true};
    EXPECT_TRUE(rowWarnings(Protocol::DCC, DecoderType::Fahrzeug, rows, 4).empty())
        << "no function check either";
}

TEST(RowWarnings, RowZeroIsNeverADuplicateAndBadRowsGiveNothing) {
    RowTable rows = shownRows();
    rows[0] = {8, 0, 0, true}; // row 0 is never an output, even when marked shown
    rows[6] = {8, 0, 0, true};
    EXPECT_TRUE(sameAddressRows(DecoderType::Schalt, rows, 6).empty());
    EXPECT_TRUE(rowWarnings(Protocol::DCC, DecoderType::Schalt, rows, -1).empty());
    EXPECT_TRUE(rowWarnings(Protocol::DCC, DecoderType::Schalt, rows, kRowCount).empty());
    EXPECT_TRUE(sameAddressRows(DecoderType::Schalt, rows, 99).empty());
    EXPECT_TRUE(sameAddressRows(DecoderType::None, rows, 6).empty());
}

TEST(RowListText, GermanList) {
    EXPECT_EQ(rowListText({3}), "Zeile 3");
    EXPECT_EQ(rowListText({3, 7}), "Zeilen 3 und 7");
    EXPECT_EQ(rowListText({3, 7, 20}), "Zeilen 3, 7 und 20");
}

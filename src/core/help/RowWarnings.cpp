// The address ranges follow the code tables the firmware stores: MM 320 accessory and 255 vehicle
// addresses, DCC 2044 and 16128, functions MM 1..4 and DCC 1..12.

#include "help/RowWarnings.h"

#include "encode/CodeTables.h"
#include "help/AccessoryNumbering.h"
#include "help/VehicleAddress.h"

namespace hq {

namespace {

struct Ranges {
    int highestAddress = 0;
    int highestFunction = 0; // 0 where the rows have no function
};

std::optional<Ranges> rangesFor(Protocol protocol, DecoderType type) {
    const bool mm = protocol == Protocol::MM;
    if (protocol == Protocol::None)
        return std::nullopt;
    if (type == DecoderType::Schalt)
        return Ranges{mm ? kMmHighestAccessory : kDccHighestAccessory, 0};
    if (type == DecoderType::Fahrzeug)
        return Ranges{mm ? kMmHighestVehicle : kDccHighestVehicle, mm ? 4 : 12};
    return std::nullopt;
}

std::string outOfRangeText(const char* what, int value, int highest) {
    return std::string(what) + " " + std::to_string(value) + " liegt außerhalb des gültigen Bereichs 1 bis " +
           std::to_string(highest) + ".";
}

bool sameCommand(DecoderType type, const RowValues& a, const RowValues& b) {
    if (a.address != b.address)
        return false;
    if (type == DecoderType::Schalt)
        return (a.redGreen != 0) == (b.redGreen != 0);
    return a.function == b.function;
}

} // namespace

std::vector<int> sameAddressRows(DecoderType type, const RowTable& rows, int row) {
    std::vector<int> others;
    if (row < 0 || row >= kRowCount || type == DecoderType::None)
        return others;
    const RowValues& own = rows[static_cast<std::size_t>(row)];
    if (own.address == 0)
        return others;
    for (int r = 1; r < kRowCount; ++r) {
        const RowValues& other = rows[static_cast<std::size_t>(r)];
        if (r != row && other.shown && sameCommand(type, own, other))
            others.push_back(r);
    }
    return others;
}

std::string rowListText(const std::vector<int>& rows) {
    std::string text = rows.size() == 1 ? "Zeile " : "Zeilen ";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            text += i + 1 == rows.size() ? " und " : ", ";
        text += std::to_string(rows[i]);
    }
    return text;
}

std::vector<HelpWarning> rowWarnings(Protocol protocol, DecoderType type, const RowTable& rows, int row) {
    std::vector<HelpWarning> warnings;
    if (row < 0 || row >= kRowCount)
        return warnings;
    const RowValues& own = rows[static_cast<std::size_t>(row)];
    if (own.address == 0)
        return warnings;

    const std::optional<Ranges> ranges = rangesFor(protocol, type);
    if (ranges && (own.address < 0 || own.address > ranges->highestAddress)) {
        warnings.push_back({HelpWarningKind::OutOfRange,
                            outOfRangeText("Adresse", own.address, ranges->highestAddress),
                            {}});
    }
    if (ranges && ranges->highestFunction > 0 &&
        (own.function < 1 || own.function > ranges->highestFunction)) {
        warnings.push_back({HelpWarningKind::OutOfRange,
                            outOfRangeText("Funktion", own.function, ranges->highestFunction),
                            {}});
    }

    if (protocol == Protocol::DCC && type == DecoderType::Schalt &&
        own.address >= kDccFirstBroadcastAddress && own.address <= kDccHighestAccessory) {
        warnings.push_back({HelpWarningKind::BroadcastAddress,
                            "Dekoder 511 (Adressen 2041 bis 2044) ist die Rundruf-Adresse: Auf Befehle an "
                            "sie reagiert jeder Zubehör-Dekoder.",
                            {}});
    }
    if (protocol == Protocol::DCC && type == DecoderType::Fahrzeug && own.address > kDccHighestLongAddress &&
        own.address <= kDccHighestVehicle) {
        warnings.push_back({HelpWarningKind::BeyondLongAddresses,
                            "Adresse " + std::to_string(own.address) +
                                " liegt jenseits der langen Adressen (128 bis 10239); viele Zentralen "
                                "können sie nicht ansprechen.",
                            {}});
    }

    std::vector<int> others = sameAddressRows(type, rows, row);
    if (!others.empty()) {
        const char* what = type == DecoderType::Schalt ? "Farbe" : "Funktion";
        std::string text =
            std::string("Gleiche Adresse und ") + what + " auch in " + rowListText(others) + ".";
        warnings.push_back({HelpWarningKind::SameAddress, std::move(text), std::move(others)});
    }
    return warnings;
}

} // namespace hq

#pragma once
// Everything the window's help and the command line show for one output row: the address as a
// command station numbers it, the decoder's CVs for a vehicle address, notes, warnings and the HEX
// lines that hold the row's three EEPROM bytes. All as values and ready German texts; the row
// values may be edits that are not saved yet.

#include "help/AccessoryNumbering.h"
#include "help/EepromLines.h"
#include "help/RowValues.h"
#include "help/RowWarnings.h"
#include "help/VehicleAddress.h"

#include <optional>
#include <string>
#include <vector>

namespace hq {

inline constexpr const char* kUnusedAddressText =
    "Adresse 0: unbenutzt (keine Reaktion auf irgendeinen Befehl)";

struct AddressHelp {
    int row = 0;
    int address = 0;
    bool unused = true; // address 0: no numbering, no warning
    // "DCC-Zubehöradresse 19, grün", "MM-Fahrzeugadresse 3, Funktion 2", "Adresse 5" (firmware
    // without protocol) or kUnusedAddressText.
    std::string headline;

    // Filled where the address is in the firmware's range: accessory rows get the decoder and output,
    // MM accessory rows also the keyboard and key, DCC vehicle rows the CVs.
    std::optional<DecoderOutput> decoderOutput;
    std::optional<KeyboardKey> keyboardKey;
    std::optional<DccVehicleCvs> cvs;
    std::vector<std::string> numbering; // the texts of the three above, in that order

    std::vector<std::string> notes; // hints that are no warning
    std::vector<HelpWarning> warnings;

    std::vector<EepromByteLine> bytes; // the row's three code bytes
    std::vector<std::string> byteTexts;

    // Headline, numbering, notes, warnings (each after "Warnung: ") and byte texts, one a line.
    std::string text() const;
};

// The help of row 0..31 (other rows give an empty help). `lines` comes from eepromLineMap() of the
// loaded image; building it once serves every row.
AddressHelp addressHelp(Protocol protocol, DecoderType type, const RowTable& rows, int row,
                        const EepromLineMap& lines);
AddressHelp addressHelp(Protocol protocol, DecoderType type, const RowTable& rows, int row,
                        const HexImage& image);

} // namespace hq

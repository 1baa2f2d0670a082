// Puts the numbering, notes, warnings and EEPROM lines of one row together.

#include "help/AddressHelp.h"

#include "encode/CodeTables.h"

namespace hq {

namespace {

std::string headlineFor(Protocol protocol, DecoderType type, const RowValues& values) {
    const std::string address = std::to_string(values.address);
    if (protocol == Protocol::None || type == DecoderType::None)
        return "Adresse " + address;
    const std::string prefix = protocol == Protocol::MM ? "MM-" : "DCC-";
    if (type == DecoderType::Schalt)
        return prefix + "Zubehöradresse " + address + (values.redGreen != 0 ? ", grün" : ", rot");
    return prefix + "Fahrzeugadresse " + address + ", Funktion " + std::to_string(values.function);
}

void addAccessoryNumbering(Protocol protocol, int address, AddressHelp& help) {
    const int highest = protocol == Protocol::MM ? kMmHighestAccessory : kDccHighestAccessory;
    if (address > highest)
        return;
    help.decoderOutput = accessoryDecoderOutput(address);
    if (help.decoderOutput)
        help.numbering.push_back(decoderOutputText(*help.decoderOutput));
    if (protocol == Protocol::MM) {
        help.keyboardKey = mmKeyboardKey(address);
        if (help.keyboardKey)
            help.numbering.push_back(keyboardKeyText(*help.keyboardKey));
    } else if (help.decoderOutput) {
        help.notes.emplace_back(kDccOutputCountingHint);
    }
}

void addVehicleNumbering(Protocol protocol, int address, AddressHelp& help) {
    if (protocol == Protocol::DCC) {
        if (address > kDccHighestVehicle)
            return;
        help.cvs = dccVehicleCvs(address);
        if (help.cvs)
            help.numbering.push_back(dccVehicleCvsText(*help.cvs));
    } else if (address > 0 && address <= kMmHighestVehicle) {
        if (auto note = mmVehicleNote(address))
            help.notes.push_back(std::move(*note));
    }
}

} // namespace

std::string AddressHelp::text() const {
    std::string out = headline;
    auto addLine = [&out](const std::string& line) {
        if (!out.empty())
            out += '\n';
        out += line;
    };
    for (const auto& line : numbering)
        addLine(line);
    for (const auto& line : notes)
        addLine(line);
    for (const auto& warning : warnings)
        addLine("Warnung: " + warning.text);
    for (const auto& line : byteTexts)
        addLine(line);
    return out;
}

AddressHelp addressHelp(Protocol protocol, DecoderType type, const RowTable& rows, int row,
                        const EepromLineMap& lines) {
    AddressHelp help;
    help.row = row;
    if (row < 0 || row >= kRowCount)
        return help;

    const RowValues& values = rows[static_cast<std::size_t>(row)];
    help.address = values.address;
    help.unused = values.address == 0;
    help.bytes = rowEepromLines(lines, row);
    for (const auto& byte : help.bytes)
        help.byteTexts.push_back(eepromByteLineText(byte));
    if (help.unused) {
        help.headline = kUnusedAddressText;
        return help;
    }

    help.headline = headlineFor(protocol, type, values);
    if (protocol != Protocol::None && type == DecoderType::Schalt)
        addAccessoryNumbering(protocol, values.address, help);
    else if (protocol != Protocol::None && type == DecoderType::Fahrzeug)
        addVehicleNumbering(protocol, values.address, help);
    help.warnings = rowWarnings(protocol, type, rows, row);
    return help;
}

AddressHelp addressHelp(Protocol protocol, DecoderType type, const RowTable& rows, int row,
                        const HexImage& image) {
    return addressHelp(protocol, type, rows, row, eepromLineMap(image));
}

} // namespace hq

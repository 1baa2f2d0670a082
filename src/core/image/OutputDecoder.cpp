#include "image/OutputDecoder.h"

#include "encode/CodeTables.h"
#include "image/HexByte.h"

namespace hq {

std::array<int, 3> rowByteIndexes(int row) {
    if (row < 16)
        return {row, 16 + row, 32 + row};
    int k = row - 16;
    return {64 + k, 80 + k, 96 + k};
}

namespace {

// Every filled entry is searched (not only the first "highest address" ones), so that every
// address the encoder writes decodes to itself.
void findSwitchingAddress(const CodeTable& table, int storedFlag, OutputRow& row) {
    if (const CodeTable::Match* match = table.find(row.outputCode)) {
        row.address = match->address;
        row.redGreen = match->changedForm ? 1 - storedFlag : storedFlag;
    }
}

void decodeRow(const Recognition& recognition, OutputRow& row) {
    const std::string& code = row.outputCode;
    if (recognition.protocol == Protocol::MM && recognition.type == DecoderType::Schalt) {
        findSwitchingAddress(mmAccessoryTable(), 1, row);
    } else if (recognition.protocol == Protocol::MM && recognition.type == DecoderType::Fahrzeug) {
        if (const CodeTable::Match* match = mmVehicleTable().find(std::string_view{code}.substr(0, 4)))
            row.address = match->address;
        row.function = mmFunctionNumber(row.functionCode);
    } else if (recognition.protocol == Protocol::DCC && recognition.type == DecoderType::Schalt) {
        findSwitchingAddress(dccAccessoryTable(), 0, row);
    } else if (recognition.protocol == Protocol::DCC && recognition.type == DecoderType::Fahrzeug) {
        auto low = hexByteValue(std::string_view{code}.substr(2, 2));
        auto high = hexByteValue(std::string_view{code}.substr(4, 2));
        if (low && high) {
            int hi = *high > 191 ? *high - 192 : *high;
            row.address = hi * 256 + *low;
        }
        row.function = dccFunctionNumber(row.functionCode);
    }
}

} // namespace

Parameters decodeParameters(const EepromImage& eeprom, const Recognition& recognition) {
    Parameters parameters;
    for (int r = 0; r < kRowCount; ++r) {
        OutputRow& row = parameters.rows[r];
        auto bytes = rowByteIndexes(r);
        row.outputCode = eeprom.bytes[bytes[0]] + eeprom.bytes[bytes[1]] + eeprom.bytes[bytes[2]];
        // MM vehicle decoders keep the function in the third byte, DCC vehicle decoders in the first.
        bool dcc = recognition.protocol == Protocol::DCC;
        row.functionCode = eeprom.bytes[dcc ? bytes[0] : bytes[2]];
        decodeRow(recognition, row);
    }
    parameters.extraValue = eeprom.value(kExtraValueByte).value_or(0);
    return parameters;
}

} // namespace hq

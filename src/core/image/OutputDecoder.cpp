#include "image/OutputDecoder.h"

namespace hq {

std::array<int, 3> rowByteIndexes(int row) {
    if (row < 16)
        return {row, 16 + row, 32 + row};
    int k = row - 16;
    return {64 + k, 80 + k, 96 + k};
}

Parameters decodeParameters(const EepromImage& eeprom, const Recognition& recognition) {
    const RowCodec& codec = recognition.rowCodec();
    Parameters parameters;
    for (int r = 0; r < kRowCount; ++r) {
        OutputRow& row = parameters.rows[r];
        auto bytes = rowByteIndexes(r);
        row.outputCode = eeprom.bytes[bytes[0]] + eeprom.bytes[bytes[1]] + eeprom.bytes[bytes[2]];
        row.functionCode = eeprom.bytes[bytes[static_cast<std::size_t>(codec.functionByte())]];
        codec.decode(row);
    }
    parameters.extraValue = eeprom.value(kExtraValueByte).value_or(0);
    return parameters;
}

} // namespace hq

#include "encode/RowCodec.h"

#include "encode/CodeTables.h"
#include "image/HexByte.h"
#include "image/OutputDecoder.h"

namespace hq {

namespace {

// The code of an address that reacts to nothing: the erased EEPROM bytes.
constexpr std::string_view kErased = "FFFFFF";

// Every filled table entry is searched (not only the first "highest address" ones), so that every
// address the encoder writes decodes to itself.
void findSwitchingAddress(const CodeTable& table, int storedFlag, OutputRow& row) {
    if (const CodeTable::Match* match = table.find(row.outputCode)) {
        row.address = match->address;
        row.redGreen = match->changedForm ? 1 - storedFlag : storedFlag;
    }
}

// MM accessory decoders: the code of the green address is the table entry, the red one has its
// pair digit changed.
class MmAccessoryCodec : public RowCodec {
public:
    int functionByte() const override { return 2; }
    void decode(OutputRow& row) const override { findSwitchingAddress(mmAccessoryTable(), 1, row); }
    std::string encode(OutputRow& row) const override {
        const std::string& code = mmAccessoryTable().codes[static_cast<std::size_t>(row.address)];
        return row.redGreen != 1 ? mmRedGreenVariant(code) : code;
    }
};

// DCC accessory decoders: the table entry is the red address, the green one the changed form.
class DccAccessoryCodec : public RowCodec {
public:
    int functionByte() const override { return 0; }
    void decode(OutputRow& row) const override { findSwitchingAddress(dccAccessoryTable(), 0, row); }
    std::string encode(OutputRow& row) const override {
        if (row.address == 0)
            return std::string{kErased}; // no accessory command matches it
        const std::string& code = dccAccessoryTable().codes[static_cast<std::size_t>(row.address)];
        return row.redGreen != 0 ? dccRedGreenVariant(code) : code;
    }
};

// MM function decoders: two bytes of vehicle address code, then the function code.
class MmVehicleCodec : public RowCodec {
public:
    int functionByte() const override { return 2; }
    void decode(OutputRow& row) const override {
        if (const CodeTable::Match* match =
                mmVehicleTable().find(std::string_view{row.outputCode}.substr(0, 4)))
            row.address = match->address;
        row.function = mmFunctionNumber(row.functionCode);
    }
    std::string encode(OutputRow& row) const override {
        if (auto code = mmFunctionCode(row.function); !code.empty())
            row.functionCode = code;
        std::string vehicle = row.address == 0
                                  ? std::string{kErased.substr(0, 4)}
                                  : mmVehicleTable().codes[static_cast<std::size_t>(row.address)];
        return vehicle + row.functionCode;
    }
};

// DCC function decoders: the function code, then the address low byte and high byte; long
// addresses (from 128) carry 0xC0 in the high byte.
class DccVehicleCodec : public RowCodec {
public:
    int functionByte() const override { return 0; }
    void decode(OutputRow& row) const override {
        auto low = hexByteValue(std::string_view{row.outputCode}.substr(2, 2));
        auto high = hexByteValue(std::string_view{row.outputCode}.substr(4, 2));
        if (low && high) {
            int hi = *high > 191 ? *high - 192 : *high;
            row.address = hi * 256 + *low;
        }
        row.function = dccFunctionNumber(row.functionCode);
    }
    std::string encode(OutputRow& row) const override {
        int low = row.address % 256;
        int high = row.address / 256;
        if (low > 127 || high > 0)
            high += 192;
        if (auto code = dccFunctionCode(row.function); !code.empty())
            row.functionCode = code;
        return row.functionCode + byteHexText(low) + byteHexText(high);
    }
};

// No protocol recognised: nothing is shown, the loaded bytes stay.
class KeepBytesCodec : public RowCodec {
public:
    int functionByte() const override { return 2; }
    void decode(OutputRow&) const override {}
    std::string encode(OutputRow& row) const override { return row.outputCode; }
};

} // namespace

const RowCodec& rowCodecFor(Protocol protocol, DecoderType type) {
    static const MmAccessoryCodec mmAccessory;
    static const DccAccessoryCodec dccAccessory;
    static const MmVehicleCodec mmVehicle;
    static const DccVehicleCodec dccVehicle;
    static const KeepBytesCodec keep;
    const bool accessory = type == DecoderType::Schalt;
    const bool vehicle = type == DecoderType::Fahrzeug;
    if (protocol == Protocol::MM && accessory)
        return mmAccessory;
    if (protocol == Protocol::MM && vehicle)
        return mmVehicle;
    if (protocol == Protocol::DCC && accessory)
        return dccAccessory;
    if (protocol == Protocol::DCC && vehicle)
        return dccVehicle;
    return keep;
}

} // namespace hq

#pragma once
// How one output row's three EEPROM code bytes stand for its address, red/green choice and
// function number. There is one codec per protocol and decoder type (MM or DCC, accessory or
// function decoder), with its encoding and decoding side by side so that each is the other's
// inverse; recognition picks the codec once for the loaded firmware.

#include <string>
#include <string_view>

namespace hq {

enum class Protocol;
enum class DecoderType;
struct OutputRow;

class RowCodec {
public:
    virtual ~RowCodec() = default;

    // Which of the row's three code bytes (0..2) holds the function code: the first for DCC, the
    // third otherwise.
    virtual int functionByte() const = 0;

    // Sets the row's address, red/green flag and function number from its loaded `outputCode` (six
    // hex digits) and `functionCode`. A code that matches no address leaves the address 0.
    virtual void decode(OutputRow& row) const = 0;

    // The six code digits for the row's address, flag and function number. `row.functionCode`
    // takes the function's code where the number has one and keeps the loaded code otherwise.
    virtual std::string encode(OutputRow& row) const = 0;
};

// The codec of a protocol and decoder type; without a protocol, a codec that decodes nothing and
// writes the loaded bytes back unchanged.
const RowCodec& rowCodecFor(Protocol protocol, DecoderType type);

} // namespace hq

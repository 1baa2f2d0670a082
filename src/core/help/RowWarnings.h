#pragma once
// Warnings beside the address help. They never refuse a value: the user may have reasons (a test
// layout, a station that handles it), so the help only says what will happen. Address 0 (unused)
// gets no warning and never counts as a duplicate.

#include "help/RowValues.h"

#include <string>
#include <vector>

namespace hq {

enum class HelpWarningKind {
    OutOfRange,          // address or function outside what the firmware stores
    BroadcastAddress,    // DCC accessory 2041..2044: decoder 511, obeyed by every decoder
    BeyondLongAddresses, // DCC vehicle above 10239
    SameAddress,         // another shown row reacts to the same command
};

struct HelpWarning {
    HelpWarningKind kind = HelpWarningKind::OutOfRange;
    std::string text;
    std::vector<int> rows; // SameAddress: the other rows, ascending
};

// The other shown rows (1..31) with the same non-zero address and the same colour (accessory) or
// the same function (vehicle). Empty for firmware without a decoder type.
std::vector<int> sameAddressRows(DecoderType type, const RowTable& rows, int row);

// "Zeile 3", "Zeilen 3 und 7", "Zeilen 3, 7 und 20".
std::string rowListText(const std::vector<int>& rows);

// Every warning for row 0..31, in the order out of range, broadcast, beyond long addresses, same
// address.
std::vector<HelpWarning> rowWarnings(Protocol protocol, DecoderType type, const RowTable& rows, int row);

} // namespace hq

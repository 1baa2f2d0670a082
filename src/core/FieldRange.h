#pragma once
// The check every typed number of the grid goes through before it is saved: the extra value, the
// addresses and the function numbers. The text is converted first; only a field that belongs to the
// firmware (it has a caption) is then held against its range.

#include <string_view>

namespace hq {

enum class FieldVerdict { Valid, NotANumber, TooSmall, TooLarge };

struct FieldReading {
    FieldVerdict verdict = FieldVerdict::Valid;
    int value = 0; // the converted number; meaningful unless NotANumber
};

// `text` against lowest..highest; with `checkRange` false any integer is valid.
FieldReading readNumberField(std::string_view text, int lowest, int highest, bool checkRange);

} // namespace hq

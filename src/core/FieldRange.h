#pragma once
// The check every typed number of the grid goes through before it is saved: the extra value, the
// addresses and the function numbers. A field that holds no number is refused first; only a field that
// belongs to the firmware (it has a caption) is then held against its range.

#include "FieldValue.h"

namespace hq {

enum class FieldVerdict { Valid, NotANumber, TooSmall, TooLarge };

struct FieldReading {
    FieldVerdict verdict = FieldVerdict::Valid;
    int value = 0; // the converted number; meaningful unless NotANumber
};

// `field` against lowest..highest; with `checkRange` false any number is valid.
FieldReading readNumberField(const FieldValue& field, int lowest, int highest, bool checkRange);

} // namespace hq

#pragma once
// The address, red/green choice and function of every output row as the editor holds them, saved
// or not: the address help reads these values, never the grid texts or the file.

#include "image/OutputDecoder.h"
#include "image/Recognition.h"

#include <array>

namespace hq {

struct RowValues {
    int address = 0;  // 0 is unused
    int redGreen = 0; // accessory rows: 1 green, 0 red
    int function = 0; // vehicle rows: MM 1..4, DCC 1..12
    bool shown = false;
};

using RowTable = std::array<RowValues, kRowCount>;

// Rows 1..31 with a caption are shown unless the firmware's status reads "ohne"; row 0 never is.
bool rowShown(const Recognition& recognition, int row);

// The loaded values of every row, each marked shown as the grid shows it.
RowTable rowValuesFrom(const Parameters& parameters, const Recognition& recognition);

} // namespace hq

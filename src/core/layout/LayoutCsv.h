#pragma once
// The address index as CSV for a spreadsheet: a header row, UTF-8 with a byte-order mark (so a
// spreadsheet program takes the umlauts as UTF-8), fields separated by semicolons as German
// spreadsheets expect, CR LF line ends.

#include "layout/Layout.h"

#include <string>

namespace hq {

// One line per entry of the address index, with its decoder's facts, the clashes it is a party
// of and the row's warnings. Text that a spreadsheet would take for a formula (starting with =,
// +, -, @) gets a leading apostrophe.
std::string layoutCsvText(const LayoutScan& scan);

} // namespace hq

#pragma once
// One decoder of the layout as its loaded firmware shows it: the rows the window shows with the
// address help of each (headline, numbering, warnings), what the servo, blink and LED firmwares do
// on each address, and the decoder's own facts and warnings.

#include "image/Firmware.h"
#include "layout/Layout.h"

#include <string>

namespace hq {

// `file` is the name relative to the layout folder. Name and note stay empty (they come from
// anlage.json). A firmware without protocol has no rows and says so in its warnings.
LayoutDecoder layoutDecoder(const Firmware& firmware, std::string file);

} // namespace hq

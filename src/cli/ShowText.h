#pragma once
// The human-readable form of `show`: what the window shows after "HEX laden", with the decoder and
// output (or the CVs) of every row and the rows' warnings below the table.

#include "image/Firmware.h"

#include <string>

namespace hq {

// `fileName` is shown as given, byte for byte.
std::string showText(const Firmware& firmware, const std::string& fileName);

} // namespace hq

#pragma once
// The one step of a series that writes addresses into a firmware: a copy of the template with
// every used address moved. It goes through the settings model and its checks, exactly as
// "HEX speichern" writes a file, and is the only place to change when that model changes.

#include "Result.h"
#include "image/Firmware.h"

#include <string>

namespace hq {

// The text of a new HEX file: `firmware` with the address of every shown row that is not 0 moved
// by `shift`; everything else stays as the template holds it. Refused with the save's German
// message when an address does not fit.
Result<std::string> shiftedCopyText(const Firmware& firmware, int shift);

} // namespace hq

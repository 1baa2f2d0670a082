#pragma once
// The neon function decoder keeps its HELL level in EEPROM byte 0x21, which is also the third code
// byte of row 1, and a save writes the row codes after the neon values. So a save can leave another
// HELL in the file than the one the user asked for: when HELL is typed, and just as well when only
// row 1 changes (its address for DCC, its function number for MM) and HELL is left alone. This
// judges a save by what it wrote, for the window's question and for the refusal of `apply`.

#include "image/Firmware.h"
#include "settings/FirmwareSettings.h"

#include <optional>

namespace hq {

// The conflict after saving `settings` over a firmware whose own settings are `input`: `applied` is
// the firmware as the save left it. The level asked for is the one in `settings` (typed, or the
// input's when HELL was left alone); nothing when the file holds it, for firmwares without the neon
// panel, and where the HELL byte was no hex byte in the input and nothing was typed.
std::optional<NeonHellConflict> neonHellAfterSave(const Firmware& applied, const FirmwareSettings& input,
                                                  const FirmwareSettings& settings);

} // namespace hq

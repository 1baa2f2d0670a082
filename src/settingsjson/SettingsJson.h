#pragma once
// The firmware and its settings as JSON text, and settings JSON taken back: the one serializer of
// `hexquendra-cli show --json`, `show --settings` and `apply`, and of the window's settings export.
// Qt-free; the sections live one per file (JsonSection.h), this is their whole outside interface.

#include "Result.h"
#include "image/Firmware.h"
#include "settings/FirmwareSettings.h"

#include <string>
#include <string_view>

namespace hq {

// `show --json`: firmware, outputs (with the address help: decoder and port of accessory rows, the
// CVs of DCC vehicle rows, the warnings of every row), extra, eeprom, program_table (servo, blink
// and LED kinds) and the editor sections servo/blink/led/neon/house. Four-space indentation, keys
// in alphabetical order, a line end at the end.
std::string firmwareJsonText(const Firmware& firmware);

// `show --settings`: only what a user sets — firmware (to name the kind), outputs, extra and the
// editor sections, all taken from `settings` (which may hold edits not saved yet), without the
// address help, eeprom and program_table. `apply` takes it onto another file of the same kind.
std::string settingsJsonText(const Firmware& firmware, const FirmwareSettings& settings);

// The settings JSON `json` taken onto `base` (the settings shown for `firmware`, usually
// readSettings(firmware)): program_table first, then the editor sections, the rows and the extra
// value. Editor values are taken only where they differ from `base`, so an unchanged section never
// undoes an edited program_table; rows left out keep their values; unknown keys are passed over.
// Refused with a German message: text that is no JSON object, anything but whitespace after it (a
// NUL byte as well), a key given twice in one object, a value of the wrong shape ("Einstellungen:
// …"), settings of another firmware kind, and an unrecognised firmware. A UTF-8 byte-order mark
// before the JSON is passed over.
Result<FirmwareSettings> settingsFromJsonText(const Firmware& firmware, const FirmwareSettings& base,
                                              std::string_view json);

} // namespace hq

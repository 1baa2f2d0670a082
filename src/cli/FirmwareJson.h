#pragma once
// The firmware as JSON (`show --json`) and settings in the same shape taken back (`apply`).

#include "Result.h"
#include "image/Firmware.h"

#include <QJsonObject>

#include <string_view>

namespace hq {

// One key per section: "firmware", "outputs", "extra", "eeprom"; for the servo, blink and LED kinds
// "program_table"; and the editors' own "servo", "blink", "led", "neon" and "house".
QJsonObject firmwareJson(const Firmware& firmware);

// Takes the settings into the firmware: program tables as the editor writes them, then the rows
// and the extra value through the validation and encoding of "HEX speichern". Unknown keys are
// ignored. On any refusal the German message is returned and `firmware` is left as it was.
Status applySettings(Firmware& firmware, const QJsonObject& settings);

// The same from JSON text; text that is no JSON object is refused.
Status applySettingsText(Firmware& firmware, std::string_view json);

} // namespace hq

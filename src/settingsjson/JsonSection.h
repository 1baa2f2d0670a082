#pragma once
// One key of the firmware JSON: what `show --json` and `show --settings` write under it and how
// `apply` takes it back into the settings. A new section is a file of its own with one accessor,
// listed in JsonSections.cpp; its show and apply live in a namespace named after the key, as the
// sources are compiled in batches.

#include "JsonValues.h"
#include "Result.h"
#include "image/Firmware.h"
#include "settings/FirmwareSettings.h"

#include <optional>
#include <span>

namespace hq {

// Which output is being written: the whole firmware (`show --json`) or only the settings
// (`show --settings`), which leaves out what a user cannot set and the address help.
enum class JsonForm { Firmware, Settings };

struct ShowSource {
    const Firmware& firmware;
    const FirmwareSettings& settings; // readSettings(firmware) for JsonForm::Firmware
    JsonForm form = JsonForm::Firmware;
};

// What `apply` changes: a copy of the settings shown, compared with them where a section takes only
// the values that differ.
struct SettingsTarget {
    const Firmware& firmware;
    // The settings the JSON was shown for: the editor sections take only values that differ from
    // these, so that their unchanged values do not undo an edited "program_table".
    const FirmwareSettings& base;
    FirmwareSettings& settings;
};

struct JsonSection {
    const char* key;
    // The section's value; nothing leaves the key out.
    std::optional<Json> (*show)(const ShowSource& source);
    // Takes the section's value into `target` or refuses it with a German message; not called when
    // the key is missing. Null for sections that `apply` ignores.
    Status (*apply)(const Json& value, SettingsTarget& target);
};

// The sections in the order `apply` takes them.
std::span<const JsonSection> jsonSections();

const JsonSection& firmwareSection();
const JsonSection& programTableSection();
const JsonSection& outputsSection();
const JsonSection& extraSection();
const JsonSection& eepromSection();
const JsonSection& servoSection();
const JsonSection& blinkSection();
const JsonSection& ledSection();
const JsonSection& neonSection();
const JsonSection& houseSection();

} // namespace hq

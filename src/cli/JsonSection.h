#pragma once
// One key of the firmware JSON: what `show --json` writes under it and how `apply` takes it back.
// A new section is a file of its own with one accessor, listed in JsonSections.cpp.

#include "Result.h"
#include "encode/SaveEncoder.h"
#include "image/Firmware.h"

#include <QJsonValue>

#include <span>

namespace hq {

// What `apply` changes: the loaded firmware (red/green flags, program tables) and the texts that
// then go through the validation of "HEX speichern".
struct SettingsTarget {
    Firmware& firmware;
    GridTexts& texts;
    // The firmware as loaded, before any section changed it: what `show --json` printed. The editor
    // sections take only the values that differ from it, so that their unchanged values do not undo
    // an edited "program_table".
    const Firmware loaded = firmware;
};

struct JsonSection {
    const char* key;
    // The section's value for `show --json`.
    QJsonValue (*show)(const Firmware& firmware);
    // Takes the section's value into `target` or refuses it with a German message; not called when
    // the key is missing. Null for sections that `apply` ignores.
    Status (*apply)(const QJsonValue& value, SettingsTarget& target);
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

#pragma once
// Everything a user can change in one loaded firmware, as one value: per row the address, the
// function number and the red/green choice, the extra value, and for the
// firmwares with a special editor the servo working copy, the blink or LED pattern table, the neon
// levels and delay, or the house-light minimum.
//
// The window's document, `hexquendra-cli show` and `apply`, and the fuzzers all go through this
// type: it is read from a loaded firmware, compared, listed as differences, and applied back with the
// checks and messages of "HEX speichern".

#include "FieldValue.h"
#include "Result.h"
#include "encode/ProgramTable.h"
#include "encode/SaveEncoder.h"
#include "image/Firmware.h"
#include "light/PatternLayout.h"
#include "servo/ServoWorkingCopy.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace hq {

// Numbers compare as numbers ("05" is 5); a field whose text is no number holds that text until a
// save refuses it. A row whose values are still those read keeps its bytes as read when saved.
struct RowSetting {
    FieldValue address;
    FieldValue function; // function decoders
    int redGreen = 1;    // accessory decoders: 1 green, 0 red

    friend bool operator==(const RowSetting&, const RowSetting&) = default;
};

// The blink or LED firmware's pattern table. Only the entries the firmware's table writer stores
// take part in comparisons (the blink firmware never stores entry 255).
struct PatternSetting {
    const PatternLayout* layout = nullptr;
    ProgramTable table{};

    friend bool operator==(const PatternSetting& a, const PatternSetting& b);
};

// The neon function decoder's values as its panel shows them: levels 0..255, the delay in units of
// 0.5 s; nothing where the EEPROM byte is no hex byte.
struct NeonSetting {
    std::optional<int> hell;
    std::optional<int> dunkel;
    std::optional<int> delay;

    friend bool operator==(const NeonSetting&, const NeonSetting&) = default;
};

struct HouseSetting {
    std::optional<int> minimum; // 1..9; nothing where the EEPROM byte is no hex byte

    friend bool operator==(const HouseSetting&, const HouseSetting&) = default;
};

struct FirmwareSettings {
    std::array<RowSetting, kRowCount> rows;
    FieldValue extra;
    std::optional<ServoWorkingCopy> servo;  // the servo firmware
    std::optional<PatternSetting> patterns; // the blink and the LED firmware
    std::optional<NeonSetting> neon;        // the neon function decoder
    std::optional<HouseSetting> house;      // the house-lighting firmware

    friend bool operator==(const FirmwareSettings&, const FirmwareSettings&) = default;
};

// The settings as the loaded firmware holds them (as the window shows them after loading).
FirmwareSettings readSettings(const Firmware& firmware);
// Row `row` (0..31) as the loaded firmware holds it: the row of `readSettings` without the rest.
RowSetting readRowSetting(const Firmware& firmware, int row);

// The pattern layout of a firmware's editor, or null for firmwares without a pattern editor.
const PatternLayout* patternLayoutFor(Panel panel);

// What one save would do with a neon HELL level that the file cannot hold: EEPROM byte 0x21 is both
// HELL and the third code byte of row 1, and the row codes are written after the neon values.
struct NeonHellConflict {
    int asked = 0;       // the level asked for (clamped to 0..255): typed, or the file's own
    int stored = 0;      // the level the saved file will hold
    std::string message; // German, naming both values and why
};

struct ApplyOptions {
    // Save even when the file cannot hold the HELL level asked for (the user agreed to it).
    bool acceptStoredHell = false;
};

// The outcome of a refused apply: the German message, its kind and, for the grid checks, the field
// to put the focus on.
struct ApplyProblem {
    std::string message;
    ErrorKind kind = ErrorKind::Refused;
    FocusField field = FocusField::None;
    int row = 0;
};

// Takes the settings into the firmware as "HEX speichern" does: the editor tables that differ from
// the firmware's are written (servo blocks 3 and 4 with the pulse timing, the pattern blocks), the
// neon and house values that differ are stored, then the grid is checked in the window's order and
// encoded into the EEPROM records. On any problem the firmware is left exactly as it was. A HELL
// level the file cannot hold is refused unless `options.acceptStoredHell`.
std::optional<ApplyProblem> applySettings(Firmware& firmware, const FirmwareSettings& settings,
                                          const ApplyOptions& options = {});

// The HELL conflict saving these settings would run into, if any: the saved file would hold another
// HELL than the one in `settings` (typed, or the file's own when HELL was left alone and row 1
// changed). Nothing for other firmwares, when the file holds what was asked, or when the save stops
// earlier with a message of its own.
std::optional<NeonHellConflict> neonHellConflict(const Firmware& firmware, const FirmwareSettings& settings);

// One difference between two settings of the same firmware, for lists a user reads.
struct SettingsChange {
    enum class Area { Row, Extra, Servo, Patterns, Neon, House };
    Area area = Area::Row;
    int row = 0;        // the grid row for Area::Row
    std::string where;  // "Weiche 1 – Adresse", "Kurve 2", "Adresse 3 (Muster)", "Licht-Stufe HELL"
    std::string before; // the value in `from`; empty for editor tables
    std::string after;  // the value in `to`; for editor tables what changed ("Punkte, Anzahl")
    // Why the firmware would refuse `after` ("zu gross, gültig 0 bis 320 bei MM"); empty when it
    // takes it.
    std::string problem;

    // One German line: "Weiche 1 – Adresse: 5 → 7", or "Kurve 2: Punkte, Anzahl geändert"; a value
    // the save would refuse is marked with its problem.
    std::string text() const;
};

// Every difference from `from` to `to`, in the order of the window: rows, extra value, then the
// editor's values. Both must belong to `firmware`'s kind.
std::vector<SettingsChange> settingsChanges(const Firmware& firmware, const FirmwareSettings& from,
                                            const FirmwareSettings& to);

} // namespace hq

#pragma once
// "HEX speichern": validation of the grid values, row codes, the 16 EEPROM records and their
// replacement in the line table.

#include "FieldValue.h"
#include "Result.h"
#include "image/Firmware.h"

#include <array>
#include <optional>
#include <string>

namespace hq {

// What the grid holds, row 0..31, and the extra value field.
struct GridValues {
    std::array<FieldValue, kRowCount> address;
    std::array<FieldValue, kRowCount> function;
    std::array<int, kRowCount> redGreen{}; // 1 green, 0 red
    FieldValue extra;
};

// The values of loaded parameters.
GridValues gridValuesFor(const Parameters& parameters);

enum class FocusField { None, Extra, Address, Function };

struct SaveProblem {
    std::string message;
    FocusField field = FocusField::None;
    int row = 0;
};

// Checks the values in the order the window reports them and returns the first problem, or the
// parameters they make (loaded codes taken from `firmware`).
std::optional<SaveProblem> validateGrid(const Firmware& firmware, const GridValues& grid, Parameters& values);

// The six code digits of one row (MM/DCC, Schalt/Fahrzeug); `row.functionCode` is updated.
std::string encodeRowCode(const Recognition& recognition, OutputRow& row);

// The 16 records ":10420000" .. ":1042F000" of the EEPROM.
Result<std::array<std::string, 16>> buildEepromRecords(const EepromImage& eeprom);

// Replaces each ":1042x000" line by the new record of the same address, in place, and inserts the
// missing ones after the last EEPROM record (before the end-of-file record if there is none), in
// address order. Refused when the file holds EEPROM data in another layout or the table is full.
Status replaceEepromRecords(HexImage& image, const std::array<std::string, 16>& records);

// Validation, row codes, extra value, records and replacement. A row whose address, red/green choice
// and function are what `firmware` decoded keeps its code bytes as read: nothing the user did not
// touch is rewritten, so a row whose bytes stand for no address (or that came from a broken record)
// is not wiped by a save. On a problem the firmware is left exactly as it was.
std::optional<SaveProblem> applyGrid(Firmware& firmware, const GridValues& grid);

} // namespace hq

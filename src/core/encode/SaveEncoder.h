#pragma once
// "HEX speichern": validation of the grid texts, row codes, the 16 EEPROM records and their
// replacement in the line table.

#include "Result.h"
#include "image/Firmware.h"

#include <array>
#include <optional>
#include <string>

namespace hq {

// What the user typed into the grid, row 0..31, and into the extra value field.
struct GridTexts {
    std::array<std::string, kRowCount> address;
    std::array<std::string, kRowCount> function;
    std::string extra;
};

// The texts the window shows for loaded parameters.
GridTexts gridTextsFor(const Parameters& parameters);

enum class FocusField { None, Extra, Address, Function };

struct SaveProblem {
    std::string message;
    FocusField field = FocusField::None;
    int row = 0;
};

// Checks the texts in the order the window reports them and returns the first problem, or the
// converted values (red/green flags and loaded codes taken from `firmware`).
std::optional<SaveProblem> validateGrid(const Firmware& firmware, const GridTexts& texts, Parameters& values);

// The six code digits of one row (MM/DCC, Schalt/Fahrzeug); `row.functionCode` is updated.
std::string encodeRowCode(const Recognition& recognition, OutputRow& row);

// The 16 records ":10420000" .. ":1042F000" of the EEPROM.
Result<std::array<std::string, 16>> buildEepromRecords(const EepromImage& eeprom);

// Replaces each ":1042x000" line by the new record of the same address, in place, and inserts the
// missing ones after the last EEPROM record (before the end-of-file record if there is none), in
// address order. Refused when the file holds EEPROM data in another layout or the table is full.
Status replaceEepromRecords(HexImage& image, const std::array<std::string, 16>& records);

// Validation, row codes, extra value, records and replacement. On a problem the firmware is left
// exactly as it was.
std::optional<SaveProblem> applyGrid(Firmware& firmware, const GridTexts& texts);

} // namespace hq

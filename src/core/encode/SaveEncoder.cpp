#include "encode/SaveEncoder.h"

#include "FieldRange.h"

namespace hq {

namespace {

std::string quoted(const std::string& caption) {
    return "<" + caption + ">";
}

SaveProblem problem(std::string message, FocusField field, int row = 0) {
    return {std::move(message), field, row};
}

// The three messages of one kind of field: no number, below and above its range.
struct FieldMessages {
    const char* notANumber;
    const char* tooSmall;
    const char* tooLarge;
};

constexpr FieldMessages kExtraMessages{"Ungültige Eingabe für ", "Wert für ", "Wert für "};
constexpr FieldMessages kAddressMessages{"Ungültige Eingabe für ", "Adresse für ", "Adresse für "};
constexpr FieldMessages kFunctionMessages{"Ungültige Eingabe Funktion von ", "Funktions-Nummer für ",
                                          "Funktions-Nummer für "};

// The German message of a field that did not pass, or nothing.
std::optional<std::string> fieldMessage(const FieldReading& reading, const FieldMessages& messages,
                                        const std::string& caption) {
    switch (reading.verdict) {
    case FieldVerdict::NotANumber:
        return messages.notANumber + quoted(caption) + " ";
    case FieldVerdict::TooSmall:
        return messages.tooSmall + quoted(caption) + " ist zu klein";
    case FieldVerdict::TooLarge:
        return messages.tooLarge + quoted(caption) + " ist zu gross";
    case FieldVerdict::Valid:
        break;
    }
    return std::nullopt;
}

// A function number 0 has no code, so saving it would silently keep the old function byte: it is
// taken only where the row already showed 0 when loaded (a byte that is no function code), which
// then saves unchanged.
FieldReading checkFunctionZero(FieldReading reading, bool captioned, int loadedFunction) {
    if (captioned && reading.verdict == FieldVerdict::Valid && reading.value == 0 && loadedFunction != 0)
        reading.verdict = FieldVerdict::TooSmall;
    return reading;
}

// The function numbers of all rows, checked after the address of row 0.
std::optional<SaveProblem> checkFunctions(const Recognition& recognition, const GridValues& grid,
                                          const Parameters& loaded, Parameters& values) {
    for (int r = 0; r < kRowCount; ++r) {
        const std::string& caption = recognition.rowCaption(r);
        const bool captioned = !caption.empty();
        FieldReading reading =
            checkFunctionZero(readNumberField(grid.function[r], 0, recognition.maxFunction, captioned),
                              captioned, loaded.rows[r].function);
        if (auto message = fieldMessage(reading, kFunctionMessages, caption))
            return problem(*message, FocusField::Function, r);
        values.rows[r].function = reading.value;
    }
    return std::nullopt;
}

bool sameValues(const OutputRow& a, const OutputRow& b) {
    return a.address == b.address && a.redGreen == b.redGreen && a.function == b.function;
}

} // namespace

GridValues gridValuesFor(const Parameters& parameters) {
    GridValues grid;
    for (int r = 0; r < kRowCount; ++r) {
        grid.address[r] = parameters.rows[r].address;
        grid.function[r] = parameters.rows[r].function;
        grid.redGreen[r] = parameters.rows[r].redGreen;
    }
    grid.extra = parameters.extraValue;
    return grid;
}

std::optional<SaveProblem> validateGrid(const Firmware& firmware, const GridValues& grid,
                                        Parameters& values) {
    const Recognition& recognition = firmware.recognition;
    values = firmware.parameters;

    const auto& extra = recognition.extra();
    std::string extraCaption = extra ? std::string{extra->caption} : std::string{};
    int extraMaximum = extra ? extra->maximum : 255;
    FieldReading extraValue = readNumberField(grid.extra, 0, extraMaximum, !extraCaption.empty());
    if (auto message = fieldMessage(extraValue, kExtraMessages, extraCaption))
        return problem(*message, FocusField::Extra);
    values.extraValue = extraValue.value;

    for (int r = 0; r < kRowCount; ++r) {
        const std::string& caption = recognition.rowCaption(r);
        FieldReading address = readNumberField(grid.address[r], 0, recognition.maxAddress, !caption.empty());
        if (auto message = fieldMessage(address, kAddressMessages, caption))
            return problem(*message, FocusField::Address, r);
        values.rows[r].address = address.value;
        values.rows[r].redGreen = grid.redGreen[r];
        if (r == 0 && recognition.type == DecoderType::Fahrzeug) {
            if (auto failure = checkFunctions(recognition, grid, firmware.parameters, values))
                return failure;
        }
    }
    return std::nullopt;
}

std::string encodeRowCode(const Recognition& recognition, OutputRow& row) {
    return recognition.rowCodec().encode(row);
}

std::optional<SaveProblem> applyGrid(Firmware& firmware, const GridValues& grid) {
    Parameters values;
    if (auto failure = validateGrid(firmware, grid, values))
        return failure;

    const Recognition& recognition = firmware.recognition;
    EepromImage eeprom = firmware.eeprom();
    if (recognition.extra())
        eeprom.setValue(kExtraValueByte, values.extraValue);
    for (int r = 0; r < kRowCount; ++r) {
        if (recognition.rowCaption(r).empty())
            continue;
        OutputRow& row = values.rows[r];
        const OutputRow& loaded = firmware.parameters.rows[r];
        // An untouched row gets its bytes as read back, also over a neon level stored into a byte it
        // shares: the row's address never changes behind the user's back.
        row.outputCode = sameValues(row, loaded) ? loaded.outputCode : encodeRowCode(recognition, row);
        auto bytes = rowByteIndexes(r);
        for (int b = 0; b < 3; ++b)
            eeprom.bytes[bytes[b]] = row.outputCode.substr(static_cast<std::size_t>(2 * b), 2);
    }

    auto records = buildEepromRecords(eeprom);
    if (!records)
        return problem(records.message(), FocusField::None);
    HexImage image = firmware.image;
    if (Status replaced = replaceEepromRecords(image, *records); !replaced)
        return problem(replaced.message(), FocusField::None);

    firmware.image = std::move(image);
    firmware.eeprom() = std::move(eeprom);
    firmware.parameters = std::move(values);
    return std::nullopt;
}

} // namespace hq

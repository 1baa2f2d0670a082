#include "encode/SaveEncoder.h"

#include "ParseInteger.h"
#include "encode/CodeTables.h"
#include "image/HexByte.h"

namespace hq {

namespace {

std::string quoted(const std::string& caption) {
    return "<" + caption + ">";
}

SaveProblem problem(std::string message, FocusField field, int row = 0) {
    return {std::move(message), field, row};
}

// The function numbers of all rows, checked after the address of row 0.
std::optional<SaveProblem> checkFunctions(const Recognition& recognition, const GridTexts& texts,
                                          Parameters& values) {
    for (int r = 0; r < kRowCount; ++r) {
        const std::string& caption = recognition.rowCaption(r);
        auto function = parseInteger(texts.function[r]);
        if (!function)
            return problem("Ungültige Eingabe Funktion von " + quoted(caption) + " ", FocusField::Function,
                           r);
        if (!caption.empty() && *function < 0)
            return problem("Funktions-Nummer für " + quoted(caption) + " ist zu klein", FocusField::Function,
                           r);
        if (!caption.empty() && *function > recognition.maxFunction)
            return problem("Funktions-Nummer für " + quoted(caption) + " ist zu gross", FocusField::Function,
                           r);
        values.rows[r].function = *function;
    }
    return std::nullopt;
}

} // namespace

GridTexts gridTextsFor(const Parameters& parameters) {
    GridTexts texts;
    for (int r = 0; r < kRowCount; ++r) {
        texts.address[r] = std::to_string(parameters.rows[r].address);
        texts.function[r] = std::to_string(parameters.rows[r].function);
    }
    texts.extra = std::to_string(parameters.extraValue);
    return texts;
}

std::optional<SaveProblem> validateGrid(const Firmware& firmware, const GridTexts& texts,
                                        Parameters& values) {
    const Recognition& recognition = firmware.recognition;
    values = firmware.parameters;

    const auto& extra = recognition.extra();
    std::string extraCaption = extra ? std::string{extra->caption} : std::string{};
    int extraMaximum = extra ? extra->maximum : 255;
    auto extraValue = parseInteger(texts.extra);
    if (!extraValue)
        return problem("Ungültige Eingabe für " + quoted(extraCaption) + " ", FocusField::Extra);
    if (!extraCaption.empty() && *extraValue < 0)
        return problem("Wert für " + quoted(extraCaption) + " ist zu klein", FocusField::Extra);
    if (!extraCaption.empty() && *extraValue > extraMaximum)
        return problem("Wert für " + quoted(extraCaption) + " ist zu gross", FocusField::Extra);
    values.extraValue = *extraValue;

    for (int r = 0; r < kRowCount; ++r) {
        const std::string& caption = recognition.rowCaption(r);
        auto address = parseInteger(texts.address[r]);
        if (!address)
            return problem("Ungültige Eingabe für " + quoted(caption) + " ", FocusField::Address, r);
        if (!caption.empty() && *address < 0)
            return problem("Adresse für " + quoted(caption) + " ist zu klein", FocusField::Address, r);
        if (!caption.empty() && *address > recognition.maxAddress)
            return problem("Adresse für " + quoted(caption) + " ist zu gross", FocusField::Address, r);
        values.rows[r].address = *address;
        if (r == 0 && recognition.type == DecoderType::Fahrzeug) {
            if (auto failure = checkFunctions(recognition, texts, values))
                return failure;
        }
    }
    return std::nullopt;
}

std::string encodeRowCode(const Recognition& recognition, OutputRow& row) {
    const int a = row.address;
    if (recognition.protocol == Protocol::MM && recognition.type == DecoderType::Schalt) {
        std::string code = mmAccessoryTable().codes[a];
        return row.redGreen != 1 ? mmRedGreenVariant(code) : code;
    }
    if (recognition.protocol == Protocol::DCC && recognition.type == DecoderType::Schalt) {
        if (a == 0)
            return "FFFFFF"; // erased: no accessory command matches it
        std::string code = dccAccessoryTable().codes[a];
        return row.redGreen != 0 ? dccRedGreenVariant(code) : code;
    }
    if (recognition.protocol == Protocol::MM && recognition.type == DecoderType::Fahrzeug) {
        if (auto code = mmFunctionCode(row.function); !code.empty())
            row.functionCode = code;
        std::string vehicle = a == 0 ? std::string{"FFFF"} : mmVehicleTable().codes[a];
        return vehicle + row.functionCode;
    }
    if (recognition.protocol == Protocol::DCC && recognition.type == DecoderType::Fahrzeug) {
        int low = a % 256;
        int high = a / 256;
        if (low > 127 || high > 0)
            high += 192;
        if (auto code = dccFunctionCode(row.function); !code.empty())
            row.functionCode = code;
        return row.functionCode + byteHexText(low) + byteHexText(high);
    }
    return row.outputCode; // no protocol: the loaded bytes stay
}

std::optional<SaveProblem> applyGrid(Firmware& firmware, const GridTexts& texts) {
    Parameters values;
    if (auto failure = validateGrid(firmware, texts, values))
        return failure;

    const Recognition& recognition = firmware.recognition;
    EepromImage eeprom = firmware.eeprom();
    if (recognition.extra())
        eeprom.setValue(kExtraValueByte, values.extraValue);
    for (int r = 0; r < kRowCount; ++r) {
        if (recognition.rowCaption(r).empty())
            continue;
        OutputRow& row = values.rows[r];
        row.outputCode = encodeRowCode(recognition, row);
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

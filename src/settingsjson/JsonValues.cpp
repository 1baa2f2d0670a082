// Numbers are taken as doubles first, as every JSON reader may hold them, so that 5 and 5.0 are
// the same value and the range checks see what the user wrote.

#include "JsonValues.h"

#include "ParseInteger.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace hq {

const Json* member(const Json& object, std::string_view key) {
    if (!object.is_object())
        return nullptr;
    auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

std::optional<int> jsonInteger(const Json& value) {
    if (!value.is_number())
        return std::nullopt;
    const double number = value.get<double>();
    if (std::trunc(number) != number || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(number);
}

namespace {

std::optional<std::string> jsonFieldText(const Json& value) {
    if (value.is_string())
        return value.get<std::string>();
    if (!value.is_number())
        return std::nullopt;
    const double number = value.get<double>();
    // Integral numbers as the user would type them (also those beyond int, which validation then
    // refuses like any other text); fractions as they are written.
    if (std::trunc(number) == number && std::fabs(number) < 1e15)
        return std::to_string(static_cast<long long>(number));
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", number);
    return std::string{text};
}

} // namespace

std::optional<FieldValue> jsonFieldValue(const Json& value) {
    std::optional<std::string> text = jsonFieldText(value);
    if (!text)
        return std::nullopt;
    return FieldValue::fromText(*text);
}

Json fieldValueJson(const FieldValue& value) {
    if (std::optional<int> number = value.number())
        return *number;
    return value.text();
}

std::string quotedKey(std::string_view key) {
    return "\"" + std::string{key} + "\"";
}

std::string settingsProblem(std::string_view text) {
    return "Einstellungen: " + std::string{text};
}

Error settingsError(std::string_view text) {
    return Error{settingsProblem(text), ErrorKind::Refused};
}

} // namespace hq

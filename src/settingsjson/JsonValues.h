#pragma once
// Single values of the settings JSON: reading numbers and field texts as the edit fields take
// them, writing field texts back, and the "Einstellungen: " prefix of every shape refusal.

#include "FieldValue.h"
#include "Result.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace hq {

// Objects keep their keys sorted, so the output lists them alphabetically.
using Json = nlohmann::json;

// The member `key` of `object`, or null when `object` is no object or has no such key.
const Json* member(const Json& object, std::string_view key);

// A missing key and null both keep the value they would set.
inline bool absent(const Json* value) {
    return value == nullptr || value->is_null();
}

// An integral JSON number within the int range (5.0 counts; 5.5 and 3e9 do not).
std::optional<int> jsonInteger(const Json& value);

// The value an edit field would hold for a string typed into it or a number. Nothing for other
// JSON types.
std::optional<FieldValue> jsonFieldValue(const Json& value);

// A field value for the output: its number, or the text it holds where that is no number, so that
// taking it back gives the same value.
Json fieldValueJson(const FieldValue& value);

// "\"key\"".
std::string quotedKey(std::string_view key);

// "Einstellungen: " + text, the prefix of every refusal of the settings' shape.
std::string settingsProblem(std::string_view text);
Error settingsError(std::string_view text);

} // namespace hq

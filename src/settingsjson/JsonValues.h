#pragma once
// Single values of the settings JSON: reading numbers and field texts as the edit fields take
// them, writing field texts back, and the "Einstellungen: " prefix of every shape refusal.

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

// The text an edit field would hold: a string as it is typed, a number in decimal. Nothing for
// other JSON types.
std::optional<std::string> jsonFieldText(const Json& value);

// A field text for the output: a number where the text is one written the usual way ("17"), the
// text itself otherwise ("017", "abc"), so that taking it back gives the same text.
Json fieldTextJson(const std::string& text);

// "\"key\"".
std::string quotedKey(std::string_view key);

// "Einstellungen: " + text, the prefix of every refusal of the settings' shape.
std::string settingsProblem(std::string_view text);
Error settingsError(std::string_view text);

} // namespace hq

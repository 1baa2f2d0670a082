#pragma once
// Reading the editor sections of the settings ("servo", "blink", "led", "neon", "house"): a missing
// key or null keeps the value shown, a value of the wrong type is refused with a German message that
// names the key and where it sits ("\"count\" von Kurve 2 in \"servo\"").

#include "JsonValues.h"
#include "Result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hq {

// The section's value as an object, or the refusal "\"servo\" muss ein Objekt oder null sein.".
Result<const Json*> sectionObject(const Json& value, std::string_view section);

// An integral number under `key` of `object`; `place` says where the object sits.
Result<std::optional<int>> integerField(const Json& object, std::string_view key, std::string_view place);
// true or false.
Result<std::optional<bool>> switchField(const Json& object, std::string_view key, std::string_view place);
// A string.
Result<std::optional<std::string>> textField(const Json& object, std::string_view key,
                                             std::string_view place);
// An object.
Result<const Json*> objectField(const Json& object, std::string_view key, std::string_view place);

struct NumberedEntry {
    int number = 0;
    const Json* object = nullptr;
};

// The list under `listKey`: objects that each name their item by `numberKey` (1..highest), every
// item at most once. Missing or null gives no entries.
Result<std::vector<NumberedEntry>> numberedEntries(const Json& object, std::string_view listKey,
                                                   std::string_view numberKey, int highest,
                                                   std::string_view place);

// The list under `key` as it is: missing or null gives an empty list.
Result<std::vector<const Json*>> listField(const Json& object, std::string_view key, std::string_view place);

} // namespace hq

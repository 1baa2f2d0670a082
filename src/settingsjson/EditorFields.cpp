// The messages name the key and its place from the outside in, so a user finds the value in a long
// `show --json` output: "\"relay\" von Punkt 1 (gezählt ab 0) von Kurve 1 in \"servo\"".

#include "EditorFields.h"

namespace hq {

namespace {

// "\"count\" von Kurve 2 in \"servo\" muss eine ganze Zahl sein."
Error fieldProblem(std::string_view key, std::string_view place, std::string_view demand) {
    return settingsError(quotedKey(key) + " von " + std::string{place} + " " + std::string{demand} + ".");
}

} // namespace

Result<const Json*> sectionObject(const Json& value, std::string_view section) {
    if (!value.is_object())
        return settingsError(quotedKey(section) + " muss ein Objekt oder null sein.");
    return &value;
}

Result<std::optional<int>> integerField(const Json& object, std::string_view key, std::string_view place) {
    const Json* value = member(object, key);
    if (absent(value))
        return std::optional<int>{};
    auto number = jsonInteger(*value);
    if (!number)
        return fieldProblem(key, place, "muss eine ganze Zahl sein");
    return std::optional<int>{*number};
}

Result<std::optional<bool>> switchField(const Json& object, std::string_view key, std::string_view place) {
    const Json* value = member(object, key);
    if (absent(value))
        return std::optional<bool>{};
    if (!value->is_boolean())
        return fieldProblem(key, place, "muss true oder false sein");
    return std::optional<bool>{value->get<bool>()};
}

Result<std::optional<std::string>> textField(const Json& object, std::string_view key,
                                             std::string_view place) {
    const Json* value = member(object, key);
    if (absent(value))
        return std::optional<std::string>{};
    if (!value->is_string())
        return fieldProblem(key, place, "muss ein Text sein");
    return std::optional<std::string>{value->get<std::string>()};
}

Result<const Json*> objectField(const Json& object, std::string_view key, std::string_view place) {
    const Json* value = member(object, key);
    if (absent(value))
        return static_cast<const Json*>(nullptr);
    if (!value->is_object())
        return fieldProblem(key, place, "muss ein Objekt sein");
    return value;
}

Result<std::vector<const Json*>> listField(const Json& object, std::string_view key, std::string_view place) {
    const Json* value = member(object, key);
    std::vector<const Json*> entries;
    if (absent(value))
        return entries;
    if (!value->is_array())
        return fieldProblem(key, place, "muss eine Liste sein");
    for (const Json& entry : *value)
        entries.push_back(&entry);
    return entries;
}

Result<std::vector<NumberedEntry>> numberedEntries(const Json& object, std::string_view listKey,
                                                   std::string_view numberKey, int highest,
                                                   std::string_view place) {
    auto list = listField(object, listKey, place);
    if (!list)
        return list.error();
    const std::string where = quotedKey(listKey) + " von " + std::string{place};
    std::vector<NumberedEntry> entries;
    std::vector<bool> seen(static_cast<std::size_t>(highest) + 1, false);
    for (std::size_t i = 0; i < list->size(); ++i) {
        const std::string entryName = "Eintrag " + std::to_string(i + 1) + " von " + where;
        const Json& value = *(*list)[i];
        if (!value.is_object())
            return settingsError(entryName + " ist kein Objekt.");
        const Json* numberValue = member(value, numberKey);
        auto number = numberValue ? jsonInteger(*numberValue) : std::nullopt;
        if (!number || *number < 1 || *number > highest) {
            return settingsError(entryName + " hat keine gültige Nummer (" + quotedKey(numberKey) +
                                 " von 1 bis " + std::to_string(highest) + ").");
        }
        if (seen[static_cast<std::size_t>(*number)]) {
            return settingsError(quotedKey(numberKey) + " " + std::to_string(*number) + " ist in " + where +
                                 " mehrfach angegeben.");
        }
        seen[static_cast<std::size_t>(*number)] = true;
        entries.push_back({*number, &value});
    }
    return entries;
}

} // namespace hq

// "neon": the neon function decoder's values as its panel shows them, absent for other kinds:
//
//   {"hell": 255, "dunkel": 40, "verzoegerung": 6}
//
// (levels 0..255, the delay in units of 0.5 s; null where the EEPROM byte is no hex byte). `apply`
// takes each value as its edit does, clamped to 0..255; a value equal to the one shown changes
// nothing. HELL shares EEPROM byte 0x21 with the third code byte of row 1, and the row codes are
// written after these values: saving refuses a HELL level the file cannot hold (applySettings).

#include "EditorFields.h"
#include "JsonSection.h"

#include <algorithm>

namespace hq {

namespace neon_json {
namespace {

struct NeonKey {
    std::optional<int> NeonSetting::*value;
    const char* key;
};

constexpr NeonKey kNeonKeys[] = {
    {&NeonSetting::hell, "hell"}, {&NeonSetting::dunkel, "dunkel"}, {&NeonSetting::delay, "verzoegerung"}};

std::optional<Json> show(const ShowSource& source) {
    const std::optional<NeonSetting>& neon = source.settings.neon;
    if (source.firmware.recognition.panel() != Panel::Neon || !neon)
        return std::nullopt;
    Json object = Json::object();
    for (const NeonKey& key : kNeonKeys) {
        const std::optional<int>& shown = (*neon).*key.value;
        object[key.key] = shown ? Json(*shown) : Json();
    }
    return object;
}

// Values for a kind without the neon panel are passed over, as the window has no field for them.
Status apply(const Json& value, SettingsTarget& target) {
    std::optional<NeonSetting>& neon = target.settings.neon;
    if (value.is_null() || target.firmware.recognition.panel() != Panel::Neon || !neon || !target.base.neon)
        return {};
    auto object = sectionObject(value, "neon");
    if (!object)
        return object.error();
    std::optional<int> entered[std::size(kNeonKeys)];
    for (std::size_t i = 0; i < std::size(kNeonKeys); ++i) {
        auto number = integerField(**object, kNeonKeys[i].key, "\"neon\"");
        if (!number)
            return number.error();
        entered[i] = *number;
    }
    for (std::size_t i = 0; i < std::size(kNeonKeys); ++i) {
        if (entered[i] && entered[i] != (*target.base.neon).*kNeonKeys[i].value)
            (*neon).*kNeonKeys[i].value = std::clamp(*entered[i], 0, 255);
    }
    return {};
}

} // namespace
} // namespace neon_json

const JsonSection& neonSection() {
    static const JsonSection section{"neon", neon_json::show, neon_json::apply};
    return section;
}

} // namespace hq

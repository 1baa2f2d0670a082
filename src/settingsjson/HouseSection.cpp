// "house": the house-lighting firmware's minimum number of active outputs, absent for other kinds:
//
//   {"minimum": 5}
//
// (null when EEPROM byte 0x0F is no hex byte). `apply` takes it as the edit does, clamped to 1..9;
// a value equal to the one shown changes nothing.

#include "EditorFields.h"
#include "JsonSection.h"
#include "light/HouseMinimum.h"

#include <algorithm>

namespace hq {

namespace house_json {
namespace {

std::optional<Json> show(const ShowSource& source) {
    const std::optional<HouseSetting>& house = source.settings.house;
    if (source.firmware.recognition.panel() != Panel::House || !house)
        return std::nullopt;
    return Json{{"minimum", house->minimum ? Json(*house->minimum) : Json()}};
}

// A value for a kind without the field is passed over, as the window does not show it.
Status apply(const Json& value, SettingsTarget& target) {
    std::optional<HouseSetting>& house = target.settings.house;
    if (value.is_null() || target.firmware.recognition.panel() != Panel::House || !house ||
        !target.base.house)
        return {};
    auto object = sectionObject(value, "house");
    if (!object)
        return object.error();
    auto minimum = integerField(**object, "minimum", "\"house\"");
    if (!minimum)
        return minimum.error();
    if (*minimum && *minimum != target.base.house->minimum)
        house->minimum = std::clamp(**minimum, kHouseMinimumLowest, kHouseMinimumHighest);
    return {};
}

} // namespace
} // namespace house_json

const JsonSection& houseSection() {
    static const JsonSection section{"house", house_json::show, house_json::apply};
    return section;
}

} // namespace hq

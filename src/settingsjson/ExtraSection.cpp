// "extra": the extra value of the kinds that have one (time-out, delay, running speed), else null.

#include "JsonSection.h"

namespace hq {

namespace extra_json {
namespace {

std::optional<Json> show(const ShowSource& source) {
    const auto& extra = source.firmware.recognition.extra();
    if (!extra)
        return Json();
    Json object = Json::object();
    object["caption"] = std::string{extra->caption};
    object["value"] = fieldValueJson(source.settings.extra);
    object["max"] = extra->maximum;
    return object;
}

// A value for a kind without an extra value is passed over, as the window has no field for it.
Status apply(const Json& value, SettingsTarget& target) {
    if (value.is_null())
        return {};
    if (!value.is_object())
        return settingsError("\"extra\" muss ein Objekt oder null sein.");
    const Json* extraValue = member(value, "value");
    if (absent(extraValue) || !target.firmware.recognition.extra())
        return {};
    auto typed = jsonFieldValue(*extraValue);
    if (!typed)
        return settingsError("\"extra.value\" muss eine Zahl oder ein Text sein.");
    target.settings.extra = *typed;
    return {};
}

} // namespace
} // namespace extra_json

const JsonSection& extraSection() {
    static const JsonSection section{"extra", extra_json::show, extra_json::apply};
    return section;
}

} // namespace hq

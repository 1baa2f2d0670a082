// "firmware": what was recognised, in both outputs so a settings file names the kind it belongs to.
// `apply` checks that the settings belong to the loaded kind; the version and the rest are only
// shown, so settings carry over to another version of the same firmware.

#include "JsonSection.h"

namespace hq {

namespace firmware_json {
namespace {

Json textOrNull(std::string_view text) {
    return text.empty() ? Json() : Json(std::string{text});
}

std::optional<Json> show(const ShowSource& source) {
    const Firmware& firmware = source.firmware;
    const Recognition& recognition = firmware.recognition;
    Json object = Json::object();
    object["kind"] = recognition.kind;
    object["caption"] = std::string{recognition.statusCaption()};
    object["protocol"] = textOrNull(protocolName(recognition.protocol));
    object["type"] = textOrNull(typeName(recognition.type));
    object["hardware"] = textOrNull(firmware.scan.hardwareMark);
    object["version"] = textOrNull(firmware.scan.version);
    object["max_address"] = recognition.maxAddress;
    object["max_function"] = recognition.maxFunction;
    object["panel"] = std::string{panelName(recognition.panel())};
    return object;
}

Status apply(const Json& value, SettingsTarget& target) {
    if (value.is_null())
        return {};
    if (!value.is_object())
        return settingsError("\"firmware\" muss ein Objekt sein.");
    const Json* kindValue = member(value, "kind");
    if (absent(kindValue))
        return {};
    auto kind = jsonInteger(*kindValue);
    if (!kind)
        return settingsError("\"firmware.kind\" muss eine ganze Zahl sein.");
    const Recognition& recognition = target.firmware.recognition;
    if (*kind != recognition.kind) {
        return Error{"Die Einstellungen gehören zu Firmware-Art " + std::to_string(*kind) +
                     ", das HEX-File enthält Art " + std::to_string(recognition.kind) + " (" +
                     std::string{recognition.statusCaption()} + ")."};
    }
    return {};
}

} // namespace
} // namespace firmware_json

const JsonSection& firmwareSection() {
    static const JsonSection section{"firmware", firmware_json::show, firmware_json::apply};
    return section;
}

} // namespace hq

// The registry of sections put together: each section writes its key from the firmware and the
// settings, and takes its key back into a copy of the settings; refusals leave nothing changed.

#include "SettingsJson.h"

#include "JsonSection.h"
#include "JsonText.h"

namespace hq {

namespace {

constexpr std::string_view kNotRecognised = "Das HEX-File konnte leider nicht erkannt werden";

std::string sectionsText(const ShowSource& source) {
    Json object = Json::object();
    for (const JsonSection& section : jsonSections()) {
        if (std::optional<Json> value = section.show(source))
            object[section.key] = std::move(*value);
    }
    return jsonText(object);
}

} // namespace

std::string firmwareJsonText(const Firmware& firmware) {
    const FirmwareSettings settings = readSettings(firmware);
    return sectionsText(ShowSource{firmware, settings, JsonForm::Firmware});
}

std::string settingsJsonText(const Firmware& firmware, const FirmwareSettings& settings) {
    return sectionsText(ShowSource{firmware, settings, JsonForm::Settings});
}

Result<FirmwareSettings> settingsFromJsonText(const Firmware& firmware, const FirmwareSettings& base,
                                              std::string_view json) {
    Result<Json> parsed = parseJsonText(json);
    if (!parsed)
        return parsed.error();
    if (!parsed->is_object())
        return settingsError("Das JSON muss ein Objekt { ... } sein.");
    if (firmware.recognition.kind == 0)
        return Error{std::string{kNotRecognised}, ErrorKind::Refused};
    FirmwareSettings settings = base;
    SettingsTarget target{firmware, base, settings};
    for (const JsonSection& section : jsonSections()) {
        const Json* value = member(*parsed, section.key);
        if (!section.apply || value == nullptr)
            continue;
        if (Status taken = section.apply(*value, target); !taken)
            return taken.error();
    }
    return settings;
}

} // namespace hq

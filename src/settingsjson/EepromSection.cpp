// "eeprom": the 128 data-EEPROM bytes as loaded, for reading only and only in `show --json`.

#include "JsonSection.h"

namespace hq {

namespace eeprom_json {
namespace {

std::optional<Json> show(const ShowSource& source) {
    if (source.form != JsonForm::Firmware)
        return std::nullopt;
    Json bytes = Json::array();
    for (const std::string& byte : source.firmware.eeprom().bytes)
        bytes.push_back(byte);
    return bytes;
}

} // namespace
} // namespace eeprom_json

const JsonSection& eepromSection() {
    static const JsonSection section{"eeprom", eeprom_json::show, nullptr};
    return section;
}

} // namespace hq

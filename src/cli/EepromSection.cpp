// "eeprom": the 128 data-EEPROM bytes as loaded, for reading only.

#include "CliFiles.h"
#include "JsonSection.h"

#include <QJsonArray>

namespace hq {

namespace {

QJsonValue show(const Firmware& firmware) {
    QJsonArray bytes;
    for (const std::string& byte : firmware.eeprom().bytes)
        bytes.append(fromUtf8(byte));
    return bytes;
}

} // namespace

const JsonSection& eepromSection() {
    static const JsonSection section{"eeprom", show, nullptr};
    return section;
}

} // namespace hq

// "neon": the neon function decoder's values as its panel shows them, absent for other kinds:
//
//   {"hell": 255, "dunkel": 40, "verzoegerung": 6}
//
// (levels 0..255, the delay in units of 0.5 s; null where the EEPROM byte is no hex byte). `apply`
// stores each value as its edit does, clamped to 0..255; a value equal to the one shown for the
// loaded file changes nothing. HELL shares EEPROM byte 0x21 with the third code byte of row 1; the
// row codes are written after these values, as "HEX speichern" writes them after the edits, so in
// the written file that byte is row 1's.

#include "EditorFields.h"
#include "JsonSection.h"
#include "light/NeonValues.h"

#include <QJsonObject>

namespace hq {

namespace {

struct NeonKey {
    NeonValue which;
    const char* key;
};

constexpr NeonKey kNeonKeys[] = {
    {NeonValue::Hell, "hell"}, {NeonValue::Dunkel, "dunkel"}, {NeonValue::Delay, "verzoegerung"}};

QJsonValue show(const Firmware& firmware) {
    if (firmware.recognition.panel() != Panel::Neon)
        return QJsonValue(QJsonValue::Undefined);
    QJsonObject object;
    for (const NeonKey& value : kNeonKeys) {
        std::optional<int> shown = shownNeonValue(firmware.eeprom(), value.which);
        object.insert(QString::fromUtf8(value.key), shown ? QJsonValue(*shown) : QJsonValue());
    }
    return object;
}

// Values for a kind without the neon panel are passed over, as the window has no field for them.
Status apply(const QJsonValue& value, SettingsTarget& target) {
    EepromImage& eeprom = target.firmware.eeprom();
    if (value.isNull() || target.firmware.recognition.panel() != Panel::Neon)
        return {};
    auto object = sectionObject(value, "neon");
    if (!object)
        return Error{object.message()};
    std::optional<int> entered[std::size(kNeonKeys)];
    for (std::size_t i = 0; i < std::size(kNeonKeys); ++i) {
        auto number = integerField(*object, kNeonKeys[i].key, QStringLiteral("\"neon\""));
        if (!number)
            return Error{number.message()};
        entered[i] = *number;
    }
    for (std::size_t i = 0; i < std::size(kNeonKeys); ++i) {
        if (entered[i] && entered[i] != shownNeonValue(target.loaded.eeprom(), kNeonKeys[i].which))
            storeNeonValue(eeprom, kNeonKeys[i].which, *entered[i]);
    }
    return {};
}

} // namespace

const JsonSection& neonSection() {
    static const JsonSection section{"neon", show, apply};
    return section;
}

} // namespace hq

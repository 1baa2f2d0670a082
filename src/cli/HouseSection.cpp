// "house": the house-lighting firmware's minimum number of active outputs, absent for other kinds:
//
//   {"minimum": 5}
//
// (null when EEPROM byte 0x0F is no hex byte). `apply` stores it as the edit does, clamped to 1..9;
// a value equal to the one shown for the loaded file changes nothing.

#include "EditorFields.h"
#include "JsonSection.h"
#include "light/HouseMinimum.h"

#include <QJsonObject>

namespace hq {

namespace {

QJsonValue show(const Firmware& firmware) {
    if (firmware.recognition.panel() != Panel::House)
        return QJsonValue(QJsonValue::Undefined);
    std::optional<int> minimum = houseMinimum(firmware.eeprom());
    return QJsonObject{{QStringLiteral("minimum"), minimum ? QJsonValue(*minimum) : QJsonValue()}};
}

// A value for a kind without the field is passed over, as the window does not show it.
Status apply(const QJsonValue& value, SettingsTarget& target) {
    EepromImage& eeprom = target.firmware.eeprom();
    if (value.isNull() || target.firmware.recognition.panel() != Panel::House)
        return {};
    auto object = sectionObject(value, "house");
    if (!object)
        return Error{object.message()};
    auto minimum = integerField(*object, "minimum", QStringLiteral("\"house\""));
    if (!minimum)
        return Error{minimum.message()};
    if (*minimum && *minimum != houseMinimum(target.loaded.eeprom()))
        storeHouseMinimum(eeprom, **minimum);
    return {};
}

} // namespace

const JsonSection& houseSection() {
    static const JsonSection section{"house", show, apply};
    return section;
}

} // namespace hq

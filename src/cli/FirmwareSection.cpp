// "firmware": what was recognised. `apply` checks that the settings belong to the loaded kind.

#include "CliFiles.h"
#include "JsonSection.h"
#include "JsonValues.h"

#include <QJsonObject>

namespace hq {

namespace {

QJsonValue textOrNull(std::string_view text) {
    return text.empty() ? QJsonValue() : QJsonValue(fromUtf8(text));
}

QJsonValue show(const Firmware& firmware) {
    const Recognition& recognition = firmware.recognition;
    QJsonObject object;
    object.insert(QStringLiteral("kind"), recognition.kind);
    object.insert(QStringLiteral("caption"), fromUtf8(recognition.statusCaption()));
    object.insert(QStringLiteral("protocol"), textOrNull(protocolName(recognition.protocol)));
    object.insert(QStringLiteral("type"), textOrNull(typeName(recognition.type)));
    object.insert(QStringLiteral("hardware"), textOrNull(firmware.scan.hardwareMark));
    object.insert(QStringLiteral("version"), textOrNull(firmware.scan.version));
    object.insert(QStringLiteral("max_address"), recognition.maxAddress);
    object.insert(QStringLiteral("max_function"), recognition.maxFunction);
    object.insert(QStringLiteral("panel"), fromUtf8(panelName(recognition.panel())));
    return object;
}

Status apply(const QJsonValue& value, SettingsTarget& target) {
    if (value.isNull())
        return {};
    if (!value.isObject())
        return Error{settingsProblem(QStringLiteral("\"firmware\" muss ein Objekt sein."))};
    QJsonValue kindValue = value.toObject().value(QStringLiteral("kind"));
    if (kindValue.isUndefined() || kindValue.isNull())
        return {};
    auto kind = jsonInteger(kindValue);
    if (!kind)
        return Error{settingsProblem(QStringLiteral("\"firmware.kind\" muss eine ganze Zahl sein."))};
    const Recognition& recognition = target.firmware.recognition;
    if (*kind != recognition.kind) {
        return Error{
            QStringLiteral("Die Einstellungen gehören zu Firmware-Art %1, das HEX-File enthält Art %2 (%3).")
                .arg(*kind)
                .arg(recognition.kind)
                .arg(fromUtf8(recognition.statusCaption()))
                .toStdString()};
    }
    return {};
}

} // namespace

const JsonSection& firmwareSection() {
    static const JsonSection section{"firmware", show, apply};
    return section;
}

} // namespace hq

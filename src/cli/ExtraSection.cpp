// "extra": the extra value of the kinds that have one (time-out, delay, running speed), else null.

#include "CliFiles.h"
#include "JsonSection.h"
#include "JsonValues.h"

#include <QJsonObject>

namespace hq {

namespace {

QJsonValue show(const Firmware& firmware) {
    const auto& extra = firmware.recognition.extra();
    if (!extra)
        return QJsonValue();
    QJsonObject object;
    object.insert(QStringLiteral("caption"), fromUtf8(extra->caption));
    object.insert(QStringLiteral("value"), firmware.parameters.extraValue);
    object.insert(QStringLiteral("max"), extra->maximum);
    return object;
}

// A value for a kind without an extra value is passed over, as the window has no field for it.
Status apply(const QJsonValue& value, SettingsTarget& target) {
    if (value.isNull())
        return {};
    if (!value.isObject())
        return Error{settingsProblem(QStringLiteral("\"extra\" muss ein Objekt oder null sein."))};
    QJsonValue extraValue = value.toObject().value(QStringLiteral("value"));
    if (extraValue.isUndefined() || extraValue.isNull() || !target.firmware.recognition.extra())
        return {};
    auto text = jsonFieldText(extraValue);
    if (!text)
        return Error{settingsProblem(QStringLiteral("\"extra.value\" muss eine Zahl oder ein Text sein."))};
    target.texts.extra = *text;
    return {};
}

} // namespace

const JsonSection& extraSection() {
    static const JsonSection section{"extra", show, apply};
    return section;
}

} // namespace hq

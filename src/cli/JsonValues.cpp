#include "JsonValues.h"

#include <cmath>
#include <limits>

namespace hq {

std::optional<int> jsonInteger(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    double number = value.toDouble();
    if (std::trunc(number) != number || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(number);
}

std::optional<std::string> jsonFieldText(const QJsonValue& value) {
    if (value.isString())
        return value.toString().toStdString();
    if (!value.isDouble())
        return std::nullopt;
    double number = value.toDouble();
    // Integral numbers as the user would type them (also those beyond int, which validation then
    // refuses like any other text); fractions as they are written.
    if (std::trunc(number) == number && std::fabs(number) < 1e15)
        return std::to_string(static_cast<long long>(number));
    return QString::number(number, 'g', 17).toStdString();
}

std::string settingsProblem(const QString& text) {
    return QString(QStringLiteral("Einstellungen: ") + text).toStdString();
}

} // namespace hq

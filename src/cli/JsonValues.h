#pragma once
// Reading single values of the settings JSON.

#include <QJsonValue>
#include <QString>

#include <optional>
#include <string>

namespace hq {

// An integral JSON number within the int range.
std::optional<int> jsonInteger(const QJsonValue& value);

// The text an edit field would hold: a string as it is typed, a number in decimal. Nothing for
// other JSON types.
std::optional<std::string> jsonFieldText(const QJsonValue& value);

// "Einstellungen: " + text, the prefix of every refusal of the settings' shape.
std::string settingsProblem(const QString& text);

} // namespace hq

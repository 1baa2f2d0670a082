#pragma once
// Reading the editor sections of the settings ("servo", "blink", "led", "neon", "house"): a missing
// key or null keeps the loaded value, a value of the wrong type is refused with a German message that
// names the key and where it sits ("\"count\" von Kurve 2 in \"servo\"").

#include "Result.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>
#include <vector>

namespace hq {

// The section's value as an object, or the refusal "\"servo\" muss ein Objekt oder null sein.".
Result<QJsonObject> sectionObject(const QJsonValue& value, const char* section);

// An integral number under `key` of `object`; `place` says where the object sits.
Result<std::optional<int>> integerField(const QJsonObject& object, const char* key, const QString& place);
// true or false.
Result<std::optional<bool>> switchField(const QJsonObject& object, const char* key, const QString& place);
// A string.
Result<std::optional<QString>> textField(const QJsonObject& object, const char* key, const QString& place);
// An object.
Result<std::optional<QJsonObject>> objectField(const QJsonObject& object, const char* key,
                                               const QString& place);

struct NumberedEntry {
    int number = 0;
    QJsonObject object;
};

// The list under `listKey`: objects that each name their item by `numberKey` (1..highest), every
// item at most once. Missing or null gives no entries.
Result<std::vector<NumberedEntry>> numberedEntries(const QJsonObject& object, const char* listKey,
                                                   const char* numberKey, int highest, const QString& place);

// The list under `key` as it is: missing or null gives an empty list.
Result<std::vector<QJsonValue>> listField(const QJsonObject& object, const char* key, const QString& place);

} // namespace hq

#include "EditorFields.h"

#include "JsonValues.h"

#include <QJsonArray>

namespace hq {

namespace {

QString quotedKey(const char* key) {
    return u'"' + QString::fromUtf8(key) + u'"';
}

// "\"count\" von Kurve 2 in \"servo\" muss eine ganze Zahl sein."
Error fieldProblem(const char* key, const QString& place, const QString& demand) {
    return Error{settingsProblem(quotedKey(key) + QStringLiteral(" von ") + place + u' ' + demand + u'.')};
}

bool absent(const QJsonValue& value) {
    return value.isUndefined() || value.isNull();
}

} // namespace

Result<QJsonObject> sectionObject(const QJsonValue& value, const char* section) {
    if (!value.isObject())
        return Error{
            settingsProblem(quotedKey(section) + QStringLiteral(" muss ein Objekt oder null sein."))};
    return value.toObject();
}

Result<std::optional<int>> integerField(const QJsonObject& object, const char* key, const QString& place) {
    QJsonValue value = object.value(QString::fromUtf8(key));
    if (absent(value))
        return std::optional<int>{};
    auto number = jsonInteger(value);
    if (!number)
        return fieldProblem(key, place, QStringLiteral("muss eine ganze Zahl sein"));
    return std::optional<int>{*number};
}

Result<std::optional<bool>> switchField(const QJsonObject& object, const char* key, const QString& place) {
    QJsonValue value = object.value(QString::fromUtf8(key));
    if (absent(value))
        return std::optional<bool>{};
    if (!value.isBool())
        return fieldProblem(key, place, QStringLiteral("muss true oder false sein"));
    return std::optional<bool>{value.toBool()};
}

Result<std::optional<QString>> textField(const QJsonObject& object, const char* key, const QString& place) {
    QJsonValue value = object.value(QString::fromUtf8(key));
    if (absent(value))
        return std::optional<QString>{};
    if (!value.isString())
        return fieldProblem(key, place, QStringLiteral("muss ein Text sein"));
    return std::optional<QString>{value.toString()};
}

Result<std::optional<QJsonObject>> objectField(const QJsonObject& object, const char* key,
                                               const QString& place) {
    QJsonValue value = object.value(QString::fromUtf8(key));
    if (absent(value))
        return std::optional<QJsonObject>{};
    if (!value.isObject())
        return fieldProblem(key, place, QStringLiteral("muss ein Objekt sein"));
    return std::optional<QJsonObject>{value.toObject()};
}

Result<std::vector<QJsonValue>> listField(const QJsonObject& object, const char* key, const QString& place) {
    QJsonValue value = object.value(QString::fromUtf8(key));
    std::vector<QJsonValue> entries;
    if (absent(value))
        return entries;
    if (!value.isArray())
        return fieldProblem(key, place, QStringLiteral("muss eine Liste sein"));
    for (const QJsonValue& entry : value.toArray())
        entries.push_back(entry);
    return entries;
}

Result<std::vector<NumberedEntry>> numberedEntries(const QJsonObject& object, const char* listKey,
                                                   const char* numberKey, int highest, const QString& place) {
    auto list = listField(object, listKey, place);
    if (!list)
        return Error{list.message()};
    const QString where = quotedKey(listKey) + QStringLiteral(" von ") + place;
    std::vector<NumberedEntry> entries;
    std::vector<bool> seen(static_cast<std::size_t>(highest) + 1, false);
    for (std::size_t i = 0; i < list->size(); ++i) {
        const QString entryName = QStringLiteral("Eintrag %1 von ").arg(i + 1) + where;
        const QJsonValue& value = (*list)[i];
        if (!value.isObject())
            return Error{settingsProblem(entryName + QStringLiteral(" ist kein Objekt."))};
        const QJsonObject entry = value.toObject();
        auto number = jsonInteger(entry.value(QString::fromUtf8(numberKey)));
        if (!number || *number < 1 || *number > highest) {
            return Error{
                settingsProblem(entryName + QStringLiteral(" hat keine gültige Nummer (%1 von 1 bis %2).")
                                                .arg(quotedKey(numberKey))
                                                .arg(highest))};
        }
        if (seen[static_cast<std::size_t>(*number)]) {
            return Error{
                settingsProblem(QStringLiteral("%1 %2 ist in ").arg(quotedKey(numberKey)).arg(*number) +
                                where + QStringLiteral(" mehrfach angegeben."))};
        }
        seen[static_cast<std::size_t>(*number)] = true;
        entries.push_back({*number, entry});
    }
    return entries;
}

} // namespace hq

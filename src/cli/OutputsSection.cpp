// "outputs": one entry per shown grid row with its caption, address and red/green choice
// (switching decoders) or function number (function decoders).

#include "CliFiles.h"
#include "JsonSection.h"
#include "JsonValues.h"

#include <QJsonArray>
#include <QJsonObject>

#include <array>

namespace hq {

namespace {

bool rowListed(const Recognition& recognition, int row) {
    return recognition.rowsShown() && !recognition.rowCaption(row).empty();
}

QJsonValue show(const Firmware& firmware) {
    const Recognition& recognition = firmware.recognition;
    QJsonArray rows;
    for (int r = 0; r < kRowCount; ++r) {
        if (!rowListed(recognition, r))
            continue;
        const OutputRow& row = firmware.parameters.rows[r];
        QJsonObject object;
        object.insert(QStringLiteral("row"), r);
        object.insert(QStringLiteral("caption"), fromUtf8(recognition.rowCaption(r)));
        object.insert(QStringLiteral("address"), row.address);
        if (recognition.type == DecoderType::Schalt)
            object.insert(QStringLiteral("color"),
                          row.redGreen == 1 ? QStringLiteral("green") : QStringLiteral("red"));
        else
            object.insert(QStringLiteral("function"), row.function);
        rows.append(object);
    }
    return rows;
}

// Puts a number or string into the row's edit-field text; null and a missing key keep it.
Status takeFieldText(const QJsonObject& entry, const char* key, int row, std::string& text) {
    QJsonValue value = entry.value(QString::fromUtf8(key));
    if (value.isUndefined() || value.isNull())
        return {};
    auto typed = jsonFieldText(value);
    if (!typed) {
        return Error{settingsProblem(QStringLiteral("\"%1\" von Zeile %2 muss eine Zahl oder ein Text sein.")
                                         .arg(QString::fromUtf8(key))
                                         .arg(row))};
    }
    text = *typed;
    return {};
}

Status takeColor(const QJsonObject& entry, int row, OutputRow& output) {
    QJsonValue value = entry.value(QStringLiteral("color"));
    if (value.isUndefined() || value.isNull())
        return {};
    const QString color = value.isString() ? value.toString() : QString();
    if (color == u"green")
        output.redGreen = 1;
    else if (color == u"red")
        output.redGreen = 0;
    else
        return Error{settingsProblem(
            QStringLiteral("\"color\" von Zeile %1 muss \"green\" oder \"red\" sein.").arg(row))};
    return {};
}

Status apply(const QJsonValue& value, SettingsTarget& target) {
    if (value.isNull())
        return {};
    if (!value.isArray())
        return Error{settingsProblem(QStringLiteral("\"outputs\" muss eine Liste sein."))};
    const Recognition& recognition = target.firmware.recognition;
    std::array<bool, kRowCount> seen{};
    const QJsonArray entries = value.toArray();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const qsizetype number = i + 1;
        if (!entries.at(i).isObject())
            return Error{
                settingsProblem(QStringLiteral("Eintrag %1 von \"outputs\" ist kein Objekt.").arg(number))};
        const QJsonObject entry = entries.at(i).toObject();
        auto row = jsonInteger(entry.value(QStringLiteral("row")));
        if (!row || *row < 1 || *row >= kRowCount) {
            return Error{settingsProblem(
                QStringLiteral("Eintrag %1 von \"outputs\" hat keine gültige Zeile (\"row\" 1 bis %2).")
                    .arg(number)
                    .arg(kRowCount - 1))};
        }
        if (!rowListed(recognition, *row))
            return Error{settingsProblem(
                QStringLiteral("Zeile %1 wird bei dieser Firmware nicht angezeigt.").arg(*row))};
        if (seen[*row])
            return Error{
                settingsProblem(QStringLiteral("Zeile %1 ist in \"outputs\" mehrfach angegeben.").arg(*row))};
        seen[*row] = true;

        if (Status taken = takeFieldText(entry, "address", *row, target.texts.address[*row]); !taken)
            return taken;
        if (recognition.type == DecoderType::Schalt) {
            if (Status taken = takeColor(entry, *row, target.firmware.parameters.rows[*row]); !taken)
                return taken;
        } else if (Status taken = takeFieldText(entry, "function", *row, target.texts.function[*row]);
                   !taken) {
            return taken;
        }
    }
    return {};
}

} // namespace

const JsonSection& outputsSection() {
    static const JsonSection section{"outputs", show, apply};
    return section;
}

} // namespace hq

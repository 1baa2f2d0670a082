#include "FirmwareJson.h"

#include "JsonSection.h"
#include "JsonValues.h"
#include "encode/SaveEncoder.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace hq {

namespace {

constexpr std::string_view kNotRecognised = "Das HEX-File konnte leider nicht erkannt werden";

} // namespace

QJsonObject firmwareJson(const Firmware& firmware) {
    QJsonObject object;
    for (const JsonSection& section : jsonSections()) {
        QJsonValue value = section.show(firmware);
        if (!value.isUndefined())
            object.insert(QString::fromUtf8(section.key), value);
    }
    return object;
}

Status applySettings(Firmware& firmware, const QJsonObject& settings) {
    if (firmware.recognition.kind == 0)
        return Error{std::string{kNotRecognised}};
    Firmware work = firmware;
    GridTexts texts = gridTextsFor(work.parameters);
    SettingsTarget target{work, texts};
    for (const JsonSection& section : jsonSections()) {
        QJsonValue value = settings.value(QString::fromUtf8(section.key));
        if (!section.apply || value.isUndefined())
            continue;
        if (Status taken = section.apply(value, target); !taken)
            return taken;
    }
    if (auto problem = applyGrid(work, texts))
        return Error{problem->message};
    firmware = std::move(work);
    return {};
}

Status applySettingsText(Firmware& firmware, std::string_view json) {
    static constexpr std::string_view bom = "\xEF\xBB\xBF"; // as some editors on Windows save
    if (json.starts_with(bom))
        json.remove_prefix(bom.size());
    QJsonParseError error;
    QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        return Error{settingsProblem(QStringLiteral("kein gültiges JSON (Zeichen %1: %2).")
                                         .arg(error.offset)
                                         .arg(error.errorString()))};
    }
    if (!document.isObject())
        return Error{settingsProblem(QStringLiteral("Das JSON muss ein Objekt { ... } sein."))};
    return applySettings(firmware, document.object());
}

} // namespace hq

#include "PatternSection.h"

#include "EditorFields.h"
#include "JsonValues.h"
#include "light/PatternBank.h"

#include <QJsonArray>

#include <algorithm>

namespace hq {

namespace {

QJsonObject addressJson(const PatternBank& bank, int address) {
    QJsonArray outputs;
    for (int output = 1; output <= bank.layout().outputs; ++output) {
        outputs.append(
            QJsonObject{{QStringLiteral("output"), output},
                        {QStringLiteral("used"), bank.outputUsed(address, output)},
                        {QStringLiteral("steps"), QString::fromStdString(bank.stepsText(address, output))}});
    }
    return QJsonObject{{QStringLiteral("address"), address},
                       {QStringLiteral("count"), bank.count(address)},
                       {QStringLiteral("stretch"), bank.stretch(address)},
                       {QStringLiteral("loop"), bank.loop(address)},
                       {QStringLiteral("outputs"), outputs}};
}

Status applyOutput(const NumberedEntry& entry, const PatternBank& shown, PatternBank& bank, int address,
                   const QString& place) {
    const int output = entry.number;
    const QString outputPlace = QStringLiteral("Ausgang %1 von ").arg(output) + place;
    auto used = switchField(entry.object, "used", outputPlace);
    if (!used)
        return Error{used.message()};
    auto steps = textField(entry.object, "steps", outputPlace);
    if (!steps)
        return Error{steps.message()};
    if (*steps) {
        for (QChar c : **steps) {
            if (c != u'0' && c != u'1')
                return Error{settingsProblem(QStringLiteral("\"steps\" von ") + outputPlace +
                                             QStringLiteral(" darf nur 0 und 1 enthalten."))};
        }
    }

    if (*used && **used != shown.outputUsed(address, output))
        bank.setOutputUsed(address, output, **used);
    if (*steps && **steps != QString::fromStdString(shown.stepsText(address, output))) {
        // Steps past the count are cut off; setStep passes them over.
        const qsizetype given = std::min<qsizetype>((*steps)->size(), bank.count(address));
        for (qsizetype i = 0; i < given; ++i)
            bank.setStep(address, output, static_cast<int>(i), (*steps)->at(i) == u'1');
    }
    return {};
}

Status applyAddress(const NumberedEntry& entry, const PatternBank& shown, PatternBank& bank,
                    const char* section) {
    const int address = entry.number;
    const QString place = QStringLiteral("Adresse %1 in \"%2\"").arg(address).arg(QString::fromUtf8(section));
    auto count = integerField(entry.object, "count", place);
    if (!count)
        return Error{count.message()};
    auto stretch = integerField(entry.object, "stretch", place);
    if (!stretch)
        return Error{stretch.message()};
    auto loop = switchField(entry.object, "loop", place);
    if (!loop)
        return Error{loop.message()};
    auto outputs = numberedEntries(entry.object, "outputs", "output", bank.layout().outputs, place);
    if (!outputs)
        return Error{outputs.message()};

    if (*count && **count != shown.count(address))
        bank.setCount(address, **count);
    if (*stretch && **stretch != shown.stretch(address))
        bank.setStretch(address, **stretch);
    if (*loop && **loop != shown.loop(address))
        bank.setLoop(address, **loop);
    for (const NumberedEntry& output : *outputs) {
        if (Status taken = applyOutput(output, shown, bank, address, place); !taken)
            return taken;
    }
    return {};
}

} // namespace

QJsonValue showPatterns(const Firmware& firmware, Panel panel, const PatternLayout& layout) {
    if (firmware.recognition.panel() != panel)
        return QJsonValue(QJsonValue::Undefined);
    PatternBank bank(layout);
    bank.read(firmware.image);
    QJsonArray addresses;
    for (int address = 1; address <= kPatternAddresses; ++address)
        addresses.append(addressJson(bank, address));
    return QJsonObject{{QStringLiteral("addresses"), addresses}};
}

// Values for a kind without this editor are passed over, as the window has no editor for them.
Status applyPatterns(const QJsonValue& value, SettingsTarget& target, Panel panel,
                     const PatternLayout& layout, const char* section) {
    HexImage& image = target.firmware.image;
    if (value.isNull() || target.firmware.recognition.panel() != panel)
        return {};
    auto object = sectionObject(value, section);
    if (!object)
        return Error{object.message()};
    const QString place = u'"' + QString::fromUtf8(section) + u'"';
    auto addresses = numberedEntries(*object, "addresses", "address", kPatternAddresses, place);
    if (!addresses)
        return Error{addresses.message()};

    PatternBank shown(layout);
    shown.read(target.loaded.image);
    PatternBank bank(layout);
    bank.read(image);
    const ProgramTable before = bank.table();
    for (const NumberedEntry& entry : *addresses) {
        if (Status taken = applyAddress(entry, shown, bank, section); !taken)
            return taken;
    }
    // "Übernehmen" is enabled only after a change.
    if (bank.table() == before)
        return {};
    return bank.write(image);
}

} // namespace hq

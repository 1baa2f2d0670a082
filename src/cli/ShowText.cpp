#include "ShowText.h"

#include "CliFiles.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace hq {

namespace {

QString panelText(Panel panel) {
    switch (panel) {
    case Panel::Servo:
        return QStringLiteral("Servo-Kurven und Zuordnung");
    case Panel::Blink:
        return QStringLiteral("Blinkmuster");
    case Panel::Led:
        return QStringLiteral("LED-Blinkmuster");
    case Panel::Neon:
        return QStringLiteral("Neon-Werte");
    case Panel::House:
        return QStringLiteral("Mindestanzahl (Hausbeleuchtung)");
    case Panel::None:
        break;
    }
    return QStringLiteral("keiner");
}

QString orNone(std::string_view text) {
    return text.empty() ? QStringLiteral("-") : fromUtf8(text);
}

// "Label:" padded so that all values start in one column.
QString labelled(const std::vector<std::pair<QString, QString>>& items) {
    qsizetype width = 0;
    for (const auto& item : items)
        width = std::max(width, item.first.size() + 1);
    QString text;
    for (const auto& [label, value] : items)
        text += QString(label + u':').leftJustified(width + 1) + value + u'\n';
    return text;
}

QString rowTable(const Recognition& recognition, const Parameters& parameters) {
    const bool switching = recognition.type == DecoderType::Schalt;
    const QString rowHeader = QStringLiteral("Zeile");
    const QString captionHeader = QStringLiteral("Bezeichnung");
    const QString addressHeader = QStringLiteral("Adresse");
    const QString lastHeader = switching ? QStringLiteral("R/G") : QStringLiteral("Funktion");
    qsizetype captionWidth = captionHeader.size();
    for (int r = 0; r < kRowCount; ++r)
        captionWidth = std::max(captionWidth, fromUtf8(recognition.rowCaption(r)).size());

    QString text = rowHeader + QStringLiteral("  ") + captionHeader.leftJustified(captionWidth) +
                   QStringLiteral("  ") + addressHeader + QStringLiteral("  ") + lastHeader + u'\n';
    for (int r = 0; r < kRowCount; ++r) {
        if (recognition.rowCaption(r).empty())
            continue;
        const OutputRow& row = parameters.rows[r];
        QString last = switching ? (row.redGreen == 1 ? QStringLiteral("grün") : QStringLiteral("rot"))
                                 : QString::number(row.function).rightJustified(lastHeader.size());
        text += QString::number(r).rightJustified(rowHeader.size()) + QStringLiteral("  ") +
                fromUtf8(recognition.rowCaption(r)).leftJustified(captionWidth) + QStringLiteral("  ") +
                QString::number(row.address).rightJustified(addressHeader.size()) + QStringLiteral("  ") +
                last + u'\n';
    }
    return text;
}

} // namespace

QString showText(const Firmware& firmware, const QString& fileName) {
    const Recognition& recognition = firmware.recognition;
    std::vector<std::pair<QString, QString>> items;
    items.emplace_back(QStringLiteral("Datei"), fileName);
    items.emplace_back(QStringLiteral("Firmware"),
                       recognition.kind == 0 ? QStringLiteral("nicht erkannt")
                                             : fromUtf8(recognition.statusCaption()) +
                                                   QStringLiteral(" (Art %1)").arg(recognition.kind));
    QString protocol = recognition.protocol == Protocol::None ? QStringLiteral("keines")
                                                              : fromUtf8(protocolName(recognition.protocol));
    items.emplace_back(QStringLiteral("Protokoll"), protocol + QStringLiteral(" (Statusleiste: ") +
                                                        fromUtf8(recognition.protocolStatus) + u')');
    items.emplace_back(QStringLiteral("Typ"), orNone(typeName(recognition.type)));
    items.emplace_back(QStringLiteral("Hardware"), orNone(firmware.scan.hardwareMark));
    items.emplace_back(QStringLiteral("Version"), orNone(firmware.scan.version));
    if (recognition.protocol != Protocol::None) {
        QString range = QStringLiteral("Adresse 1 bis %1").arg(recognition.maxAddress);
        if (recognition.type != DecoderType::Schalt)
            range += QStringLiteral(", Funktion 1 bis %1").arg(recognition.maxFunction);
        items.emplace_back(QStringLiteral("Bereich"), range);
    }
    if (const auto& extra = recognition.extra()) {
        QString hint = fromUtf8(extra->hint).replace(u'\n', QStringLiteral(", "));
        items.emplace_back(QStringLiteral("Zusatzwert"),
                           fromUtf8(extra->caption) + QStringLiteral(" = ") +
                               QString::number(firmware.parameters.extraValue) + QStringLiteral(" (") + hint +
                               QStringLiteral("; höchstens %1)").arg(extra->maximum));
    }
    if (recognition.kind != 0)
        items.emplace_back(QStringLiteral("Editor"), panelText(recognition.panel()));

    QString text = labelled(items);
    if (recognition.kind == 0)
        return text;
    if (!recognition.rowsShown())
        return text + QStringLiteral("\nOhne erkanntes Protokoll werden keine Ausgänge angezeigt.\n");
    if (recognition.hasCaptions())
        text += u'\n' + rowTable(recognition, firmware.parameters);
    return text;
}

} // namespace hq

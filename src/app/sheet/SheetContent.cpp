// The sheet's texts from recognition, scan, settings and the core's address help.

#include "sheet/SheetContent.h"

#include "ParseInteger.h"
#include "QtText.h"
#include "help/AddressHelp.h"
#include "settings/RowsAsRead.h"

#include <QLocale>
#include <QStringList>

namespace sheet {

namespace {

QString orDash(std::string_view text) {
    return text.empty() ? QStringLiteral("–") : qs(text);
}

QString protocolText(const hq::Recognition& recognition) {
    const QString name = recognition.protocol == hq::Protocol::None
                             ? QStringLiteral("keines")
                             : qs(hq::protocolName(recognition.protocol));
    return name + QStringLiteral(" (Statusleiste: ") + qs(recognition.protocolStatus) + u')';
}

// The values the help and its warnings work with; a text that is no number counts as 0.
hq::RowTable rowValues(const hq::Recognition& recognition, const hq::FirmwareSettings& settings) {
    hq::RowTable rows;
    for (int r = 0; r < hq::kRowCount; ++r) {
        const hq::RowSetting& typed = settings.rows[static_cast<std::size_t>(r)];
        rows[static_cast<std::size_t>(r)] = {typed.address.numberOr(0), typed.redGreen,
                                             typed.function.numberOr(0), hq::rowShown(recognition, r)};
    }
    return rows;
}

// What differs from the file and what the save refuses, first in the row's help.
void markLines(const RowEntry& entry, const QString& lastTitle, std::vector<HelpLine>& lines) {
    const std::pair<QString, const ValueMark*> values[] = {
        {QStringLiteral("Adresse ") + entry.address, &entry.marks.address},
        {lastTitle + u' ' + entry.last, &entry.marks.last}};
    for (const auto& [value, mark] : values) {
        if (mark->changed)
            lines.push_back(
                {value + u' ' + fileValueText(mark->fileValue) + QStringLiteral(" – nicht gespeichert"),
                 false, false, true});
    }
    for (const auto& [value, mark] : values) {
        if (mark->refused())
            lines.push_back({QStringLiteral("⚠ ") + refusalText(mark->refusal), true});
    }
}

std::vector<HelpLine> helpLines(const hq::AddressHelp& help, const hq::RowSetting& typed, bool accessory) {
    std::vector<HelpLine> lines;
    const bool addressNumber = typed.address.isNumber();
    if (!addressNumber) {
        lines.push_back(
            {QStringLiteral("Die Adresse „%1“ ist keine Zahl und kann so nicht gespeichert werden.")
                 .arg(QString::fromStdString(typed.address.text())),
             true});
    } else {
        lines.push_back({qs(help.headline), false});
        for (const std::string& text : help.numbering)
            lines.push_back({qs(text), false});
        for (const std::string& text : help.notes)
            lines.push_back({qs(text), false, true});
    }
    if (!accessory && !typed.function.isNumber()) {
        lines.push_back(
            {QStringLiteral("Die Funktion „%1“ ist keine Zahl und kann so nicht gespeichert werden.")
                 .arg(QString::fromStdString(typed.function.text())),
             true});
    }
    for (const hq::HelpWarning& warning : help.warnings)
        lines.push_back({QStringLiteral("Warnung: ") + qs(warning.text), true});
    QStringList bytes;
    for (const std::string& text : help.byteTexts)
        bytes << qs(text);
    if (!bytes.isEmpty())
        lines.push_back({bytes.join(QStringLiteral(" · ")), false});
    return lines;
}

} // namespace

std::vector<InfoLine> infoLines(const hq::Firmware& firmware, const QString& fileName,
                                const QDateTime& printedAt) {
    const hq::Recognition& recognition = firmware.recognition;
    std::vector<InfoLine> lines;
    lines.push_back({QStringLiteral("Firmware"), recognition.kind == 0 ? QStringLiteral("nicht erkannt")
                                                                       : qs(recognition.statusCaption())});
    lines.push_back({QStringLiteral("Art"), QString::number(recognition.kind)});
    lines.push_back({QStringLiteral("Version"), orDash(firmware.scan.version)});
    lines.push_back({QStringLiteral("Hardware"), orDash(firmware.scan.hardwareMark)});
    lines.push_back({QStringLiteral("Protokoll"), protocolText(recognition)});
    lines.push_back({QStringLiteral("Typ"), orDash(hq::typeName(recognition.type))});
    if (recognition.protocol != hq::Protocol::None) {
        QString range = QStringLiteral("Adresse 1 bis %1").arg(recognition.maxAddress);
        if (recognition.type != hq::DecoderType::Schalt)
            range += QStringLiteral(", Funktion 1 bis %1").arg(recognition.maxFunction);
        lines.push_back({QStringLiteral("Bereich"), range});
    }
    lines.push_back({QStringLiteral("Datei"), fileName});
    lines.push_back({QStringLiteral("Datum"),
                     QLocale(QLocale::German).toString(printedAt, QStringLiteral("dd.MM.yyyy HH:mm"))});
    return lines;
}

QString lastColumnTitle(const hq::Recognition& recognition) {
    return recognition.type == hq::DecoderType::Schalt ? QStringLiteral("R/G") : QStringLiteral("Funktion");
}

std::vector<RowEntry> rowEntries(const hq::Firmware& firmware, const hq::FirmwareSettings& settings,
                                 const SheetMarks* marks) {
    const hq::Recognition& recognition = firmware.recognition;
    const bool accessory = recognition.type == hq::DecoderType::Schalt;
    const hq::RowTable values = rowValues(recognition, settings);
    const hq::EepromLineMap lines = hq::eepromLineMap(firmware.image);
    // A row whose bytes stand for no value, or come from a damaged line, shows a value it does not
    // hold while it keeps the value read: the sheet says so first, as the grid's mark does.
    const hq::RowsAsRead kept = hq::rowsAsRead(firmware);
    std::vector<RowEntry> entries;
    for (int r = 0; r < hq::kRowCount; ++r) {
        if (!values[static_cast<std::size_t>(r)].shown)
            continue;
        const hq::RowSetting& typed = settings.rows[static_cast<std::size_t>(r)];
        RowEntry entry;
        entry.row = r;
        entry.caption = qs(recognition.rowCaption(r));
        entry.address = QString::fromStdString(typed.address.text());
        entry.last = accessory ? (typed.redGreen == 1 ? QStringLiteral("grün") : QStringLiteral("rot"))
                               : QString::fromStdString(typed.function.text());
        const hq::AddressHelp help =
            hq::addressHelp(recognition.protocol, recognition.type, values, r, lines);
        if (marks)
            entry.marks = marks->rows[static_cast<std::size_t>(r)];
        const auto& asRead = kept[static_cast<std::size_t>(r)];
        if (asRead && typed == hq::readRowSetting(firmware, r))
            entry.help.push_back({qs(asRead->text()), true});
        markLines(entry, lastColumnTitle(recognition), entry.help);
        for (HelpLine& line : helpLines(help, typed, accessory))
            entry.help.push_back(std::move(line));
        entries.push_back(std::move(entry));
    }
    return entries;
}

QStringList takeSharedNotes(std::vector<RowEntry>& entries) {
    QStringList seen;
    QStringList shared;
    for (const RowEntry& entry : entries) {
        for (const HelpLine& line : entry.help) {
            if (!line.note)
                continue;
            if (seen.contains(line.text) && !shared.contains(line.text))
                shared << line.text;
            seen << line.text;
        }
    }
    for (RowEntry& entry : entries) {
        std::erase_if(entry.help,
                      [&shared](const HelpLine& line) { return line.note && shared.contains(line.text); });
    }
    return shared;
}

QString noRowsReason(const hq::Recognition& recognition) {
    if (recognition.kind == 0 || !recognition.hasCaptions())
        return QStringLiteral("Das HEX-File konnte leider nicht erkannt werden");
    if (!recognition.rowsShown())
        return QStringLiteral("Ohne erkanntes Protokoll werden keine Ausgänge angezeigt.");
    return {};
}

QString extraLine(const hq::Recognition& recognition, const hq::FirmwareSettings& settings,
                  const ValueMark& mark) {
    const auto& extra = recognition.extra();
    if (!extra)
        return {};
    QString line = qs(extra->caption) + QStringLiteral(": ") + QString::fromStdString(settings.extra.text());
    if (mark.changed)
        line += u' ' + fileValueText(mark.fileValue);
    return line;
}

QString extraHint(const hq::Recognition& recognition) {
    const auto& extra = recognition.extra();
    if (!extra)
        return {};
    return qs(extra->hint).replace(u'\n', QStringLiteral(", "));
}

} // namespace sheet

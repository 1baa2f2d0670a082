// Columns are padded by characters, not bytes: captions and values hold umlauts and dashes, and a
// terminal shows each of those UTF-8 sequences as one character.

#include "ShowText.h"

#include "settings/RowsAsRead.h"

#include "help/AccessoryNumbering.h"
#include "help/RowWarnings.h"
#include "help/VehicleAddress.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace hq {

namespace {

constexpr std::string_view kNoPlace = "–"; // address 0: no decoder, no CV

std::size_t width(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string leftJustified(std::string text, std::size_t columns) {
    const std::size_t have = width(text);
    if (have < columns)
        text.append(columns - have, ' ');
    return text;
}

std::string rightJustified(const std::string& text, std::size_t columns) {
    const std::size_t have = width(text);
    return have < columns ? std::string(columns - have, ' ') + text : text;
}

std::string panelText(Panel panel) {
    switch (panel) {
    case Panel::Servo:
        return "Servo-Kurven und Zuordnung";
    case Panel::Blink:
        return "Blinkmuster";
    case Panel::Led:
        return "LED-Blinkmuster";
    case Panel::Neon:
        return "Neon-Werte";
    case Panel::House:
        return "Mindestanzahl (Hausbeleuchtung)";
    case Panel::None:
        break;
    }
    return "keiner";
}

std::string orNone(std::string_view text) {
    return text.empty() ? std::string{"-"} : std::string{text};
}

// "Label:" padded so that all values start in one column.
std::string labelled(const std::vector<std::pair<std::string, std::string>>& items) {
    std::size_t columns = 0;
    for (const auto& item : items)
        columns = std::max(columns, width(item.first) + 1);
    std::string text;
    for (const auto& [label, value] : items)
        text += leftJustified(label + ":", columns + 1) + value + "\n";
    return text;
}

// The help column: "5/3" (decoder 5, output 3) for accessory rows, the CVs for DCC vehicle rows.
std::string placeText(const Recognition& recognition, int address) {
    if (recognition.type == DecoderType::Schalt) {
        auto place = accessoryDecoderOutput(address);
        return place ? std::to_string(place->decoder) + "/" + std::to_string(place->output)
                     : std::string{kNoPlace};
    }
    auto cvs = dccVehicleCvs(address);
    if (!cvs)
        return std::string{kNoPlace};
    std::string text;
    for (const auto& [cv, value] : cvs->values)
        text += (text.empty() ? "CV" : ", CV") + std::to_string(cv) + "=" + std::to_string(value);
    return text;
}

// A row kept as read shows its bytes in place of the numbering, which would describe a value it does
// not hold.
std::string rowTable(const Recognition& recognition, const Parameters& parameters, const RowsAsRead& kept) {
    const bool switching = recognition.type == DecoderType::Schalt;
    // MM vehicle addresses need no conversion: the column is left out.
    const bool placeColumn =
        switching || (recognition.type == DecoderType::Fahrzeug && recognition.protocol == Protocol::DCC);
    const std::string rowHeader = "Zeile";
    const std::string captionHeader = "Bezeichnung";
    const std::string addressHeader = "Adresse";
    const std::string lastHeader = switching ? "R/G" : "Funktion";
    const std::string placeHeader = switching ? "Dekoder/Ausgang" : "CV";
    std::size_t captionWidth = width(captionHeader);
    for (int r = 0; r < kRowCount; ++r)
        captionWidth = std::max(captionWidth, width(recognition.rowCaption(r)));
    const std::size_t lastWidth = switching ? width("grün") : width(lastHeader);

    auto line = [&](const std::string& row, const std::string& caption, const std::string& address,
                    const std::string& last, const std::string& place) {
        std::string text = row + "  " + leftJustified(caption, captionWidth) + "  " + address + "  ";
        if (!placeColumn)
            return text + last + "\n";
        return text + leftJustified(last, lastWidth) + "  " + place + "\n";
    };
    std::string text = line(rowHeader, captionHeader, addressHeader, lastHeader, placeHeader);
    for (int r = 0; r < kRowCount; ++r) {
        if (recognition.rowCaption(r).empty())
            continue;
        const OutputRow& row = parameters.rows[r];
        const std::string last = switching ? (row.redGreen == 1 ? "grün" : "rot")
                                           : rightJustified(std::to_string(row.function), width(lastHeader));
        const auto& asRead = kept[static_cast<std::size_t>(r)];
        text += line(rightJustified(std::to_string(r), width(rowHeader)), recognition.rowCaption(r),
                     rightJustified(std::to_string(row.address), width(addressHeader)), last,
                     asRead ? "Bytes wie gelesen: " + asRead->bytes : placeText(recognition, row.address));
    }
    return text;
}

// "Zeile 3 (Out 3): <warning>" for every warning of every shown row, the rows kept as read first.
std::string warningLines(const Firmware& firmware) {
    const Recognition& recognition = firmware.recognition;
    const RowTable rows = rowValuesFrom(firmware.parameters, recognition);
    const RowsAsRead kept = rowsAsRead(firmware);
    std::string text;
    for (int r = 0; r < kRowCount; ++r) {
        if (!rows[static_cast<std::size_t>(r)].shown)
            continue;
        if (const auto& row = kept[static_cast<std::size_t>(r)])
            text += "  Zeile " + std::to_string(r) + " (" + recognition.rowCaption(r) + "): " + row->text() +
                    "\n";
        for (const HelpWarning& warning : rowWarnings(recognition.protocol, recognition.type, rows, r))
            text += "  Zeile " + std::to_string(r) + " (" + recognition.rowCaption(r) + "): " + warning.text +
                    "\n";
    }
    return text.empty() ? text : "\nWarnungen:\n" + text;
}

} // namespace

std::string showText(const Firmware& firmware, const std::string& fileName) {
    const Recognition& recognition = firmware.recognition;
    std::vector<std::pair<std::string, std::string>> items;
    items.emplace_back("Datei", fileName);
    items.emplace_back("Firmware", recognition.kind == 0
                                       ? std::string{"nicht erkannt"}
                                       : std::string{recognition.statusCaption()} + " (Art " +
                                             std::to_string(recognition.kind) + ")");
    const std::string protocol = recognition.protocol == Protocol::None
                                     ? std::string{"keines"}
                                     : std::string{protocolName(recognition.protocol)};
    items.emplace_back("Protokoll", protocol + " (Statusleiste: " + recognition.protocolStatus + ")");
    items.emplace_back("Typ", orNone(typeName(recognition.type)));
    items.emplace_back("Hardware", orNone(firmware.scan.hardwareMark));
    items.emplace_back("Version", orNone(firmware.scan.version));
    if (recognition.protocol != Protocol::None) {
        std::string range = "Adresse 1 bis " + std::to_string(recognition.maxAddress);
        if (recognition.type != DecoderType::Schalt)
            range += ", Funktion 1 bis " + std::to_string(recognition.maxFunction);
        items.emplace_back("Bereich", range);
    }
    if (const auto& extra = recognition.extra()) {
        std::string hint{extra->hint};
        for (std::size_t pos = 0; (pos = hint.find('\n', pos)) != std::string::npos;)
            hint.replace(pos, 1, ", ");
        items.emplace_back("Zusatzwert", std::string{extra->caption} + " = " +
                                             std::to_string(firmware.parameters.extraValue) + " (" + hint +
                                             "; höchstens " + std::to_string(extra->maximum) + ")");
    }
    if (recognition.kind != 0)
        items.emplace_back("Editor", panelText(recognition.panel()));

    std::string text = labelled(items);
    if (recognition.kind == 0)
        return text;
    if (!recognition.rowsShown())
        return text + "\nOhne erkanntes Protokoll werden keine Ausgänge angezeigt.\n";
    if (recognition.hasCaptions())
        text +=
            "\n" + rowTable(recognition, firmware.parameters, rowsAsRead(firmware)) + warningLines(firmware);
    return text;
}

} // namespace hq

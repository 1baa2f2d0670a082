// Clashes appear once in their own list and are marked in the index; the warnings list adds only
// what the clash list does not already say (DCC vehicle addresses beyond the long addresses,
// broken records, firmware without protocol).

#include "LayoutText.h"

#include "TextTable.h"
#include "layout/LayoutAnalysis.h"

#include <algorithm>

namespace hq {

namespace layout_text {
namespace {

std::string countText(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string summary(const LayoutScan& scan, const std::string& folder) {
    const std::size_t intended = scan.clashes.size() - static_cast<std::size_t>(scan.openClashCount());
    std::string clashes = std::to_string(scan.clashes.size());
    if (intended > 0)
        clashes += ", davon " + std::to_string(intended) + " gewollt";
    return "Anlage:            " + folder + "\n" +
           "Dekoder:           " + std::to_string(scan.decoders.size()) + " (" +
           countText(scan.addresses.size(), "Adresse", "Adressen") + ")\n" + "Doppelbelegungen:  " + clashes +
           "\n" + "Übersprungen:      " + countText(scan.problems.size(), "Datei", "Dateien") + "\n";
}

std::string decoderTable(const LayoutScan& scan) {
    std::vector<std::vector<std::string>> rows;
    for (const LayoutDecoder& decoder : scan.decoders) {
        std::string protocol =
            decoder.protocol == Protocol::None
                ? std::string{"ohne"}
                : std::string{protocolName(decoder.protocol)} + " " + std::string{typeName(decoder.type)};
        std::string extra = decoder.extra
                                ? decoder.extra->caption + ": " + std::to_string(decoder.extra->value)
                                : std::string{};
        rows.push_back({decoder.file, decoder.name, decoder.caption, std::to_string(decoder.kind), protocol,
                        decoder.version, extra, decoder.note});
    }
    return textTable({{"Datei"},
                      {"Name"},
                      {"Firmware"},
                      {"Art", true},
                      {"Protokoll"},
                      {"Version"},
                      {"Zusatzwert"},
                      {"Notiz"}},
                     rows);
}

std::string clashMark(const Clash& clash) {
    std::string mark = clash.key.kind == ClashKind::SameCommand ? "Doppelbelegung"
                       : clash.key.kind == ClashKind::Broadcast ? "Dekoder 511"
                                                                : "außerhalb";
    return clash.intended ? mark + " (gewollt)" : mark;
}

std::string addressTable(const LayoutScan& scan) {
    std::vector<std::vector<std::string>> rows;
    for (const AddressEntry& entry : scan.addresses) {
        const LayoutDecoder& decoder = scan.decoderOf(entry);
        const LayoutRow& row = scan.rowOf(entry);
        std::string marks;
        for (std::size_t index : clashesOf(scan, entry.decoder, entry.row))
            marks += (marks.empty() ? "" : ", ") + clashMark(scan.clashes[index]);
        rows.push_back({std::string{protocolName(entry.protocol)} + " " + std::string{spaceText(entry.space)},
                        std::to_string(entry.address), reactionText(entry.space, entry.reaction),
                        decoder.file, std::to_string(row.row), row.caption, row.use, marks});
    }
    return textTable({{"Protokoll"},
                      {"Adresse", true},
                      {"Reagiert auf"},
                      {"Datei"},
                      {"Zeile", true},
                      {"Bezeichnung"},
                      {"Verwendung"},
                      {"Hinweis"}},
                     rows);
}

std::string clashLines(const LayoutScan& scan) {
    std::string text;
    for (const Clash& clash : scan.clashes)
        text += std::string{"  "} + (clash.intended ? "gewollt: " : "") + clash.text + "\n";
    return text.empty() ? "  keine\n" : text;
}

std::string freeLines(const LayoutScan& scan) {
    std::string text;
    for (Protocol protocol : {Protocol::MM, Protocol::DCC}) {
        std::string line;
        for (const FreeBlock& block : scan.freeBlocks) {
            if (block.protocol != protocol)
                continue;
            if (!line.empty())
                line += ";  ";
            line += block.size == 1 ? std::string{"einzeln: "} : std::to_string(block.size) + " am Stück: ";
            line += block.first == 0 ? std::string{"keine"} : addressRunText(block.first, block.size);
        }
        text += std::string{"  "} + (protocol == Protocol::MM ? "MM:   " : "DCC:  ") + line + "\n";
    }
    return text;
}

// What the clash list does not say already.
std::string warningLines(const LayoutScan& scan) {
    std::string text;
    for (const LayoutDecoder& decoder : scan.decoders) {
        std::size_t rowWarnings = 0;
        for (const LayoutRow& row : decoder.rows) {
            for (const HelpWarning& warning : row.warnings) {
                ++rowWarnings;
                if (warning.kind == HelpWarningKind::BeyondLongAddresses)
                    text += "  " + partyText(decoder, row) + ": " + warning.text + "\n";
            }
        }
        for (std::size_t i = std::min(rowWarnings, decoder.warnings.size()); i < decoder.warnings.size(); ++i)
            text += "  " + decoder.file + ": " + decoder.warnings[i] + "\n";
    }
    return text;
}

} // namespace
} // namespace layout_text

std::string layoutText(const LayoutScan& scan, const std::string& folder) {
    using namespace layout_text;
    std::string text = summary(scan, folder);
    if (!scan.decoders.empty()) {
        text += "\nDekoder:\n" + decoderTable(scan);
        text += "\nAdressen:\n" + (scan.addresses.empty() ? std::string{"  keine\n"} : addressTable(scan));
    }
    text += "\nDoppelbelegungen:\n" + clashLines(scan);
    text += "\nFreie Zubehöradressen:\n" + freeLines(scan);
    if (std::string warnings = warningLines(scan); !warnings.empty())
        text += "\nWarnungen:\n" + warnings;
    if (!scan.problems.empty()) {
        text += "\nÜbersprungen:\n";
        for (const LayoutProblem& problem : scan.problems)
            text += "  " + problem.file + ": " + problem.reason + "\n";
    }
    return text;
}

} // namespace hq

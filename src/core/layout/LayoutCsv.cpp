// Fields are quoted only where they must be (a semicolon, a quote or a line break in them), so the
// file stays readable in a text editor too.

#include "layout/LayoutCsv.h"

#include "layout/LayoutAnalysis.h"

#include <initializer_list>

namespace hq {

namespace layout_csv {
namespace {

std::string textField(const std::string& text) {
    std::string value = text;
    if (!value.empty() && (value.front() == '=' || value.front() == '+' || value.front() == '-' ||
                           value.front() == '@' || value.front() == '\t' || value.front() == '\r'))
        value.insert(0, 1, '\'');
    if (value.find_first_of(";\"\r\n") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string joinedLine(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty())
            line += ';';
        line += field;
    }
    return line + "\r\n";
}

std::string joined(const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& part : texts)
        text += (text.empty() ? "" : " / ") + part;
    return text;
}

} // namespace
} // namespace layout_csv

std::string layoutCsvText(const LayoutScan& scan) {
    using namespace layout_csv;
    std::string csv = "\xEF\xBB\xBF";
    csv += joinedLine({"Protokoll", "Adressart", "Adresse", "Reagiert auf", "Verwendung", "Datei", "Name",
                       "Notiz", "Zeile", "Bezeichnung", "Firmware", "Art", "Version", "Zusatzwert",
                       "Doppelbelegung", "Warnungen"});
    for (const AddressEntry& entry : scan.addresses) {
        const LayoutDecoder& decoder = scan.decoderOf(entry);
        const LayoutRow& row = scan.rowOf(entry);
        std::vector<std::string> clashes;
        for (std::size_t index : clashesOf(scan, entry.decoder, entry.row))
            clashes.push_back(clashTextFor(scan, scan.clashes[index], entry.decoder, entry.row));
        std::vector<std::string> warnings;
        for (const HelpWarning& warning : row.warnings)
            warnings.push_back(warning.text);
        csv +=
            joinedLine({std::string{protocolName(entry.protocol)}, std::string{spaceText(entry.space)},
                        std::to_string(entry.address), reactionText(entry.space, entry.reaction),
                        textField(row.use), textField(decoder.file), textField(decoder.name),
                        textField(decoder.note), std::to_string(row.row), textField(row.caption),
                        textField(decoder.caption), std::to_string(decoder.kind), textField(decoder.version),
                        decoder.extra ? std::to_string(decoder.extra->value) : std::string{},
                        textField(joined(clashes)), textField(joined(warnings))});
    }
    return csv;
}

} // namespace hq

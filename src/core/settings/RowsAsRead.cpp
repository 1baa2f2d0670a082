#include "settings/RowsAsRead.h"

#include "help/EepromLines.h"
#include "image/Checksum.h"

#include <algorithm>
#include <set>

namespace hq {

std::string lineListText(const std::vector<int>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += i + 1 == lines.size() ? " und " : ", ";
        text += std::to_string(lines[i]);
    }
    return text;
}

std::string RowAsRead::text() const {
    std::string where = lines.empty()       ? std::string{"in keiner Zeile der HEX-Datei"}
                        : lines.size() == 1 ? "aus HEX-Zeile " + lineListText(lines)
                                            : "aus den HEX-Zeilen " + lineListText(lines);
    std::string what = "Die Bytes dieser Zeile (" + bytes + ", " + where + ")";
    if (undecodable && brokenLine)
        what += " stehen für keine Adresse, und ihre HEX-Zeile hat eine falsche Prüfsumme oder einen "
                "fehlerhaften "
                "Aufbau.";
    else if (undecodable)
        what += " stehen für keine Adresse, die sich hier so eingeben lässt; die Anzeige ist ein Ersatzwert.";
    else
        what += " stammen aus einer HEX-Zeile mit falscher Prüfsumme oder fehlerhaftem Aufbau.";
    return what + " Beim Speichern bleiben sie unverändert, solange kein neuer Wert eingegeben wird.";
}

RowsAsRead rowsAsRead(const Firmware& firmware) {
    RowsAsRead result;
    const Recognition& recognition = firmware.recognition;
    if (!recognition.rowsShown())
        return result;
    const EepromLineMap lineMap = eepromLineMap(firmware.image);
    const std::vector<int> bad = badRecordLines(firmware.image);
    const std::set<int> badLines(bad.begin(), bad.end());
    const RowCodec& codec = recognition.rowCodec();
    for (int r = 1; r < kRowCount; ++r) {
        if (recognition.rowCaption(r).empty())
            continue;
        const OutputRow& loaded = firmware.parameters.rows[r];
        OutputRow encoded = loaded;
        RowAsRead row;
        row.row = r;
        row.undecodable = codec.encode(encoded) != loaded.outputCode;
        std::set<int> lines;
        for (const EepromByteLine& byte : rowEepromLines(lineMap, r)) {
            if (byte.line) {
                lines.insert(*byte.line);
                row.brokenLine = row.brokenLine || badLines.contains(*byte.line);
            }
            row.bytes += (row.bytes.empty() ? "" : " ") + firmware.eeprom().bytes[byte.index];
        }
        if (!row.undecodable && !row.brokenLine)
            continue;
        row.lines.assign(lines.begin(), lines.end());
        result[r] = std::move(row);
    }
    return result;
}

std::vector<int> recomputedChecksumLines(const HexImage& before, const HexImage& after) {
    std::set<std::string_view> kept;
    for (int i = 0; i < after.lineCount; ++i)
        kept.insert(after.lines[i]);
    std::vector<int> recomputed;
    for (int line : badRecordLines(before)) {
        const std::string& text = before.lines[line - 1];
        if (!text.empty() && !kept.contains(text))
            recomputed.push_back(line);
    }
    return recomputed;
}

std::string recomputedChecksumText(const std::vector<int>& lines) {
    if (lines.empty())
        return {};
    const bool one = lines.size() == 1;
    return std::string{one ? "Die Zeile " : "Die Zeilen "} + lineListText(lines) + (one ? " hat" : " haben") +
           " in der geladenen Datei eine falsche Prüfsumme oder einen fehlerhaften Aufbau. Beim Speichern " +
           (one ? "wird sie" : "werden sie") +
           " neu geschrieben: die Daten-Bytes bleiben wie gelesen, die Prüfsumme wird neu berechnet, und die "
           "Beschädigung ist danach nicht mehr zu erkennen.";
}

} // namespace hq

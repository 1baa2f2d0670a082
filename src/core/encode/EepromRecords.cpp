// The 16 data-EEPROM records and their place in the line table.

#include "encode/SaveEncoder.h"
#include "image/Checksum.h"
#include "image/HexByte.h"
#include "image/ImageScan.h"

#include <vector>

namespace hq {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// The record number 0..15 of a standard EEPROM record head ":1042x000", or -1.
int standardRecordNumber(std::string_view line) {
    if (line.size() < 9 || !line.starts_with(":1042") || line.substr(6, 3) != "000")
        return -1;
    std::size_t digit = kHexDigits.find(line[5]);
    return digit == std::string_view::npos ? -1 : static_cast<int>(digit);
}

// Where records inserted into a file without EEPROM records still land in the EEPROM: before the
// end-of-file record and before the first non-zero extended address, read as findEepromLines
// reads them. Inserted behind either, every reader (this program included) would place them
// elsewhere, and the saved file would lose its settings.
int firstLineOutsideEeprom(const HexImage& image) {
    for (int i = 0; i < image.lineCount; ++i) {
        const std::string& line = image.lines[i];
        if (!line.starts_with(':'))
            continue;
        const std::string_view type = pairAt(line, 8);
        if (type == "01")
            return i;
        if ((type == "02" || type == "04") && pairAt(line, 2) == "02" &&
            (pairAt(line, 10) != "00" || pairAt(line, 12) != "00"))
            return i;
    }
    return image.lineCount;
}

} // namespace

Result<std::array<std::string, 16>> buildEepromRecords(const EepromImage& eeprom) {
    std::array<std::string, 16> records;
    for (int n = 0; n < 16; ++n) {
        std::string body = ":1042";
        body += kHexDigits[static_cast<std::size_t>(n)];
        body += "000";
        for (int i = 8 * n; i < 8 * n + 8; ++i)
            body += eeprom.bytes[i] + "00";
        auto record = completeRecord(body);
        if (!record)
            return Error{"Problem bei der Checksummen-Berechnung in Zeile " + std::to_string(n)};
        records[n] = *record;
    }
    return records;
}

Status replaceEepromRecords(HexImage& image, const std::array<std::string, 16>& records) {
    const EepromLines eepromLines = findEepromLines(image);
    auto isRecord = [&eepromLines](int i) { return eepromLines.record[static_cast<std::size_t>(i)]; };
    std::array<bool, 16> present{};
    int lastRecordLine = -1;
    for (int i = 0; i < image.lineCount; ++i) {
        const std::string& line = image.lines[i];
        if (!isRecord(i))
            continue;
        int n = standardRecordNumber(line);
        if (n < 0) {
            return Error{"Die EEPROM-Daten in Zeile " + std::to_string(i + 1) +
                         " haben ein anderes Format als erwartet (16 Bytes je Zeile ab :1042x000).\n"
                         "Das HEX-File wird nicht gespeichert, damit keine Änderung verloren geht."};
        }
        present[n] = true;
        lastRecordLine = i;
    }

    std::vector<std::string> missing;
    for (int n = 0; n < 16; ++n) {
        if (!present[n])
            missing.push_back(records[n]);
    }
    if (image.lineCount + static_cast<int>(missing.size()) > kLineTableSize) {
        return Error{"Im HEX-File ist kein Platz für die fehlenden EEPROM-Zeilen (höchstens " +
                     std::to_string(kLineTableSize) + " Zeilen). Das HEX-File wird nicht gespeichert."};
    }

    for (int i = 0; i < image.lineCount; ++i) {
        int n = isRecord(i) ? standardRecordNumber(image.lines[i]) : -1;
        if (n >= 0)
            image.lines[i] = records[n];
    }

    if (missing.empty())
        return {};
    const int insertAt = lastRecordLine >= 0 ? lastRecordLine + 1 : firstLineOutsideEeprom(image);
    int shift = static_cast<int>(missing.size());
    for (int i = image.lineCount - 1; i >= insertAt; --i)
        image.lines[i + shift] = std::move(image.lines[i]);
    for (int k = 0; k < shift; ++k)
        image.lines[insertAt + k] = missing[k];
    image.lineCount += shift;
    return {};
}

} // namespace hq

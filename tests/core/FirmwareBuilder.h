#pragma once
// Builds small firmware texts for the core tests.

#include "image/Checksum.h"
#include "image/EepromImage.h"
#include "image/HexByte.h"

#include <string>
#include <vector>

namespace hq::test {

// The body with its checksum; a body that is not hex gets "00" (a deliberately broken record).
inline std::string record(const std::string& body) {
    return completeRecord(body).value_or(body + "00");
}

// The 16 standard EEPROM records of `eeprom`.
inline std::vector<std::string> eepromRecords(const EepromImage& eeprom) {
    static const char digits[] = "0123456789ABCDEF";
    std::vector<std::string> lines;
    for (int n = 0; n < 16; ++n) {
        std::string body = std::string(":1042") + digits[n] + "000";
        for (int i = 8 * n; i < 8 * n + 8; ++i)
            body += eeprom.bytes[i] + "00";
        lines.push_back(record(body));
    }
    return lines;
}

struct FirmwareText {
    std::vector<std::string> lines;

    std::string text(const std::string& lineBreak = "\r\n") const {
        std::string out;
        for (const auto& line : lines)
            out += line + lineBreak;
        return out;
    }
};

// Reset vector, signature, ID record, EEPROM records and end-of-file record.
inline FirmwareText firmwareText(const std::string& resetVector, const std::string& signature,
                                 const EepromImage& eeprom = EepromImage{},
                                 const std::string& turntable = "") {
    FirmwareText f;
    f.lines.push_back(resetVector);
    if (!signature.empty())
        f.lines.push_back(signature);
    f.lines.push_back(record(":10002000831600308500FF308600831208000034"));
    if (!turntable.empty())
        f.lines.push_back(turntable);
    f.lines.push_back(record(":084000000100000004000100"));
    for (auto& line : eepromRecords(eeprom))
        f.lines.push_back(line);
    f.lines.push_back(record(":02400E00723F"));
    f.lines.push_back(":00000001FF");
    return f;
}

inline constexpr const char* kMmSchalt = ":100010008B1C32288B1031181428B11C3228643004";
inline constexpr const char* kDccSchalt = ":1000100005191028831601178312B23081002B288E";
inline constexpr const char* kMmFahrzeug = ":100010008B1C36288B1031181328B11C36286430FD";
inline constexpr const char* kDccFahrzeug = ":1000100005191028831601178312B2308100542865";
inline constexpr const char* kRelay8 = ":0400000069303A2801";     // kind 31
inline constexpr const char* kPelvar = ":0400000008303A2862";     // kind 21
inline constexpr const char* kLedSwitch = ":040000006A303A2800";  // kind 18, ten rows
inline constexpr const char* kFunction10 = ":0400000060283E3006"; // kind 6, ten rows

} // namespace hq::test

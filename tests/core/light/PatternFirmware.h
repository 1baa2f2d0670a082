#pragma once
// Small blink, LED, neon and house-light firmware texts for the light-editor tests.

#include "../FirmwareBuilder.h"
#include "encode/ProgramTable.h"

#include <string>

namespace hq::test {

inline constexpr const char* kBlinkReset = ":0400000001303A2869"; // kind 43
inline constexpr const char* kLedReset = ":04000000DD303A288D";   // kind 45
inline constexpr const char* kNeonReset = ":040000006028403004";  // kind 44
inline constexpr const char* kHouseReset = ":0400000071303A28F9"; // kind 15

// The 32 records of program block 1..4 holding the block's 256 entries of `table` as retlw words.
inline std::vector<std::string> programBlockRecords(int block, const ProgramTable& table) {
    std::vector<std::string> lines;
    int firstWord = 0x300 + 0x100 * (block - 1);
    for (int j = 0; j < 32; ++j) {
        int address = 2 * (firstWord + 8 * j);
        std::string body = ":10" + byteHexText(address >> 8) + byteHexText(address & 0xFF) + "00";
        for (int k = 0; k < 8; ++k)
            body += byteHexText(table[static_cast<std::size_t>(256 * (block - 1) + 8 * j + k)]) + "34";
        lines.push_back(record(body));
    }
    return lines;
}

// A firmware with program blocks 1..`blocks` filled from `table`, placed before the EEPROM records.
inline FirmwareText tableFirmware(const std::string& resetVector, int blocks, const ProgramTable& table,
                                  const EepromImage& eeprom = EepromImage{}) {
    FirmwareText f = firmwareText(resetVector, kMmSchalt, eeprom);
    std::vector<std::string> program;
    for (int block = 1; block <= blocks; ++block)
        for (auto& line : programBlockRecords(block, table))
            program.push_back(line);
    // After the reset vector, the signature and the first code record.
    f.lines.insert(f.lines.begin() + 3, program.begin(), program.end());
    return f;
}

// Index of the first line that begins with `prefix`, or -1.
inline int lineStarting(const FirmwareText& f, const std::string& prefix) {
    for (std::size_t i = 0; i < f.lines.size(); ++i)
        if (f.lines[i].rfind(prefix, 0) == 0)
            return static_cast<int>(i);
    return -1;
}

} // namespace hq::test

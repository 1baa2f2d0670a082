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

// Blink table: address n has count 10+n, stretch 5·n, loop on odd addresses, outputs 1 and 3 in use
// (bits 1..3 of the flags set as well, which the editor leaves alone), output n on at every even step,
// and entry 60 (not interpreted) 0xA0+n.
inline ProgramTable blinkDemoTable() {
    ProgramTable table{};
    for (int a = 1; a <= 4; ++a) {
        int base = 64 * (a - 1);
        for (int i = 0; i < 53; i += 2)
            table[base + i] = 1 << (a - 1);
        table[base + 53] = 10 + a;
        table[base + 54] = 5 * a;
        table[base + 55] = 0x50 | (a % 2) | 0x0E;
        table[base + 60] = 0xA0 + a;
    }
    return table;
}

// LED table: address n has count 20·n, stretch n, loop, all ten outputs in use; output k runs as a
// chaser (on at steps i with i mod 10 = k-1), address n adding every n-th step to output 1; entry 127
// and the entries from 228 on hold 0x5A.
inline ProgramTable ledDemoTable() {
    ProgramTable table{};
    for (int a = 1; a <= 4; ++a) {
        int base = 256 * (a - 1);
        for (int i = 0; i < 100; ++i) {
            int k = i % 10 + 1;
            if (k <= 4)
                table[base + i] |= 1 << (k - 1);
            else
                table[base + 128 + i] |= 1 << (k - 5);
            if (i % a == 0)
                table[base + i] |= 1;
        }
        table[base + 100] = 0xF1;
        table[base + 101] = 20 * a;
        table[base + 102] = a;
        table[base + 103] = 0x3F;
        table[base + 127] = 0x5A;
        for (int i = 228; i < 256; ++i)
            table[base + i] = 0x5A;
    }
    return table;
}

// Index of the first line that begins with `prefix`, or -1.
inline int lineStarting(const FirmwareText& f, const std::string& prefix) {
    for (std::size_t i = 0; i < f.lines.size(); ++i)
        if (f.lines[i].rfind(prefix, 0) == 0)
            return static_cast<int>(i);
    return -1;
}

} // namespace hq::test

#pragma once
// A small servo firmware text for tests: the four curve blocks in program-memory records
// ":100A0000".. ":100DF000" (retlw words 0x34vv) and the pulse timing in the EEPROM records.

#include "image/Checksum.h"
#include "image/EepromImage.h"
#include "image/HexByte.h"
#include "servo/ServoData.h"
#include "servo/ServoTiming.h"

#include <string>

namespace hq::servotest {

inline std::string withChecksum(const std::string& body) {
    return completeRecord(body).value_or(body + "00");
}

// Curve N point i = (N * 20 + i) & 0x7F, relay on for every third point; count 10 + N, stretch N,
// flag byte 0x20 | N, assignment bytes taken from the entry number, entries 108.. = entry number.
inline ServoData demoServoData() {
    ServoData data;
    for (int n = 1; n <= kServoCurveCount; ++n) {
        CurveBlock& block = data.curve(n);
        for (int i = 0; i < kCurveBlockSize; ++i) {
            block[static_cast<std::size_t>(i)] = i;
        }
        for (int i = 0; i < kMaxCurvePoints; ++i) {
            block[static_cast<std::size_t>(i)] = ((n * 20 + i) & 0x7F) | (i % 3 == 0 ? 0x80 : 0);
        }
        block[kCurveFlagEntry] = 0x20 | n;
        block[kCurveCountEntry] = 10 + n;
        block[kCurveStretchEntry] = n;
        block[103] = (1 << (n - 1)) | 0x10;
        block[104] = 0x10 << (n - 1) | (1 << (4 - n));
        block[106] = 0x08 >> (n - 1) | 0x20;
        block[107] = 0x80 >> (n - 1) | 0x01;
    }
    return data;
}

inline ServoTiming demoServoTiming() {
    ServoTiming timing;
    timing.bytes = {125, 0, 100, 20, 200, 240, 60, 128};
    return timing;
}

// Blocks 3 and 4 of the program table as 64 records.
inline std::string programRecords(const ServoData& data) {
    ProgramTable table{};
    storeServoData(data, table);
    std::string text;
    for (int j = 0; j < 64; ++j) {
        const int address = 0x0A00 + 16 * j;
        std::string body = ":10" + byteHexText(address >> 8) + byteHexText(address & 0xFF) + "00";
        for (int k = 0; k < 8; ++k) {
            body += byteHexText(table[static_cast<std::size_t>(kServoTableOffset + 8 * j + k)]) + "34";
        }
        text += withChecksum(body) + "\r\n";
    }
    return text;
}

inline std::string eepromRecords(const EepromImage& eeprom) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (int n = 0; n < 16; ++n) {
        std::string body = std::string(":1042") + digits[n] + "000";
        for (int i = 8 * n; i < 8 * n + 8; ++i) {
            body += eeprom.bytes[static_cast<std::size_t>(i)] + "00";
        }
        text += withChecksum(body) + "\r\n";
    }
    return text;
}

inline std::string servoFirmwareText(const ServoData& data = demoServoData(),
                                     const ServoTiming& timing = demoServoTiming()) {
    EepromImage eeprom;
    storeServoTiming(timing, eeprom);
    return programRecords(data) + eepromRecords(eeprom) + ":00000001FF\r\n";
}

} // namespace hq::servotest

#pragma once
// Minimal firmware files for the window tests: a reset vector, a protocol signature, optionally the
// turntable record at 0x0110, the 16 data-EEPROM records and the end record.

#include <array>
#include <string>

namespace testhex {

// Protocol signatures at 0x0010.
inline const std::string kMmSchalt = ":100010008B1C32288B1031181428B11C3228643004";
inline const std::string kDccSchalt = ":1000100005191028831601178312B23081002B288E";
inline const std::string kMmFahrzeug = ":100010008B1C36288B1031181328B11C36286430FD";
inline const std::string kDccFahrzeug = ":1000100005191028831601178312B2308100542865";
// Ordinary code at 0x0010: no protocol.
inline const std::string kNoSignature = ":1000100000000000000000000000000000000000E0";

// A reset vector no firmware uses.
inline const std::string kPlainReset = ":040000008A013A280F";

struct Hex {
    std::string resetVector;
    std::string signature;
    std::string turntable; // the ":10011" line, or empty
    std::array<int, 128> eeprom{};

    Hex(std::string reset, std::string sig);

    // Stores the six code digits of `row` at the row's three EEPROM bytes.
    Hex& row(int row, const std::string& code);
    Hex& byte(int index, int value);

    std::string text() const;
};

// The record ":1042n000" carrying EEPROM bytes 8n..8n+7, with its checksum.
std::string eepromRecord(const std::array<int, 128>& eeprom, int n);
// ":" + body + the Intel HEX checksum of body.
std::string withChecksum(const std::string& body);

} // namespace testhex

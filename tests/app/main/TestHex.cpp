#include "TestHex.h"

#include <cstdio>

namespace testhex {

namespace {

std::string hexByte(int value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

int rowByte(int row, int which) {
    return row < 16 ? which * 16 + row : 64 + which * 16 + (row - 16);
}

} // namespace

Hex::Hex(std::string reset, std::string sig) : resetVector(std::move(reset)), signature(std::move(sig)) {
    eeprom.fill(0xFF);
}

Hex& Hex::row(int r, const std::string& code) {
    for (int b = 0; b < 3; ++b) {
        eeprom.at(rowByte(r, b)) = std::stoi(code.substr(2 * b, 2), nullptr, 16);
    }
    return *this;
}

Hex& Hex::byte(int index, int value) {
    eeprom.at(index) = value;
    return *this;
}

std::string withChecksum(const std::string& body) {
    int sum = 0;
    for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
        sum += std::stoi(body.substr(i, 2), nullptr, 16);
    }
    return ":" + body + hexByte((256 - sum % 256) % 256);
}

std::string eepromRecord(const std::array<int, 128>& eeprom, int n) {
    std::string body = "1042" + hexByte(n * 16) + "00";
    for (int i = 0; i < 8; ++i) {
        body += hexByte(eeprom.at(8 * n + i)) + "00";
    }
    return withChecksum(body);
}

std::string Hex::text() const {
    std::string out = resetVector + "\r\n" + signature + "\r\n";
    if (!turntable.empty()) {
        out += turntable + "\r\n";
    }
    out += withChecksum("10002000" + std::string(32, '0')) + "\r\n";
    out += withChecksum("084000000100000004000100") + "\r\n"; // ID words: hardware mark 1, "V 0.41"
    for (int n = 0; n < 16; ++n) {
        out += eepromRecord(eeprom, n) + "\r\n";
    }
    out += ":00000001FF\r\n";
    return out;
}

} // namespace testhex

#include "encode/CodeTables.h"

#include "image/HexByte.h"

#include <memory>

namespace hq {

namespace {

std::string hex16(int value) {
    return byteHexText((value >> 8) & 0xFF) + byteHexText(value & 0xFF);
}

// One base-3 digit as two bits: 0 -> 00, 1 -> 11, 2 -> 10.
int tritBits(int digit) {
    static constexpr int bits[] = {0b00, 0b11, 0b10};
    return bits[digit];
}

// The trit code of n placed in groups g0 (bits 9-8) .. g(count-1), as a 16-bit value.
int tritValue(int n, int groups = 4, int firstGroup = 0) {
    int value = 0;
    for (int g = firstGroup; g < firstGroup + groups; ++g) {
        value |= tritBits(n % 3) << (8 - 2 * g);
        n /= 3;
    }
    return value;
}

// The low `count` bits of n in reversed order, the lowest going to bit `topBit`.
int reversedBits(int n, int count, int topBit) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (n & (1 << i))
            value |= 1 << (topBit - i);
    }
    return value;
}

int mmVehicleValue(int a) {
    if (a <= 79)
        return tritValue(a);
    if (a == 80)
        return 0;
    if (a <= 144)
        return (0b01 << 8) | reversedBits(a - 81, 6, 7);
    if (a <= 192) {
        int n = a - 145;
        return (0b01 << 6) | tritValue(n / 16, 1, 0) | reversedBits(n, 4, 5);
    }
    if (a <= 228) {
        int n = a - 193;
        return (0b01 << 4) | tritValue((n / 4) % 3, 1, 0) | tritValue(n / 12, 1, 1) | reversedBits(n, 2, 3);
    }
    return (0b01 << 2) | tritValue(a - 229, 3, 0);
}

std::unique_ptr<CodeTables> build() {
    auto tables = std::make_unique<CodeTables>();

    static constexpr const char* pairCodes[] = {"C3", "F3", "CF", "FF"};
    tables->mmAccessory[0] = "FFFFFF";
    for (int a = 1; a <= kMmHighestAccessory; ++a) {
        int d = (a - 1) / 4 + 1;
        int p = (a - 1) % 4;
        tables->mmAccessory[a] = (d == 80 ? std::string{"0000"} : tritCode(d)) + pairCodes[p];
    }

    for (int a = 1; a <= kMmHighestVehicle; ++a)
        tables->mmVehicle[a] = hex16(mmVehicleValue(a));
    std::swap(tables->mmVehicle[83], tables->mmVehicle[191]);
    std::swap(tables->mmVehicle[123], tables->mmVehicle[192]);

    for (int a = 1; a <= kDccHighestAccessory; ++a) {
        int d = (a - 1) / 4 + 1;
        int p = (a - 1) % 4;
        int byteA = 128 + d % 64;
        int byteB = 128 + 16 * (7 - d / 64) + 8 + 2 * p;
        tables->dccAccessory[a] =
            byteHexText(byteA ^ byteB) + byteHexText((2 * byteB) % 256) + byteHexText((4 * byteA + 1) % 256);
    }

    for (int a = 0; a <= kMmHighestAccessory; ++a) {
        tables->mmAccessoryLookup.try_emplace(tables->mmAccessory[a], CodeTables::Match{a, 0});
        tables->mmAccessoryLookup.try_emplace(mmRedGreenVariant(tables->mmAccessory[a]),
                                              CodeTables::Match{a, 1});
    }
    for (int a = 1; a <= kDccHighestAccessory; ++a) {
        tables->dccAccessoryLookup.try_emplace(tables->dccAccessory[a], CodeTables::Match{a, 0});
        tables->dccAccessoryLookup.try_emplace(dccRedGreenVariant(tables->dccAccessory[a]),
                                               CodeTables::Match{a, 1});
    }
    for (int a = 1; a <= kMmHighestVehicle; ++a)
        tables->mmVehicleLookup.try_emplace(tables->mmVehicle[a], a);
    return tables;
}

constexpr std::string_view kMmFunctionCodes[] = {"51", "05", "15", "55"};
constexpr std::string_view kDccFunctionCodes[] = {"81", "82", "84", "88", "B1", "B2",
                                                  "B4", "B8", "A1", "A2", "A4", "A8"};

template <std::size_t N> int positionIn(const std::string_view (&codes)[N], std::string_view code) {
    for (std::size_t i = 0; i < N; ++i) {
        if (codes[i] == code)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

} // namespace

const CodeTables& CodeTables::instance() {
    static const std::unique_ptr<CodeTables> tables = build();
    return *tables;
}

std::string tritCode(int n) {
    return hex16(tritValue(n));
}

std::string mmRedGreenVariant(std::string_view code) {
    std::string variant{code};
    if (variant.size() >= 5) {
        if (variant[4] == 'C')
            variant[4] = '0';
        else if (variant[4] == 'F')
            variant[4] = '3';
    }
    return variant;
}

std::string dccRedGreenVariant(std::string_view code) {
    std::string variant{code};
    if (variant.size() >= 4) {
        switch (variant[3]) {
        case '0':
            variant[3] = '2';
            break;
        case '4':
            variant[3] = '6';
            break;
        case '8':
            variant[3] = 'A';
            break;
        case 'C':
            variant[3] = 'E';
            break;
        default:
            break;
        }
    }
    if (variant.size() >= 2) {
        static constexpr std::string_view digits = "0123456789ABCDEF";
        std::size_t value = digits.find(variant[1]);
        if (value != std::string_view::npos)
            variant[1] = digits[value ^ 1];
    }
    return variant;
}

std::string_view mmFunctionCode(int function) {
    return function >= 1 && function <= 4 ? kMmFunctionCodes[function - 1] : std::string_view{};
}

std::string_view dccFunctionCode(int function) {
    return function >= 1 && function <= 12 ? kDccFunctionCodes[function - 1] : std::string_view{};
}

int mmFunctionNumber(std::string_view code) {
    return positionIn(kMmFunctionCodes, code);
}
int dccFunctionNumber(std::string_view code) {
    return positionIn(kDccFunctionCodes, code);
}

} // namespace hq

#include "encode/CodeTables.h"

#include "image/HexByte.h"

#include <optional>

namespace hq {

namespace {

// `value` as `digits` upper-case hex digits.
std::string hexDigits(std::uint32_t value, int digits) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = hex[value & 15];
    return text;
}

std::string hex16(int value) {
    return hexDigits(static_cast<std::uint32_t>(value) & 0xFFFF, 4);
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

// The code text as a number with its length in the top bits (so "0300C" is not "00300C"), or
// nothing when it holds anything but upper-case hex digits.
std::optional<std::uint32_t> codeValue(std::string_view code) {
    if (code.empty() || code.size() > 6)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : code) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value | static_cast<std::uint32_t>(code.size()) << 28;
}

void addToLookup(CodeTable& table, int address, std::uint32_t value, bool changedForm) {
    table.addCode(value, CodeTable::Match{address, changedForm});
}

// The red/green-changed forms as numbers (the same changes as mmRedGreenVariant and
// dccRedGreenVariant make to the text): MM turns the 5th digit C into 0 and F into 3, DCC sets
// bit 1 of the 4th digit and flips bit 0 of the 2nd.
constexpr std::uint32_t mmChangedValue(std::uint32_t value) {
    return value & ~std::uint32_t{0xC0};
}
constexpr std::uint32_t dccChangedValue(std::uint32_t value) {
    return value ^ 0x010200;
}

constexpr const char* kPairCodes[] = {"C3", "F3", "CF", "FF"};

CodeTable buildMmAccessory() {
    CodeTable table;
    table.codes.resize(350);
    table.codes[0] = "FFFFFF";
    for (int a = 1; a <= kMmHighestAccessory; ++a) {
        int d = (a - 1) / 4 + 1;
        table.codes[a] = (d == 80 ? std::string{"0000"} : tritCode(d)) + kPairCodes[(a - 1) % 4];
    }
    for (int a = 0; a <= kMmHighestAccessory; ++a) {
        const std::uint32_t value = *codeValue(table.codes[a]);
        addToLookup(table, a, value, false);
        addToLookup(table, a, mmChangedValue(value), true);
    }
    return table;
}

CodeTable buildMmVehicle() {
    CodeTable table;
    table.codes.resize(350);
    for (int a = 1; a <= kMmHighestVehicle; ++a)
        table.codes[a] = hex16(mmVehicleValue(a));
    std::swap(table.codes[83], table.codes[191]);
    std::swap(table.codes[123], table.codes[192]);
    for (int a = 1; a <= kMmHighestVehicle; ++a)
        addToLookup(table, a, *codeValue(table.codes[a]), false);
    return table;
}

CodeTable buildDccAccessory() {
    CodeTable table;
    table.codes.resize(2100);
    for (int a = 1; a <= kDccHighestAccessory; ++a) {
        int d = (a - 1) / 4 + 1;
        int p = (a - 1) % 4;
        int byteA = 128 + d % 64;
        int byteB = 128 + 16 * (7 - d / 64) + 8 + 2 * p;
        const auto value = static_cast<std::uint32_t>((byteA ^ byteB) << 16 | (2 * byteB) % 256 << 8 |
                                                      (4 * byteA + 1) % 256);
        table.codes[a] = hexDigits(value, 6);
    }
    for (int a = 1; a <= kDccHighestAccessory; ++a) {
        const std::uint32_t value = *codeValue(table.codes[a]);
        addToLookup(table, a, value, false);
        addToLookup(table, a, dccChangedValue(value), true);
    }
    return table;
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

CodeTable::Slot& CodeTable::slotFor(std::uint32_t key) {
    return const_cast<Slot&>(static_cast<const CodeTable*>(this)->slotFor(key));
}

const CodeTable::Slot& CodeTable::slotFor(std::uint32_t key) const {
    // At most 4088 codes in 8192 slots: a free slot is always found.
    const std::size_t mask = slots_.size() - 1;
    std::size_t index = (key * 2654435761u) & mask;
    while (slots_[index].key != 0 && slots_[index].key != key)
        index = (index + 1) & mask;
    return slots_[index];
}

void CodeTable::addCode(std::uint32_t value, Match match) {
    Slot& slot = slotFor(value);
    if (slot.key == 0)
        slot = Slot{value, match};
}

const CodeTable::Match* CodeTable::find(std::string_view code) const {
    auto value = codeValue(code);
    if (!value)
        return nullptr;
    const Slot& slot = slotFor(*value);
    return slot.key == *value ? &slot.match : nullptr;
}

const CodeTable& mmAccessoryTable() {
    static const CodeTable table = buildMmAccessory();
    return table;
}

const CodeTable& mmVehicleTable() {
    static const CodeTable table = buildMmVehicle();
    return table;
}

const CodeTable& dccAccessoryTable() {
    static const CodeTable table = buildDccAccessory();
    return table;
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

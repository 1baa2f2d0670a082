#include "image/Checksum.h"

#include "image/HexByte.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace hq {

std::optional<std::string> recordChecksum(std::string_view body, bool padMissing) {
    if (body.empty() || body.front() != ':')
        return std::nullopt;
    std::string_view digits = body.substr(1);
    std::size_t pairs = digits.size() / 2;
    if (digits.size() % 2 != 0)
        return std::nullopt;
    if (padMissing && pairs >= 1) {
        // The count promises 4 + count bytes before the checksum; missing ones read as "00".
        if (auto count = hexByteValue(digits.substr(0, 2)))
            pairs = std::max<std::size_t>(pairs, 4 + static_cast<std::size_t>(*count));
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        if (2 * i + 2 > digits.size())
            continue; // padded with "00"
        auto value = hexByteValue(digits.substr(2 * i, 2));
        if (!value)
            return std::nullopt;
        sum += static_cast<unsigned>(*value);
    }
    return byteHexText(static_cast<int>((256 - sum % 256) % 256));
}

std::optional<std::string> completeRecord(std::string_view body) {
    auto checksum = recordChecksum(body);
    if (!checksum)
        return std::nullopt;
    std::string record{body};
    record += *checksum;
    return record;
}

namespace {

// The value of an upper-case hex digit, 0xFF for any other character: a table, as every line of
// every file of a layout is checked.
constexpr std::array<std::uint8_t, 256> kDigitValues = [] {
    std::array<std::uint8_t, 256> values{};
    values.fill(0xFF);
    for (int c = '0'; c <= '9'; ++c)
        values[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        values[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c - 'A' + 10);
    return values;
}();

} // namespace

bool recordIsValid(std::string_view line) {
    if (line.size() < 11 || line.front() != ':' || (line.size() - 1) % 2 != 0)
        return false;
    auto count = hexByteValue(line.substr(1, 2));
    if (!count || line.size() != 11 + 2 * static_cast<std::size_t>(*count))
        return false;
    unsigned sum = 0;
    unsigned invalid = 0;
    for (std::size_t pos = 1; pos < line.size(); pos += 2) {
        const unsigned high = kDigitValues[static_cast<unsigned char>(line[pos])];
        const unsigned low = kDigitValues[static_cast<unsigned char>(line[pos + 1])];
        invalid |= high | low;
        sum += high * 16 + low;
    }
    return invalid < 16 && sum % 256 == 0;
}

} // namespace hq

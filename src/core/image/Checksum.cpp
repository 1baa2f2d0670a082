#include "image/Checksum.h"

#include "image/HexByte.h"

#include <algorithm>

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

bool recordIsValid(std::string_view line) {
    if (line.size() < 11 || line.front() != ':' || (line.size() - 1) % 2 != 0)
        return false;
    auto count = hexByteValue(line.substr(1, 2));
    if (!count || line.size() != 11 + 2 * static_cast<std::size_t>(*count))
        return false;
    unsigned sum = 0;
    for (std::size_t pos = 1; pos < line.size(); pos += 2) {
        auto value = hexByteValue(line.substr(pos, 2));
        if (!value)
            return false;
        sum += static_cast<unsigned>(*value);
    }
    return sum % 256 == 0;
}

} // namespace hq

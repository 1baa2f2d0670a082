#include "image/HexByte.h"

#include <array>

namespace hq {

namespace {

std::array<std::string, 256> makeTexts() {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::array<std::string, 256> texts;
    for (int i = 0; i < 256; ++i)
        texts[i] = std::string{digits[i >> 4], digits[i & 15]};
    return texts;
}

int upperHexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

const std::string& byteHexText(int value) {
    static const std::array<std::string, 256> texts = makeTexts();
    return texts[static_cast<std::size_t>(value) & 0xFF];
}

std::optional<int> hexByteValue(std::string_view text) {
    if (text.size() != 2)
        return std::nullopt;
    int high = upperHexDigit(text[0]);
    int low = upperHexDigit(text[1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    return high * 16 + low;
}

std::string_view pairAt(std::string_view line, std::size_t pos) {
    if (pos == 0 || pos + 1 > line.size())
        return {};
    return line.substr(pos - 1, 2);
}

} // namespace hq

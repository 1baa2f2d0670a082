#include "image/HexImage.h"

#include <vector>

namespace hq {

std::string upperCased(std::string_view text) {
    std::string result{text};
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

Result<HexImage> parseHexText(std::string_view text) {
    static constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.starts_with(bom))
        text.remove_prefix(bom.size());

    std::vector<std::string_view> lines;
    std::string lineBreak;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        std::size_t breakLength =
            (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        if (lineBreak.empty())
            lineBreak = std::string{text.substr(end, breakLength)};
        start = end + breakLength;
        if (lines.size() > static_cast<std::size_t>(kLineTableSize))
            break;
    }

    if (lines.size() > static_cast<std::size_t>(kLineTableSize)) {
        return Error{"Das HEX-File hat mehr als " + std::to_string(kLineTableSize) +
                     " Zeilen und kann nicht geladen werden."};
    }

    HexImage image;
    if (!lineBreak.empty())
        image.lineBreak = lineBreak;
    for (std::size_t i = 0; i < lines.size(); ++i)
        image.lines[i] = upperCased(lines[i]);
    image.lineCount = static_cast<int>(lines.size());
    return image;
}

std::string hexImageText(const HexImage& image) {
    std::string text;
    for (int i = 0; i < image.lineCount; ++i) {
        text += image.lines[i];
        text += image.lineBreak;
    }
    return text;
}

} // namespace hq

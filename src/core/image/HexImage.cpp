#include "image/HexImage.h"

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

    HexImage image;
    std::string lineBreak;
    const char* cursor = text.data();
    const char* const end = cursor + text.size();
    int count = 0;
    while (cursor < end) {
        const char* stop = cursor;
        while (stop < end && *stop != '\r' && *stop != '\n')
            ++stop;
        if (count == kLineTableSize) {
            return Error{"Das HEX-File hat mehr als " + std::to_string(kLineTableSize) +
                             " Zeilen und kann nicht geladen werden.",
                         ErrorKind::TooLarge};
        }
        image.lines[count++] = upperCased(std::string_view(cursor, static_cast<std::size_t>(stop - cursor)));
        if (stop == end)
            break;
        std::size_t breakLength = (*stop == '\r' && stop + 1 < end && stop[1] == '\n') ? 2 : 1;
        if (lineBreak.empty())
            lineBreak.assign(stop, breakLength);
        cursor = stop + breakLength;
    }
    if (!lineBreak.empty())
        image.lineBreak = lineBreak;
    image.lineCount = count;
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

#include "image/HexImage.h"

namespace hq {

namespace {

// Without a branch per character, so the compiler can handle a line in a few wide steps.
void upperCaseInPlace(std::string& text) {
    for (char& c : text)
        c = static_cast<char>(c - ((c >= 'a' && c <= 'z') ? 'a' - 'A' : 0));
}

} // namespace

std::string upperCased(std::string_view text) {
    std::string result{text};
    upperCaseInPlace(result);
    return result;
}

Result<HexImage> parseHexText(std::string_view text) {
    Result<HexImage> parsed{std::in_place};
    if (Status status = parseHexTextInto(text, *parsed); !status)
        parsed = status.error();
    return parsed;
}

Status parseHexTextInto(std::string_view text, HexImage& image) {
    static constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.starts_with(bom))
        text.remove_prefix(bom.size());

    for (std::string& line : image.lines)
        line.clear();
    image.lineBreak = "\r\n";
    std::string lineBreak;
    const char* cursor = text.data();
    const char* const end = cursor + text.size();
    int count = 0;
    image.lineCount = 0;
    while (cursor < end) {
        const char* stop = cursor;
        while (stop < end && *stop != '\r' && *stop != '\n')
            ++stop;
        if (count == kLineTableSize) {
            return Error{"Das HEX-File hat mehr als " + std::to_string(kLineTableSize) +
                             " Zeilen und kann nicht geladen werden.",
                         ErrorKind::TooLarge};
        }
        // Filled in place: a layout reads hundreds of files, and a temporary per line adds up.
        std::string& line = image.lines[count++];
        line.assign(cursor, static_cast<std::size_t>(stop - cursor));
        upperCaseInPlace(line);
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
    return {};
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

// Widths are counted in UTF-8 characters: bytes that continue a sequence do not count.

#include "TextTable.h"

#include <algorithm>

namespace hq {

namespace text_table {
namespace {

std::size_t shownWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace
} // namespace text_table

std::string textTable(const std::vector<TextColumn>& columns,
                      const std::vector<std::vector<std::string>>& rows) {
    using text_table::shownWidth;
    std::vector<std::size_t> widths;
    for (const TextColumn& column : columns)
        widths.push_back(shownWidth(column.heading));
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], shownWidth(row[c]));
    }
    auto line = [&](auto cellOf) {
        std::string text;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::string cell = cellOf(c);
            const std::string padding(widths[c] - std::min(widths[c], shownWidth(cell)), ' ');
            if (c > 0)
                text += "  ";
            text += columns[c].rightAligned ? padding + cell : cell + padding;
        }
        text.erase(text.find_last_not_of(' ') + 1);
        return text + "\n";
    };
    std::string text = line([&](std::size_t c) { return columns[c].heading; });
    for (const auto& row : rows)
        text += line([&](std::size_t c) { return c < row.size() ? row[c] : std::string{}; });
    return text;
}

} // namespace hq

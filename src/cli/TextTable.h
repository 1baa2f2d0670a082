#pragma once
// Plain-text tables for the terminal: columns padded by characters, not bytes, since captions and
// values hold umlauts and dashes that a terminal shows as one character each.

#include <string>
#include <vector>

namespace hq {

struct TextColumn {
    std::string heading;
    bool rightAligned = false;
};

// The heading line and one line per row, columns two blanks apart, trailing blanks dropped.
std::string textTable(const std::vector<TextColumn>& columns,
                      const std::vector<std::vector<std::string>>& rows);

} // namespace hq

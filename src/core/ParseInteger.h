#pragma once
// Integer parsing of edit-field texts, shared by validation and the editors.

#include <optional>
#include <string_view>

namespace hq {

// A decimal integer with an optional sign, surrounding blanks allowed; nothing for any other text
// (empty, letters, fractions, a number beyond the int range).
std::optional<int> parseInteger(std::string_view text);

} // namespace hq

#pragma once
// Two-digit upper-case hex texts "00".."FF" and their values.

#include <optional>
#include <string>
#include <string_view>

namespace hq {

// "00".."FF" for 0..255.
const std::string& byteHexText(int value);

// The value of a two-digit upper-case hex text, or nothing when the text is not one of "00".."FF".
std::optional<int> hexByteValue(std::string_view text);

// The two characters of `line` at 1-based position `pos` and `pos + 1`, or an empty view where the
// line is too short.
std::string_view pairAt(std::string_view line, std::size_t pos);

} // namespace hq

#pragma once
// The loaded Intel HEX file as a table of upper-cased text lines.

#include "Result.h"

#include <array>
#include <string>
#include <string_view>

namespace hq {

inline constexpr int kLineTableSize = 512;

struct HexImage {
    std::array<std::string, kLineTableSize> lines;
    int lineCount = 0;
    // The line break found in the loaded file ("\r\n", "\n" or "\r"); saving writes the same.
    std::string lineBreak = "\r\n";
};

// Splits `text` into lines (CR LF, LF or CR; a UTF-8 byte-order mark is dropped) and stores them
// upper-cased. More lines than the table holds are refused with a German message.
Result<HexImage> parseHexText(std::string_view text);
// The same into `image`, which is cleared first; on a refusal it holds what was read so far.
Status parseHexTextInto(std::string_view text, HexImage& image);

// The text of lines 0..lineCount-1, each followed by the image's line break.
std::string hexImageText(const HexImage& image);

// ASCII upper-casing, as every line is held.
std::string upperCased(std::string_view text);

} // namespace hq

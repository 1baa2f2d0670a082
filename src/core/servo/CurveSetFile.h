#pragma once
// Curve set files (".set"): all four curve blocks in 512 lines. Line 2i is entry i of blocks 1 and
// 2 taken in a row, line 2i + 1 entry i of blocks 3 and 4; the pulse timing is not in the file.

#include "Result.h"
#include "servo/ServoData.h"

#include <string>
#include <string_view>

namespace hq {

inline constexpr int kCurveSetFileLines = 512;
inline constexpr const char* kCurveSetFileTooLongMessage = "Dieses File hat zu viele Zeilen (max. 512)";

// The 512 lines, CR LF after every line.
std::string formatCurveSetFile(const ServoData& data);

// All four blocks, or the German message: more than 512 lines, or a pair of lines k, k + 1 of which
// one is missing or no number 0 or above (the message names line k). Values of 256 and more are
// taken as 255.
Result<ServoData> parseCurveSetFile(std::string_view text);

} // namespace hq

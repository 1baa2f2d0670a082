#pragma once
// Curve files (".cur"): one line per point of one curve, each the point's byte (bits 0..6 position,
// bit 7 relay) as a decimal number.

#include "Result.h"
#include "servo/ServoData.h"

#include <string>
#include <string_view>
#include <vector>

namespace hq {

inline constexpr const char* kCurveFileTooLongMessage =
    "Nur die ersten 100 Zeilen dieses File werden verwendet";

// The curve's points 0..count-1 (count clamped to 1..100), one line each, CR LF after every line.
std::string formatCurveFile(const CurveBlock& block);

// True when the file has more lines than a curve has points; only the first 100 are used.
bool curveFileTooLong(std::string_view text);

// The points of the first 100 lines, values of 256 and more taken as 255. The whole file is
// refused with the invalid-characters message of the first line that is no number 0 or above.
// An empty file gives no points.
Result<std::vector<int>> parseCurveFile(std::string_view text);

// Stores the points as points 0.. of the curve and sets its count; no points change nothing.
void applyCurvePoints(CurveBlock& block, const std::vector<int>& points);

} // namespace hq

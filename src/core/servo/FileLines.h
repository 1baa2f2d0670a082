#pragma once
// Lines of the curve and set files: CR LF, LF or CR breaks, a final line without break counts, a
// break at the very end adds no empty line, a UTF-8 byte-order mark is dropped.

#include <string>
#include <string_view>
#include <vector>

namespace hq {

std::vector<std::string_view> servoFileLines(std::string_view text);

// The invalid-characters message for line `line` (counted from 0).
std::string invalidServoFileLineMessage(int line);

// A line's byte value: an integer 0..255, larger numbers taken as 255; nothing for any other text,
// negative numbers included.
bool servoFileByte(std::string_view line, int& value);

} // namespace hq

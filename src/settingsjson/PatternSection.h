#pragma once
// What the "blink" and "led" sections share: the four patterns of a pattern table as JSON and back.
//
//   {"addresses": [{"address": 1, "count": 10, "stretch": 10, "loop": true,
//                   "outputs": [{"output": 1, "used": true, "steps": "1100110011"}, ...]}, ... 4]}
//
// "steps" holds one '0' or '1' per step 0..count-1. `apply` takes the values as the editor does:
// count clamped to 1..maxCount (after which the steps are read), stretch to 1..200; a steps text
// longer than the count is cut, a shorter one leaves the later steps. Only values that differ from
// those shown are taken (a missing key or null keeps the value; a steps text is taken whole), onto
// the table as "program_table", taken first, left it: both can be edited in one `show --json`
// output, and the values here win where both change the same byte. Saving writes a changed table
// into the program blocks, as "Übernehmen" does.

#include "JsonSection.h"
#include "light/PatternLayout.h"

namespace hq {

std::optional<Json> showPatterns(const ShowSource& source, Panel panel);

Status applyPatterns(const Json& value, SettingsTarget& target, Panel panel, const char* section);

} // namespace hq

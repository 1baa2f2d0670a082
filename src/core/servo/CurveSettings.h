#pragma once
// The point count and stretch fields of the curve editor and the two time texts beside them.

#include "Result.h"

#include <string>
#include <string_view>

namespace hq {

inline constexpr const char* kPointCountMessage =
    "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100";
inline constexpr const char* kStretchMessage =
    "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200";

// The typed point count brought into 1..100, or the German message when the text is no integer.
Result<int> parsePointCount(std::string_view text);
// The typed stretch brought into 1..200, or the German message when the text is no integer.
Result<int> parseStretch(std::string_view text);

// One stretch step lasts 20 ms: "Zeit zwischen 2 Punkten = 200 ms".
std::string pointIntervalText(int stretch);
// "Gesamtzeit für diese Kurve = 1800 ms" for the intervals between `count` points.
std::string curveDurationText(int count, int stretch);

} // namespace hq

#pragma once
// What the text of a numeric edit asks for: nothing (an empty edit while the user retypes), a number,
// or a German message when the text is no integer.

#include "Result.h"

#include <optional>
#include <string>
#include <string_view>

namespace hq {

// "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich " followed by `rangeText`
// ("1..50").
std::string invalidNumberMessage(std::string_view rangeText);

// The integer the text holds, nothing for an empty or blank text, or the message for `rangeText`
// when the text is no integer. Range checks are left to the caller, which clamps.
Result<std::optional<int>> readEnteredNumber(std::string_view text, std::string_view rangeText);

} // namespace hq

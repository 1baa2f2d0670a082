#include "light/NumberEntry.h"

#include "ParseInteger.h"

#include <algorithm>

namespace hq {

std::string invalidNumberMessage(std::string_view rangeText) {
    std::string message = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich ";
    message += rangeText;
    return message;
}

Result<std::optional<int>> readEnteredNumber(std::string_view text, std::string_view rangeText) {
    bool blank = std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
    if (blank)
        return std::optional<int>{};
    std::optional<int> number = parseInteger(text);
    if (!number)
        return Error{invalidNumberMessage(rangeText)};
    return number;
}

} // namespace hq

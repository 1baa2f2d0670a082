#include "FieldRange.h"

#include "ParseInteger.h"

namespace hq {

FieldReading readNumberField(std::string_view text, int lowest, int highest, bool checkRange) {
    std::optional<int> number = parseInteger(text);
    if (!number)
        return {FieldVerdict::NotANumber, 0};
    if (checkRange && *number < lowest)
        return {FieldVerdict::TooSmall, *number};
    if (checkRange && *number > highest)
        return {FieldVerdict::TooLarge, *number};
    return {FieldVerdict::Valid, *number};
}

} // namespace hq

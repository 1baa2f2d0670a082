#include "FieldRange.h"

namespace hq {

FieldReading readNumberField(const FieldValue& field, int lowest, int highest, bool checkRange) {
    std::optional<int> number = field.number();
    if (!number)
        return {FieldVerdict::NotANumber, 0};
    if (checkRange && *number < lowest)
        return {FieldVerdict::TooSmall, *number};
    if (checkRange && *number > highest)
        return {FieldVerdict::TooLarge, *number};
    return {FieldVerdict::Valid, *number};
}

} // namespace hq

#include "FieldValue.h"

#include "ParseInteger.h"

namespace hq {

FieldValue FieldValue::fromText(std::string_view text) {
    if (std::optional<int> number = parseInteger(text))
        return FieldValue(*number);
    FieldValue value;
    value.number_.reset();
    value.typed_ = std::string{text};
    return value;
}

std::string FieldValue::text() const {
    return number_ ? std::to_string(*number_) : typed_;
}

} // namespace hq

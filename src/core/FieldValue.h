#pragma once
// What a numeric field of the settings holds: a number, or — while what was typed is not a number —
// the text as typed, kept so that the save can name the field with its message and put the focus on
// it. The value, not the spelling, is what counts: "05", " 5" and "+5" are the number 5, so typing
// one of them over a 5 changes nothing, and a state is never "modified" by spelling alone.

#include <optional>
#include <string>
#include <string_view>

namespace hq {

class FieldValue {
public:
    FieldValue() = default;                     // the number 0
    FieldValue(int number) : number_(number) {} // NOLINT(google-explicit-constructor): a value is a number

    // The value a field holding `text` stands for: its number when the text is a decimal integer
    // (blanks around it and a leading '+' allowed), else the text itself.
    static FieldValue fromText(std::string_view text);

    bool isNumber() const { return number_.has_value(); }
    std::optional<int> number() const { return number_; }
    // The number, or `fallback` where the field holds no number.
    int numberOr(int fallback) const { return number_.value_or(fallback); }
    // The text a field shows for the value: the number in decimal, or the text as typed.
    std::string text() const;

    friend bool operator==(const FieldValue&, const FieldValue&) = default;

private:
    std::optional<int> number_ = 0;
    std::string typed_; // only while `number_` is empty
};

} // namespace hq

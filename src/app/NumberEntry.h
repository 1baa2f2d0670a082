#pragma once
// The one way a typed number is read from the neon fields, the house-light minimum and the pattern
// count and stretch: the core's reading of the text, the German message through the dialogs seam
// for text that is no integer, and the focus given back so the user can mend it. Range checks and
// storing are the caller's: each value has its own clamp.

#include <optional>
#include <string_view>

class QLineEdit;

// The integer in `edit`, or nothing: for an empty text (the user is retyping) silently, for text that
// is no integer after the message naming `rangeText` ("1..255").
std::optional<int> enteredNumber(QLineEdit* edit, std::string_view rangeText);

#pragma once
// JSON text in and out. Reading refuses with German messages, also for a key given twice in one
// object (the second would silently win otherwise). Writing lays the text out as the earlier
// versions of the program did: four spaces per level, an empty list or object over two lines,
// non-ASCII characters as they are, and invalid UTF-8 from a file shown as U+FFFD.

#include "JsonValues.h"
#include "Result.h"

#include <string>
#include <string_view>

namespace hq {

// Deeper nesting is refused rather than read: no settings file needs it.
inline constexpr int kMaxJsonDepth = 1024;

// The JSON value of `text` (a UTF-8 byte-order mark before it is passed over), or a German
// "Einstellungen: …" message.
Result<Json> parseJsonText(std::string_view text);

// `value` as indented text with a line end at the end.
std::string jsonText(const Json& value);

} // namespace hq

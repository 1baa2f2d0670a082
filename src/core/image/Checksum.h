#pragma once
// Intel HEX record checksum: two's complement, modulo 256, of the bytes after the colon.

#include <optional>
#include <string>
#include <string_view>

namespace hq {

// The checksum of the record text `body` (":" followed by count, address, type and data, without a
// checksum), as two upper-case hex digits. Nothing when a pair of characters is not a hex byte.
// With `padMissing`, a count that promises more data than the text holds reads the missing pairs as
// "00" (used by the short table writer).
std::optional<std::string> recordChecksum(std::string_view body, bool padMissing = false);

// `body` followed by its checksum, or nothing when the body is not hex.
std::optional<std::string> completeRecord(std::string_view body);

// True when `line` is a well-formed record: colon, hex pairs, length matching its byte count and a
// correct checksum.
bool recordIsValid(std::string_view line);

} // namespace hq

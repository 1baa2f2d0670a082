#pragma once
// Explicit file reading and writing; writing goes to a file next to the target, then renames.

#include "Result.h"

#include <cstdint>
#include <string>

namespace hq {

inline constexpr std::uintmax_t kMaxFirmwareFileSize = 1024 * 1024;

// The whole file, refused with a German message when it cannot be read or exceeds `maxBytes`.
Result<std::string> readTextFile(const std::string& path, std::uintmax_t maxBytes = kMaxFirmwareFileSize);

// Writes `data` to a temporary file beside `path`, flushes it and renames it into place, so the
// old file stays intact on any failure.
Status writeFileReplacing(const std::string& path, const std::string& data);

} // namespace hq

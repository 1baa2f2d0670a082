#pragma once
// The firmware's file reading and writing under their long-standing names; the work is done by
// io/ReadFile and io/WriteFile (regular files only, never harming the old file or a symlink).

#include "Result.h"

#include <cstdint>
#include <string>

namespace hq {

inline constexpr std::uintmax_t kMaxFirmwareFileSize = 1024 * 1024;

// The whole file, refused with a German message when it cannot be read, is no regular file or
// exceeds `maxBytes`.
Result<std::string> readTextFile(const std::string& path, std::uintmax_t maxBytes = kMaxFirmwareFileSize);

// Writes `data` to a temporary file beside `path`, flushes it and renames it into place, so the
// old file stays intact on any failure.
Status writeFileReplacing(const std::string& path, const std::string& data);

} // namespace hq

#pragma once
// Reading a whole file that must be a plain file on disk. Pipes, sockets and devices are refused
// at once instead of being read (a pipe without a writer would wait forever, a device may never
// end), and the size limit holds even for a file that grows while it is read.

#include "Result.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace hq::io {

// The whole content of the regular file `path` (symlinks followed). Errors: NotFound when nothing
// is there, Unreadable for a folder, a pipe, a socket, a device or a read failure, TooLarge beyond
// `maxBytes`. The messages are German and name `path` byte for byte as given.
Result<std::string> readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

} // namespace hq::io

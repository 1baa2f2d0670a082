#pragma once
// Replacing a file so that it is never harmed: the new content goes to a temporary file beside the
// target, is flushed to disk and then renamed over the target in one step. Readers see the old or
// the new file, never a mix; on any failure the old file stays as it was and no temporary remains.

#include "Result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>

namespace hq::io {

struct WriteOptions {
    // Permission bits of a file that did not exist before, applied exactly (no umask). Without
    // them a new file gets 0644 reduced by the umask. A replaced file always keeps its own bits.
    std::optional<std::filesystem::perms> newFilePermissions;
    // Larger data is refused with TooLarge before anything is created.
    std::uintmax_t maxBytes = std::numeric_limits<std::uintmax_t>::max();
    // For tests: called with the finished temporary file just before it is renamed over the target.
    std::function<void(const std::filesystem::path& temporary)> beforeRename;
};

// Writes `data` to `target`. A symlink (or a chain of them, even a dangling one) stays a link: the
// file it finally points to is replaced. An existing folder, device, pipe or socket is refused
// (kind Refused) and left alone. Write failures have kind WriteFailed. Messages are German and
// name `target` byte for byte as given.
Status writeFileReplacing(const std::filesystem::path& target, std::string_view data,
                          const WriteOptions& options = {});

// Installs handlers for SIGINT, SIGTERM and SIGHUP that remove the temporary file of a write in
// progress and then end the process as the signal would have. Signals ignored at start stay
// ignored. Meant to be called once, early in a program's main.
void removeTemporaryFilesOnSignal();

} // namespace hq::io

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
#include <string>
#include <string_view>

namespace hq::io {

struct WriteOptions {
    // Permission bits of a file that did not exist before (usually the input's), reduced by the
    // umask and without setuid, setgid and sticky bits. Without them a new file gets 0644 reduced
    // by the umask. A replaced file always keeps its own bits, owner, extended attributes and ACL.
    std::optional<std::filesystem::perms> newFilePermissions;
    // Replace a target that is read-only for the caller (the user agreed, or gave --force). An
    // immutable or append-only target is refused all the same.
    bool replaceReadOnly = false;
    // Told each German warning: before the write, that a target with more than one hard link gets
    // the new content under this name only; after it, each attribute that could not be copied.
    std::function<void(const std::string& warning)> warning;
    // Larger data is refused with TooLarge before anything is created.
    std::uintmax_t maxBytes = std::numeric_limits<std::uintmax_t>::max();
    // For tests: called with the finished temporary file just before it is renamed over the target.
    std::function<void(const std::filesystem::path& temporary)> beforeRename;
};

// What stands in the way of replacing an existing file. ReadOnly: the caller may not write it (for
// root, whom permissions do not stop: no write bit at all, as in 0444). Immutable and AppendOnly:
// the attributes chattr sets with +i and +a, which nobody gets past.
enum class TargetProtection { None, ReadOnly, Immutable, AppendOnly };

// The protection of the file `target` finally names (through symlinks, as writeFileReplacing
// follows them); None for a name where no file stands yet. The window asks "Die Datei ist
// schreibgeschützt. Trotzdem ersetzen?" for ReadOnly and then writes with `replaceReadOnly`.
TargetProtection targetProtection(const std::filesystem::path& target);

// Writes `data` to `target`. A symlink (or a chain of them, even a dangling one) stays a link: the
// file it finally points to is replaced. An existing folder, device, pipe or socket is refused
// (kind Refused) and left alone, and so is a protected target (TargetProtection; kind Refused, the
// message says "schreibgeschützt" or "unveränderlich") and a folder whose attributes forbid
// replacing files. Write failures have kind WriteFailed. Messages are German and name `target` byte
// for byte as given; a temporary file that could not be removed after a failure is named too.
Status writeFileReplacing(const std::filesystem::path& target, std::string_view data,
                          const WriteOptions& options = {});

// Installs handlers for SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM and SIGPIPE
// that remove the temporary file of a write in progress and then end the process as the signal
// would have, and ignores SIGXFSZ, so that a file-size limit (ulimit -f) fails the write with its
// message instead of killing the process. Signals ignored at start stay ignored. Meant to be
// called once, early in a program's main.
void removeTemporaryFilesOnSignal();

} // namespace hq::io

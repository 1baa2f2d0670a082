#pragma once
// The files a command names: reading the firmware and the settings, writing the result, and the
// exit code each failure gives. Names are std::filesystem paths made from the argument bytes, so a
// name that is not UTF-8 is opened and reported exactly as typed. "-" as settings reads standard
// input, "-" as output writes standard output.

#include "Console.h"
#include "Result.h"
#include "image/Firmware.h"
#include "io/WriteFile.h"

#include <filesystem>
#include <optional>
#include <string>

namespace hq {

inline constexpr std::uintmax_t kMaxSettingsFileSize = 4 * 1024 * 1024;

// The exit code of a failure: content refused or too large is 1, everything else (missing or
// unreadable files, failed writes, a locked file, a folder or device as output) is 2.
int readFailureExit(ErrorKind kind);
int writeFailureExit(ErrorKind kind);

// The argument "-", which stands for standard input or output.
bool isStandardStream(const std::filesystem::path& path);

struct LoadedFirmware {
    std::optional<Firmware> firmware;
    int exitCode = kExitSuccess; // when no firmware: see readFailureExit
    // The file's permission bits, for a new output written from it.
    std::optional<std::filesystem::perms> permissions;
};

// Reads and loads a firmware file; a failure is reported on `console.err`. With `warnBadRecords`
// the window's load-time warning about wrong checksums and broken records goes to `console.err`.
LoadedFirmware loadFirmwareForCli(const std::filesystem::path& path, Console& console, bool warnBadRecords);

// Reads a whole settings file ("-": standard input). A failure is reported and gives nothing, with
// `exitCode` set by readFailureExit.
std::optional<std::string> readSettingsInput(const std::filesystem::path& path, Console& console,
                                             int& exitCode);

// Writes `data` to `path` ("-": standard output) by write-then-rename; returns kExitSuccess or,
// after reporting, the exit code of the failure. Data larger than a firmware file the program
// reads (1 MiB) is refused before anything is written. The writer's warnings (other hard links,
// attributes not copied) go to `console.err`; a read-only target is refused with a pointer to
// --force unless `options.replaceReadOnly`.
int writeOutput(const std::filesystem::path& path, const std::string& data, Console& console,
                io::WriteOptions options = {});

} // namespace hq

#pragma once
// Reading and writing the files a command names, with the exit code that a failure gives.

#include "Console.h"
#include "image/Firmware.h"

#include <QString>

#include <optional>
#include <string>

namespace hq {

// The file name as the operating system takes it.
std::string localPath(const QString& path);

struct LoadedFirmware {
    std::optional<Firmware> firmware;
    int exitCode = kExitSuccess; // when no firmware: kExitUsage (cannot be read), kExitRefused (too
                                 // large, too many lines)
};

// Reads and loads a firmware file; a failure is reported on `console.err`.
LoadedFirmware loadFirmwareForCli(const QString& path, Console& console);

// Reads a whole settings file; a failure is reported and gives nothing, with `exitCode` set to
// kExitRefused (too large for settings) or kExitUsage (cannot be read).
std::optional<std::string> readSettingsFile(const QString& path, Console& console, int& exitCode);

// Writes `data` to `path` (write-then-rename); returns kExitSuccess or, after reporting, kExitUsage.
int writeOutputFile(const QString& path, const std::string& data, Console& console);

QString fromUtf8(std::string_view text);

} // namespace hq

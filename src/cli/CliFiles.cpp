// Reading goes through the core's io layer: only regular files are read (a FIFO given by mistake
// is refused at once instead of blocking), and the size limits hold while reading.

#include "CliFiles.h"

#include "image/TextFile.h"
#include "io/ReadFile.h"

#include <istream>

namespace hq {

namespace {

std::string settingsTooLarge(const std::filesystem::path& path) {
    return "Die Einstellungen \"" + path.native() + "\" sind zu gross (höchstens 4 MB).";
}

// Standard input up to one byte past `limit`, so a longer input is seen as too long.
Result<std::string> readStream(std::istream& in, std::uintmax_t limit) {
    std::string text;
    char buffer[65536];
    while (text.size() <= limit && in.read(buffer, sizeof buffer).gcount() > 0)
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return Error{"Die Standardeingabe kann nicht gelesen werden.", ErrorKind::Unreadable};
    if (text.size() > limit)
        return Error{"", ErrorKind::TooLarge};
    return text;
}

} // namespace

int readFailureExit(ErrorKind kind) {
    return kind == ErrorKind::Refused || kind == ErrorKind::TooLarge ? kExitRefused : kExitUsage;
}

int writeFailureExit(ErrorKind kind) {
    return kind == ErrorKind::TooLarge ? kExitRefused : kExitUsage;
}

bool isStandardStream(const std::filesystem::path& path) {
    return path.native() == "-";
}

LoadedFirmware loadFirmwareForCli(const std::filesystem::path& path, Console& console, bool warnBadRecords) {
    auto text = io::readRegularFile(path, kMaxFirmwareFileSize);
    if (!text) {
        console.err << text.message() << '\n';
        return {std::nullopt, readFailureExit(text.kind()), std::nullopt};
    }
    auto firmware = loadFirmware(*text);
    if (!firmware) {
        console.err << firmware.message() << '\n';
        return {std::nullopt, readFailureExit(firmware.kind()), std::nullopt};
    }
    if (warnBadRecords) {
        if (std::string warning = badRecordWarning(firmware->image); !warning.empty())
            console.err << warning << '\n';
    }
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    std::optional<std::filesystem::perms> permissions;
    if (!error)
        permissions = status.permissions();
    return {std::move(*firmware), kExitSuccess, permissions};
}

std::optional<std::string> readSettingsInput(const std::filesystem::path& path, Console& console,
                                             int& exitCode) {
    Result<std::string> text = isStandardStream(path) ? readStream(console.in, kMaxSettingsFileSize)
                                                      : io::readRegularFile(path, kMaxSettingsFileSize);
    if (!text) {
        console.err << (text.kind() == ErrorKind::TooLarge ? settingsTooLarge(path) : text.message()) << '\n';
        exitCode = readFailureExit(text.kind());
        return std::nullopt;
    }
    exitCode = kExitSuccess;
    return std::move(*text);
}

int writeOutput(const std::filesystem::path& path, const std::string& data, Console& console,
                io::WriteOptions options) {
    options.maxBytes = kMaxFirmwareFileSize;
    if (isStandardStream(path)) {
        if (data.size() > options.maxBytes) {
            console.err << "Das neue HEX-File wäre zu gross (" << data.size() << " Bytes, höchstens "
                        << options.maxBytes << "); es wird nicht ausgegeben.\n";
            return kExitRefused;
        }
        console.out << data;
        return kExitSuccess;
    }
    options.warning = [&console](const std::string& warning) { console.err << warning << '\n'; };
    Status written = io::writeFileReplacing(path, data, options);
    if (!written) {
        console.err << written.message() << '\n';
        if (!options.replaceReadOnly && io::targetProtection(path) == io::TargetProtection::ReadOnly)
            console.err << "Mit --force wird sie trotzdem ersetzt.\n";
        return writeFailureExit(written.kind());
    }
    return kExitSuccess;
}

} // namespace hq

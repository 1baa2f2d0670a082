#include "CliFiles.h"

#include "image/TextFile.h"

#include <QFile>

#include <filesystem>

namespace hq {

namespace {

constexpr std::uintmax_t kMaxSettingsFileSize = 4 * 1024 * 1024;

bool largerThan(const std::string& path, std::uintmax_t limit) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    return !ec && size > limit;
}

} // namespace

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

LoadedFirmware loadFirmwareForCli(const QString& path, Console& console) {
    const std::string file = localPath(path);
    auto text = readTextFile(file);
    if (!text) {
        console.err << fromUtf8(text.message()) << u'\n';
        // A file too large to be firmware is refused; anything else could not be read.
        return {std::nullopt, largerThan(file, kMaxFirmwareFileSize) ? kExitRefused : kExitUsage};
    }
    auto firmware = loadFirmware(*text);
    if (!firmware) {
        console.err << fromUtf8(firmware.message()) << u'\n';
        return {std::nullopt, kExitRefused};
    }
    return {std::move(*firmware), kExitSuccess};
}

std::optional<std::string> readSettingsFile(const QString& path, Console& console, int& exitCode) {
    const std::string file = localPath(path);
    if (largerThan(file, kMaxSettingsFileSize)) {
        console.err << QStringLiteral("Die Einstellungen \"") << path
                    << QStringLiteral("\" sind zu gross (höchstens 4 MB).\n");
        exitCode = kExitRefused;
        return std::nullopt;
    }
    auto text = readTextFile(file, kMaxSettingsFileSize);
    if (!text) {
        console.err << fromUtf8(text.message()) << u'\n';
        exitCode = kExitUsage;
        return std::nullopt;
    }
    exitCode = kExitSuccess;
    return std::move(*text);
}

int writeOutputFile(const QString& path, const std::string& data, Console& console) {
    Status written = writeFileReplacing(localPath(path), data);
    if (!written) {
        console.err << fromUtf8(written.message()) << u'\n';
        return kExitUsage;
    }
    return kExitSuccess;
}

} // namespace hq

#include "image/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace hq {

namespace fs = std::filesystem;

namespace {

// Why a write failed, in German.
std::string reason(int error) {
    switch (error) {
    case ENOSPC:
        return "Der Datenträger ist voll.";
    case EDQUOT:
        return "Das Speicherkontingent ist erschöpft.";
    case EACCES:
    case EPERM:
        return "Keine Berechtigung, in diesen Ordner zu schreiben.";
    case EROFS:
        return "Der Datenträger ist schreibgeschützt.";
    case ENOENT:
    case ENOTDIR:
        return "Der Ordner existiert nicht.";
    case EISDIR:
        return "Unter diesem Namen steht ein Ordner.";
    case EIO:
        return "Ein-/Ausgabefehler des Datenträgers.";
    default:
        return std::strerror(error);
    }
}

} // namespace

Result<std::string> readTextFile(const std::string& path, std::uintmax_t maxBytes) {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status))
        return Error{"Die Datei \"" + path + "\" wurde nicht gefunden."};
    if (fs::is_directory(status))
        return Error{"\"" + path + "\" ist ein Ordner und keine Datei."};
    std::uintmax_t size = fs::is_regular_file(status) ? fs::file_size(path, ec) : 0;
    if (!ec && size > maxBytes) {
        return Error{"Die Datei \"" + path + "\" ist zu gross für ein HEX-File (" + std::to_string(size) +
                     " Bytes, höchstens " + std::to_string(maxBytes) + ")."};
    }

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Error{"Die Datei \"" + path + "\" kann nicht gelesen werden."};
    std::string text;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > maxBytes) {
            return Error{"Die Datei \"" + path + "\" ist zu gross für ein HEX-File (höchstens " +
                         std::to_string(maxBytes) + " Bytes)."};
        }
    }
    if (in.bad())
        return Error{"Die Datei \"" + path + "\" kann nicht gelesen werden."};
    return text;
}

Status writeFileReplacing(const std::string& path, const std::string& data) {
    fs::path target(path);
    fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::random_device random;
    fs::path temporary =
        folder / ("." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000));

    auto failure = [&](const std::string& why) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Error{"Die Datei \"" + path + "\" konnte nicht geschrieben werden: " + why +
                     "\nEine vorhandene Datei dieses Namens ist unverändert."};
    };

    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return Error{"Die Datei \"" + path + "\" konnte nicht geschrieben werden: " + reason(errno) +
                     "\nEine vorhandene Datei dieses Namens ist unverändert."};
    const char* cursor = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        ssize_t written = ::write(fd, cursor, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            std::string why = reason(errno);
            ::close(fd);
            return failure(why);
        }
        cursor += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0)
        return failure(reason(errno));
    // Keep the permissions of a file that is being replaced.
    std::error_code ec;
    if (fs::exists(target, ec))
        fs::permissions(temporary, fs::status(target, ec).permissions(), ec);
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        return failure(reason(errno));
    return {};
}

} // namespace hq

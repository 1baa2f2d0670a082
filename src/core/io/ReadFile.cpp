// The file is opened first and examined through its descriptor, so what was checked is what is
// read; O_NONBLOCK keeps the open itself from waiting for the writer of a pipe.

#include "io/ReadFile.h"

#include "io/ErrorText.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hq::io {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

Error unreadable(const std::string& name) {
    return Error{"Die Datei \"" + name + "\" kann nicht gelesen werden.", ErrorKind::Unreadable};
}

Error tooLarge(const std::string& name, std::uintmax_t maxBytes) {
    return Error{"Die Datei \"" + name + "\" ist zu gross für ein HEX-File (höchstens " +
                     std::to_string(maxBytes) + " Bytes).",
                 ErrorKind::TooLarge};
}

Error notAFile(const std::string& name, mode_t mode) {
    if (S_ISDIR(mode))
        return Error{"\"" + name + "\" ist ein Ordner und keine Datei.", ErrorKind::Unreadable};
    return Error{"\"" + name + "\" ist keine gewöhnliche Datei (sondern " + detail::nodeDescription(mode) +
                     ").",
                 ErrorKind::Unreadable};
}

} // namespace

Result<std::string> readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    const std::string name = detail::shownName(path);
    // A node that is plainly no file is not even opened: opening a device may already act on it.
    // The check that counts is the one on the descriptor below.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return notAFile(name, info.st_mode);

    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return Error{"Die Datei \"" + name + "\" wurde nicht gefunden.", ErrorKind::NotFound};
        return unreadable(name);
    }
    if (::fstat(file.get(), &info) != 0)
        return unreadable(name);
    if (!S_ISREG(info.st_mode))
        return notAFile(name, info.st_mode);
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (size > maxBytes) {
        return Error{"Die Datei \"" + name + "\" ist zu gross für ein HEX-File (" + std::to_string(size) +
                         " Bytes, höchstens " + std::to_string(maxBytes) + ").",
                     ErrorKind::TooLarge};
    }

    std::string text;
    // Reserving ahead saves copies; the cap keeps a wrong size from asking for absurd memory.
    text.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, std::uintmax_t{64} << 20)));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return unreadable(name);
        }
        if (got == 0)
            break;
        // The file may have grown since fstat.
        if (static_cast<std::uintmax_t>(got) > maxBytes - text.size())
            return tooLarge(name, maxBytes);
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

} // namespace hq::io

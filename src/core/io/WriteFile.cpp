// The target is resolved by hand, link by link, because rename() replaces the name it is given:
// renaming onto a symlink would turn the link into a plain file. The temporary file is created in
// the folder of the final target so the rename never crosses file systems, with O_EXCL and mode
// 0600 so nobody else can open or pre-create it, and with a name short enough for any target name.

#include "io/WriteFile.h"

#include "io/ErrorText.h"
#include "io/SignalCleanup.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hq::io {

namespace fs = std::filesystem;
using detail::writeError;
using detail::writeReason;

namespace {

constexpr int kMaxLinkHops = 40; // what the kernel allows in one path
constexpr int kMaxNameAttempts = 100;

struct FinalTarget {
    fs::path path;                       // the name the rename replaces
    std::optional<struct stat> existing; // the regular file standing there now, if any
};

Result<FinalTarget> resolveTarget(const fs::path& given) {
    fs::path current = given;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            const int error = errno;
            if (error == ENOENT)
                return FinalTarget{current, std::nullopt};
            return writeError(given, writeReason(error));
        }
        if (S_ISLNK(info.st_mode)) {
            std::error_code ec;
            fs::path next = fs::read_symlink(current, ec);
            if (ec)
                return writeError(given, writeReason(ec.value()));
            // A relative link is relative to the folder holding it; no lexical clean-up, since
            // ".." after a linked folder means the real parent, as the kernel reads it.
            current = next.is_absolute() ? next : current.parent_path() / next;
            continue;
        }
        if (S_ISREG(info.st_mode))
            return FinalTarget{current, info};
        if (S_ISDIR(info.st_mode))
            return writeError(given, writeReason(EISDIR), ErrorKind::Refused);
        return writeError(given,
                          "Unter diesem Namen steht keine gewöhnliche Datei, sondern " +
                              detail::nodeDescription(info.st_mode) + ".",
                          ErrorKind::Refused);
    }
    return writeError(given, writeReason(ELOOP));
}

std::uint32_t randomNumber() {
    std::uint32_t value = 0;
    if (::getrandom(&value, sizeof value, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof value))
        return value;
    // Without the random source any varying number will do: O_EXCL settles collisions.
    static std::uint32_t counter = 0;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(now) ^ (static_cast<std::uint32_t>(::getpid()) << 16) ^ ++counter;
}

// ".NAME.tmpNNNNNN", with NAME cut so the whole stays within NAME_MAX bytes.
std::string temporaryName(const std::string& targetName) {
    constexpr std::size_t kAdded = 1 + 4 + 6; // ".", ".tmp" and six digits
    std::size_t keep = std::min<std::size_t>(targetName.size(), NAME_MAX - kAdded);
    // Cut before a UTF-8 sequence rather than through it, so the name stays readable.
    for (int step = 0; step < 3 && keep > 0 && keep < targetName.size() &&
                       (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80;
         ++step)
        --keep;
    char digits[8];
    std::snprintf(digits, sizeof digits, "%06u", static_cast<unsigned>(randomNumber() % 1000000));
    return "." + targetName.substr(0, keep) + ".tmp" + digits;
}

mode_t currentUmask() {
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned value = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &value) == 1;
        std::fclose(status);
        if (found)
            return static_cast<mode_t>(value);
    }
    // Reading the umask means setting it; done only where /proc does not tell.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The temporary file while it exists: closed and removed unless it was renamed into place.
struct Temporary {
    fs::path path;
    int fd = -1;
    int slot = -1;
    bool renamed = false;

    Temporary() = default;
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        if (fd >= 0)
            ::close(fd);
        if (!path.empty() && !renamed) {
            detail::TerminationSignalsHeld held;
            ::unlink(path.c_str());
            detail::forgetTemporary(slot);
        }
    }
};

// Ownership and permission bits the new file should end with. Best effort, as before: some file
// systems (FAT on a memory stick) cannot store them, and the content matters more. Where it fails
// the file simply keeps the owner-only 0600 it was created with.
void applyPermissions(int fd, const FinalTarget& target, const WriteOptions& options) {
    mode_t mode = 0;
    if (target.existing) {
        const struct stat& old = *target.existing;
        struct stat now {};
        // Root replacing someone else's file gives it back to its owner; others keep at least the
        // group where they may. Failing here is no reason to refuse the write.
        if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
            if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
                [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
            }
        }
        mode = old.st_mode & 07777;
    } else if (options.newFilePermissions) {
        mode = static_cast<mode_t>(*options.newFilePermissions) & 07777;
    } else {
        mode = 0644 & ~currentUmask();
    }
    [[maybe_unused]] const int changed = ::fchmod(fd, mode);
}

} // namespace

Status writeFileReplacing(const fs::path& target, std::string_view data, const WriteOptions& options) {
    if (data.size() > options.maxBytes) {
        return writeError(target,
                          "Die Daten sind zu gross (" + std::to_string(data.size()) + " Bytes, höchstens " +
                              std::to_string(options.maxBytes) + ").",
                          ErrorKind::TooLarge);
    }
    Result<FinalTarget> resolved = resolveTarget(target);
    if (!resolved)
        return resolved.error();
    const fs::path& finalPath = resolved->path;
    const fs::path name = finalPath.filename();
    if (name.empty() || name == "." || name == "..")
        return writeError(target, "Der Name ist kein gültiger Dateiname.", ErrorKind::Refused);
    const fs::path folder = finalPath.parent_path();

    Temporary temporary;
    for (int attempt = 1;; ++attempt) {
        const fs::path candidate = folder / temporaryName(name.native());
        detail::TerminationSignalsHeld held;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        const int error = errno;
        if (fd >= 0) {
            temporary.fd = fd;
            temporary.path = candidate;
            temporary.slot = detail::rememberTemporary(candidate.c_str());
            break;
        }
        if (error != EEXIST || attempt == kMaxNameAttempts)
            return writeError(target, writeReason(error));
    }

    const char* cursor = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(temporary.fd, cursor, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return writeError(target, writeReason(written < 0 ? errno : EIO));
        cursor += written;
        left -= static_cast<std::size_t>(written);
    }
    applyPermissions(temporary.fd, *resolved, options);
    if (::fsync(temporary.fd) != 0)
        return writeError(target, writeReason(errno));
    const int closed = ::close(temporary.fd);
    temporary.fd = -1;
    if (closed != 0)
        return writeError(target, writeReason(errno));

    if (options.beforeRename)
        options.beforeRename(temporary.path);
    {
        detail::TerminationSignalsHeld held;
        if (::rename(temporary.path.c_str(), finalPath.c_str()) != 0)
            return writeError(target, writeReason(errno));
        temporary.renamed = true;
        detail::forgetTemporary(temporary.slot);
    }

    // Make the rename itself durable. The new content is already in place, so a folder that
    // cannot be synced (some file systems refuse) is not reported as a failed write.
    const int folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        [[maybe_unused]] const int synced = ::fsync(folderFd);
        ::close(folderFd);
    }
    return {};
}

} // namespace hq::io

// The target is resolved by hand, link by link, because rename() replaces the name it is given:
// renaming onto a symlink would turn the link into a plain file. The temporary file is created in
// the folder of the final target so the rename never crosses file systems, with O_EXCL and mode
// 0600 so nobody else can open or pre-create it, and with a name short enough for any target name.

#include "io/WriteFile.h"

#include "io/ErrorText.h"
#include "io/FileMetadata.h"
#include "io/SignalCleanup.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

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
    ~Temporary() { discard(); }

    // Closes and removes the file; the errno of a failed removal, or 0.
    int discard() {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
        if (path.empty() || renamed)
            return 0;
        detail::TerminationSignalsHeld held;
        const int removed = ::unlink(path.c_str());
        const int error = removed == 0 ? 0 : errno;
        detail::forgetTemporary(slot);
        path.clear();
        return error == ENOENT ? 0 : error;
    }
};

// `error`, after removing the temporary file; a temporary file that stays (a folder that allows
// creating but not removing files) is named, so the user can find it.
Error failedWith(Error error, Temporary& temporary) {
    const fs::path left = temporary.path;
    if (const int reason = temporary.discard(); reason != 0) {
        error.message += "\nDie Zwischendatei \"" + detail::shownName(left) +
                         "\" konnte nicht entfernt werden: " + writeReason(reason);
    }
    return error;
}

// Ownership, permission bits, extended attributes and ACL the new file should end with. Best effort,
// as before: some file systems (FAT on a memory stick) cannot store them, and the content matters
// more. Where it fails the file keeps the owner-only 0600 it was created with, and group bits never
// grant more than the old file did. Returns the warnings about attributes that were not copied.
std::vector<std::string> applyMetadata(int fd, const FinalTarget& target, const fs::path& given,
                                       const WriteOptions& options) {
    std::vector<std::string> warnings;
    if (!target.existing) {
        mode_t mode = 0644;
        if (options.newFilePermissions)
            mode = static_cast<mode_t>(*options.newFilePermissions) & 0777;
        [[maybe_unused]] const int changed = ::fchmod(fd, mode & ~currentUmask());
        return warnings;
    }
    const struct stat& old = *target.existing;
    struct stat now {};
    // Root replacing someone else's file gives it back to its owner; others keep at least the
    // group where they may. Failing here is no reason to refuse the write.
    if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
    }
    const mode_t mode = old.st_mode & 07777;
    // Until the ACL is copied the mode's group bits would be the ACL's mask, which may grant the
    // owning group more than its own entry: narrowed first, widened back only with the ACL.
    const mode_t narrowed = detail::modeWithoutAcl(target.path.native(), mode);
    [[maybe_unused]] const int changed = ::fchmod(fd, narrowed);
    bool aclCopied = true;
    const std::string shown = "\"" + detail::shownName(given) + "\"";
    for (const detail::AttributeFailure& failure : detail::copyExtendedAttributes(target.path.native(), fd)) {
        if (failure.name.empty() || failure.name == detail::kAclAttribute)
            aclCopied = false;
        if (failure.name == detail::kAclAttribute) {
            warnings.push_back("Achtung: Die Zugriffsrechte-Liste (ACL) von " + shown +
                               " konnte nicht übernommen werden: " + failure.reason +
                               " Die Gruppe der Datei behält nur ihre eigenen Rechte.");
        } else if (failure.name.empty()) {
            warnings.push_back("Achtung: Die erweiterten Attribute von " + shown +
                               " konnten nicht gelesen und nicht übernommen werden: " + failure.reason);
        } else {
            warnings.push_back("Achtung: Das erweiterte Attribut \"" + failure.name + "\" von " + shown +
                               " konnte nicht übernommen werden: " + failure.reason);
        }
    }
    // Setting the ACL may drop setgid; the full mode again, where the ACL is in place.
    if (aclCopied && narrowed != mode) {
        [[maybe_unused]] const int restored = ::fchmod(fd, mode);
    }
    return warnings;
}

// Why `existing` may not be replaced, or None. The attributes first: they stop root as well.
TargetProtection protectionOf(const fs::path& finalPath, const struct stat& existing) {
    if (const auto flags = detail::inodeFlags(finalPath.native())) {
        if (flags->immutable)
            return TargetProtection::Immutable;
        if (flags->appendOnly)
            return TargetProtection::AppendOnly;
    }
    if (::faccessat(AT_FDCWD, finalPath.c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno == EPERM)
            return TargetProtection::Immutable; // what access() says of an immutable file
        if (errno == EACCES)
            return TargetProtection::ReadOnly;
        return TargetProtection::None; // a read-only file system: the write fails with its reason
    }
    if (::geteuid() == 0 && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return TargetProtection::ReadOnly;
    return TargetProtection::None;
}

std::optional<std::string> protectionReason(TargetProtection protection) {
    switch (protection) {
    case TargetProtection::ReadOnly:
        return "Die Datei ist schreibgeschützt.";
    case TargetProtection::Immutable:
        return "Die Datei ist unveränderlich (Attribut i).";
    case TargetProtection::AppendOnly:
        return "Die Datei darf nur ergänzt, aber nicht ersetzt werden (Attribut a).";
    case TargetProtection::None:
        break;
    }
    return std::nullopt;
}

// A folder whose attributes let no file in it be replaced: refused before a temporary file is
// created there, as it could not even be removed again.
std::optional<std::string> folderReason(const fs::path& folder) {
    const auto flags = detail::inodeFlags(folder.empty() ? std::string{"."} : folder.native());
    if (flags && flags->immutable)
        return "Der Ordner ist unveränderlich (Attribut i).";
    if (flags && flags->appendOnly)
        return "In diesem Ordner dürfen Dateien nur angelegt, aber nicht ersetzt oder entfernt werden "
               "(Attribut a).";
    return std::nullopt;
}

std::string hardLinkWarning(const fs::path& given, nlink_t links) {
    const std::string others =
        links == 2 ? std::string{"der andere Name behält den alten."}
                   : "die anderen " + std::to_string(links - 1) + " Namen behalten den alten.";
    return "Achtung: Die Datei \"" + detail::shownName(given) + "\" hat " + std::to_string(links) +
           " Namen (harte Verknüpfungen). Nur dieser Name erhält den neuen Inhalt; " + others;
}

} // namespace

TargetProtection targetProtection(const fs::path& target) {
    Result<FinalTarget> resolved = resolveTarget(target);
    if (!resolved || !resolved->existing)
        return TargetProtection::None;
    return protectionOf(resolved->path, *resolved->existing);
}

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
    if (resolved->existing) {
        const TargetProtection protection = protectionOf(finalPath, *resolved->existing);
        if (protection != TargetProtection::None &&
            !(protection == TargetProtection::ReadOnly && options.replaceReadOnly))
            return writeError(target, *protectionReason(protection), ErrorKind::Refused);
    }
    if (auto reason = folderReason(folder))
        return writeError(target, *reason, ErrorKind::Refused);
    if (resolved->existing && resolved->existing->st_nlink > 1 && options.warning)
        options.warning(hardLinkWarning(target, resolved->existing->st_nlink));

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
            return failedWith(writeError(target, writeReason(written < 0 ? errno : EIO)), temporary);
        cursor += written;
        left -= static_cast<std::size_t>(written);
    }
    const std::vector<std::string> warnings = applyMetadata(temporary.fd, *resolved, target, options);
    if (::fsync(temporary.fd) != 0)
        return failedWith(writeError(target, writeReason(errno)), temporary);
    const int closed = ::close(temporary.fd);
    temporary.fd = -1;
    if (closed != 0)
        return failedWith(writeError(target, writeReason(errno)), temporary);

    if (options.beforeRename)
        options.beforeRename(temporary.path);
    {
        detail::TerminationSignalsHeld held;
        if (::rename(temporary.path.c_str(), finalPath.c_str()) != 0)
            return failedWith(writeError(target, writeReason(errno)), temporary);
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
    if (options.warning) {
        for (const std::string& warning : warnings)
            options.warning(warning);
    }
    return {};
}

} // namespace hq::io

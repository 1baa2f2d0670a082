// The ACL is read from its attribute in the kernel's own layout (a little-endian version word, then
// tag, permission and id per entry), so no ACL library is needed: copying the attribute byte for
// byte is how the ACL travels, and only the owning group's entry and the mask are looked at here.

#include "io/FileMetadata.h"

#include "io/ErrorText.h"

#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace hq::io::detail {

namespace file_metadata {
namespace {

constexpr const char* kAclName = kAclAttribute;
constexpr std::uint16_t kAclGroupObj = 0x04;
constexpr std::uint16_t kAclMask = 0x10;
constexpr std::size_t kAclHeader = 4;
constexpr std::size_t kAclEntry = 8;

std::uint16_t little16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// The value of attribute `name` of `path`, or nothing (errno tells why).
std::optional<std::string> attributeOf(const std::string& path, const char* name) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = ::lgetxattr(path.c_str(), name, nullptr, 0);
        if (size < 0)
            return std::nullopt;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t read = ::lgetxattr(path.c_str(), name, value.data(), value.size());
        if (read >= 0) {
            value.resize(static_cast<std::size_t>(read));
            return value;
        }
        if (errno != ERANGE)
            return std::nullopt; // ERANGE: it grew in between, ask again
    }
    return std::nullopt;
}

std::optional<std::string> attributeOf(int fd, const char* name) {
    const ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
    if (size < 0)
        return std::nullopt;
    std::string value(static_cast<std::size_t>(size), '\0');
    const ssize_t read = ::fgetxattr(fd, name, value.data(), value.size());
    if (read < 0)
        return std::nullopt;
    value.resize(static_cast<std::size_t>(read));
    return value;
}

// The names in a list as listxattr returns it: each ends with a NUL byte.
std::vector<std::string> namesIn(const std::string& list) {
    std::vector<std::string> names;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = list.find('\0', start);
        names.push_back(list.substr(start, end - start));
        start = end == std::string::npos ? list.size() : end + 1;
    }
    return names;
}

std::optional<std::vector<std::string>> attributeNames(const std::string& path) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = ::llistxattr(path.c_str(), nullptr, 0);
        if (size < 0)
            return std::nullopt;
        std::string list(static_cast<std::size_t>(size), '\0');
        const ssize_t read = ::llistxattr(path.c_str(), list.data(), list.size());
        if (read >= 0) {
            list.resize(static_cast<std::size_t>(read));
            return namesIn(list);
        }
        if (errno != ERANGE)
            return std::nullopt;
    }
    return std::nullopt;
}

std::string reasonOf(int error) {
    switch (error) {
    case ENOTSUP:
        return "Der Datenträger kennt dieses Attribut nicht.";
    case EPERM:
    case EACCES:
        return "Keine Berechtigung, dieses Attribut zu setzen.";
    case ENOSPC:
    case EDQUOT:
        return "Kein Platz für das Attribut.";
    default:
        return writeReason(error);
    }
}

} // namespace
} // namespace file_metadata

mode_t modeWithoutAcl(const std::string& fileWithAcl, mode_t mode) {
    using file_metadata::kAclEntry;
    using file_metadata::kAclGroupObj;
    using file_metadata::kAclHeader;
    using file_metadata::kAclMask;
    using file_metadata::kAclName;
    const std::optional<std::string> acl = file_metadata::attributeOf(fileWithAcl, kAclName);
    if (!acl || acl->size() < kAclHeader)
        return mode;
    std::optional<unsigned> groupObj;
    std::optional<unsigned> mask;
    for (std::size_t at = kAclHeader; at + kAclEntry <= acl->size(); at += kAclEntry) {
        const std::uint16_t tag = file_metadata::little16(*acl, at);
        const unsigned permissions = file_metadata::little16(*acl, at + 2) & 07u;
        if (tag == kAclGroupObj)
            groupObj = permissions;
        else if (tag == kAclMask)
            mask = permissions;
    }
    if (!groupObj || !mask)
        return mode; // a minimal ACL: the mode says all there is
    const unsigned group = (mode >> 3) & *groupObj & *mask;
    return static_cast<mode_t>((mode & ~static_cast<mode_t>(S_IRWXG)) | (group << 3));
}

std::vector<AttributeFailure> copyExtendedAttributes(const std::string& from, int to) {
    namespace fm = file_metadata;
    std::vector<AttributeFailure> failures;
    const std::optional<std::vector<std::string>> names = fm::attributeNames(from);
    if (!names) {
        // Nothing to copy where the file system keeps no attributes; any other failure is named.
        if (errno != ENOTSUP)
            failures.push_back({{}, fm::reasonOf(errno)});
        return failures;
    }
    bool hadAcl = false;
    for (const std::string& name : *names) {
        hadAcl = hadAcl || name == kAclAttribute;
        const std::optional<std::string> value = fm::attributeOf(from, name.c_str());
        if (!value) {
            if (errno != ENODATA) // ENODATA: removed in between
                failures.push_back({name, fm::reasonOf(errno)});
            continue;
        }
        if (fm::attributeOf(to, name.c_str()) == value)
            continue; // set already, as a security label given at creation usually is
        if (::fsetxattr(to, name.c_str(), value->data(), value->size(), 0) != 0)
            failures.push_back({name, fm::reasonOf(errno)});
    }
    // A default ACL of the folder gave the new file an ACL of its own; the old file had none.
    if (!hadAcl && fm::attributeOf(to, kAclAttribute))
        ::fremovexattr(to, kAclAttribute);
    return failures;
}

std::optional<InodeFlags> inodeFlags(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    int flags = 0;
    const int got = ::ioctl(fd, FS_IOC_GETFLAGS, &flags);
    ::close(fd);
    if (got != 0)
        return std::nullopt;
    return InodeFlags{(flags & FS_IMMUTABLE_FL) != 0, (flags & FS_APPEND_FL) != 0};
}

} // namespace hq::io::detail

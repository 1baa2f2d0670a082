#pragma once
// What a replaced file keeps besides its content and permission bits: its extended attributes,
// among them the POSIX ACL (stored as the attribute "system.posix_acl_access"), and what may stand
// in the way of replacing it at all (write permission, the immutable and append-only attributes).

#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace hq::io::detail {

// The permission bits a replaced file may carry while its ACL is not (yet) copied: with an ACL the
// group bits of the mode are the ACL's mask, which may grant the owning group more than its own
// entry does; then the group bits are narrowed to the owning group's entry within the mask. `mode`
// unchanged for a file without an ACL.
mode_t modeWithoutAcl(const std::string& fileWithAcl, mode_t mode);

inline constexpr const char* kAclAttribute = "system.posix_acl_access";

struct AttributeFailure {
    std::string name;   // the attribute, or empty when the list of attributes could not be read
    std::string reason; // German
};

// Copies every extended attribute of `from` onto the open file `to` (an attribute `to` already holds
// with the same value is left alone), and removes an ACL `to` inherited that `from` does not have.
// Returns what could not be copied.
std::vector<AttributeFailure> copyExtendedAttributes(const std::string& from, int to);

// Inode flags of a file or folder as chattr sets them.
struct InodeFlags {
    bool immutable = false;
    bool appendOnly = false;
};
// Nothing when the flags cannot be read (no permission to open, a file system without them).
std::optional<InodeFlags> inodeFlags(const std::string& path);

} // namespace hq::io::detail

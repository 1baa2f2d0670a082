// writeFileReplacing: the content lands where the name finally points, symlinks stay links,
// anything that is not a plain file is left alone, no failure leaves a temporary file unnamed, and a
// replaced file keeps its metadata: permission bits, owner, extended attributes and ACL. Protected
// targets (read-only, immutable) and folders that allow no replacing are refused.

#include "io/WriteFile.h"

#include "IoFolder.h"
#include "io/FileMetadata.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

using hq::ErrorKind;
using hq::Status;
using hq::io::writeFileReplacing;
using hq::io::WriteOptions;
namespace fs = std::filesystem;

using WriteFile = IoFolder;

TEST_F(WriteFile, ReplacesAnExistingFileWholeAndLeavesNothingElse) {
    put(path("out.hex"), std::string(5000, 'o'));
    ASSERT_TRUE(writeFileReplacing(path("out.hex"), "new"));
    EXPECT_EQ(contentOf(path("out.hex")), "new");
    EXPECT_EQ(entries(), std::vector<std::string>{"out.hex"});

    ASSERT_TRUE(writeFileReplacing(path("out.hex"), ""));
    EXPECT_EQ(contentOf(path("out.hex")), "");
}

TEST_F(WriteFile, WritesANameWithoutFolderIntoTheCurrentFolder) {
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    const Status status = writeFileReplacing("plain.hex", "data");
    fs::current_path(before);
    ASSERT_TRUE(status) << status.message();
    EXPECT_EQ(contentOf(path("plain.hex")), "data");
    EXPECT_EQ(entries(), std::vector<std::string>{"plain.hex"});
}

TEST_F(WriteFile, WritesNamesThatAreNotUtf8) {
    const fs::path name = path("\xFF\xFE.hex");
    ASSERT_TRUE(writeFileReplacing(name, "data"));
    EXPECT_EQ(contentOf(name), "data");

    const fs::path inMissingFolder = path("ordner-\xE4") / "x.hex";
    const Status status = writeFileReplacing(inMissingFolder, "data");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.kind(), ErrorKind::WriteFailed);
    EXPECT_EQ(status.message(), "Die Datei \"" + inMissingFolder.native() +
                                    "\" konnte nicht geschrieben werden: Der Ordner existiert nicht.\n"
                                    "Eine vorhandene Datei dieses Namens ist unverändert.");
}

// Each case: the link as written, the file it finally reaches, and the links that must stay.
TEST_F(WriteFile, SymlinkStaysALinkAndItsFinalTargetGetsTheContent) {
    fs::create_directories(path("data"));
    fs::create_directories(path("links"));
    put(path("data/real.hex"), "old");

    struct Case {
        std::string link;
        fs::path value;
    };
    const std::vector<Case> links = {
        {"absolute.hex", path("data/real.hex")},
        {"relative.hex", "data/real.hex"},
        // Relative to the folder holding the link, not to the current folder.
        {"links/up.hex", "../data/real.hex"},
        // A chain: a link to a link to the file.
        {"chain.hex", "links/up.hex"},
        {"links/chain2.hex", path("chain.hex")},
    };
    for (const Case& link : links)
        fs::create_symlink(link.value, path(link.link));

    int round = 0;
    for (const Case& link : links) {
        const std::string content = "round " + std::to_string(++round);
        const Status status = writeFileReplacing(path(link.link), content);
        ASSERT_TRUE(status) << link.link << ": " << status.message();
        EXPECT_EQ(contentOf(path("data/real.hex")), content) << link.link;
        for (const Case& other : links) {
            EXPECT_TRUE(fs::is_symlink(path(other.link))) << other.link << " after writing " << link.link;
            EXPECT_EQ(fs::read_symlink(path(other.link)), other.value);
        }
    }
    EXPECT_EQ(entries(path("data")), std::vector<std::string>{"real.hex"});
    EXPECT_EQ(entries(),
              (std::vector<std::string>{"absolute.hex", "chain.hex", "data", "links", "relative.hex"}));
}

TEST_F(WriteFile, DanglingSymlinkCreatesItsTargetAndStaysALink) {
    fs::create_directories(path("data"));
    fs::create_symlink("data/new.hex", path("dangling.hex"));
    fs::create_symlink("dangling.hex", path("chain.hex"));
    ASSERT_TRUE(writeFileReplacing(path("chain.hex"), "created"));
    EXPECT_EQ(contentOf(path("data/new.hex")), "created");
    EXPECT_EQ(typeOf(path("dangling.hex")), S_IFLNK);
    EXPECT_EQ(typeOf(path("chain.hex")), S_IFLNK);
    EXPECT_EQ(entries(path("data")), std::vector<std::string>{"new.hex"});
}

TEST_F(WriteFile, SymlinkLoopFailsAndCreatesNothing) {
    fs::create_symlink("b.hex", path("a.hex"));
    fs::create_symlink("a.hex", path("b.hex"));
    const Status status = writeFileReplacing(path("a.hex"), "x");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.kind(), ErrorKind::WriteFailed);
    EXPECT_NE(status.message().find("im Kreis"), std::string::npos) << status.message();
    EXPECT_EQ(entries(), (std::vector<std::string>{"a.hex", "b.hex"}));
}

TEST_F(WriteFile, RefusesPipesSocketsAndFoldersAndLeavesThemAlone) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    ASSERT_TRUE(makeSocket(path("sock")));
    fs::create_directories(path("folder/inner"));
    fs::create_symlink("pipe", path("link-to-pipe"));

    struct Case {
        std::string name;
        mode_t type;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"pipe", S_IFIFO, "Unter diesem Namen steht keine gewöhnliche Datei, sondern eine Pipe."},
        {"link-to-pipe", S_IFLNK, "Unter diesem Namen steht keine gewöhnliche Datei, sondern eine Pipe."},
        {"sock", S_IFSOCK, "Unter diesem Namen steht keine gewöhnliche Datei, sondern ein Socket."},
        {"folder", S_IFDIR, "Unter diesem Namen steht ein Ordner."},
    };
    const std::vector<std::string> before = entries();
    for (const Case& node : cases) {
        const Status status = writeFileReplacing(path(node.name), "data");
        ASSERT_FALSE(status) << node.name;
        EXPECT_EQ(status.kind(), ErrorKind::Refused) << node.name;
        EXPECT_EQ(status.message(), "Die Datei \"" + path(node.name).string() +
                                        "\" konnte nicht geschrieben werden: " + node.reason +
                                        "\nEine vorhandene Datei dieses Namens ist unverändert.");
        EXPECT_EQ(typeOf(path(node.name)), node.type) << node.name;
    }
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(entries(path("folder")), std::vector<std::string>{"inner"});
}

TEST_F(WriteFile, RefusesADeviceNodeAndLeavesItAlone) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a device node (mknod) needs root";
    // The same device numbers as /dev/null, made here so a fault could never touch the real one.
    if (::mknod(path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod is not allowed here: " << std::strerror(errno);
    const Status status = writeFileReplacing(path("null"), "data");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.kind(), ErrorKind::Refused);
    EXPECT_NE(status.message().find("sondern ein Gerät."), std::string::npos) << status.message();
    struct stat info {};
    ASSERT_EQ(::lstat(path("null").c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    EXPECT_EQ(info.st_rdev, makedev(1, 3));
    EXPECT_EQ(entries(), std::vector<std::string>{"null"});
}

TEST_F(WriteFile, RefusesNamesThatNameNoFile) {
    const Status status = writeFileReplacing(path("new-folder/"), "data");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.kind(), ErrorKind::Refused);
    EXPECT_TRUE(entries().empty());
}

// The temporary name copies part of the target name; it must stay within NAME_MAX however long
// the target name is, and the temporary file must live beside the final target.
TEST_F(WriteFile, LongestNamesWork) {
    std::string umlauts;
    while (umlauts.size() + 2 <= NAME_MAX)
        umlauts += "\xC3\xA4"; // "ä", two bytes, so the cut could land inside a character
    umlauts.resize(NAME_MAX, 'x');
    for (const std::string& name : {std::string(250, 'a'), std::string(NAME_MAX, 'b'), umlauts}) {
        put(path(name), "old");
        fs::path seen;
        WriteOptions options;
        options.beforeRename = [&](const fs::path& temporary) { seen = temporary; };
        const Status status = writeFileReplacing(path(name), "new", options);
        ASSERT_TRUE(status) << name.size() << ": " << status.message();
        EXPECT_EQ(contentOf(path(name)), "new");
        EXPECT_EQ(seen.parent_path(), folder);
        EXPECT_LE(seen.filename().native().size(), std::size_t{NAME_MAX});
        fs::remove(path(name));
        EXPECT_TRUE(entries().empty()) << name.size();
    }
}

// A new file takes the input's bits as the umask lets them, and never setuid, setgid or sticky: an
// input from a FAT stick (0777) gives no world-writable output.
TEST_F(WriteFile, NewFileGetsTheGivenPermissionsWithinTheUmaskOrTheDefault) {
    const mode_t previous = ::umask(022);
    WriteOptions options;
    options.newFilePermissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    const Status given = writeFileReplacing(path("given.hex"), "x", options);
    options.newFilePermissions = static_cast<fs::perms>(07777);
    const Status fat = writeFileReplacing(path("fat.hex"), "x", options);
    ::umask(027);
    const Status status = writeFileReplacing(path("default.hex"), "x");
    ::umask(previous);
    ASSERT_TRUE(given && fat && status);
    EXPECT_EQ(permissionsOf(path("given.hex")), 0640u);
    EXPECT_EQ(permissionsOf(path("fat.hex")), 0755u);
    EXPECT_EQ(permissionsOf(path("default.hex")), 0640u);
}

TEST_F(WriteFile, ReplacedFileKeepsItsPermissions) {
    WriteOptions options;
    options.newFilePermissions = fs::perms::owner_all; // only for new files: ignored here
    options.replaceReadOnly = true;                    // for 0444
    for (mode_t mode : {0600u, 0755u, 0444u, 02640u}) {
        put(path("kept.hex"), "old");
        ASSERT_EQ(::chmod(path("kept.hex").c_str(), mode), 0);
        ASSERT_TRUE(writeFileReplacing(path("kept.hex"), "new", options));
        EXPECT_EQ(permissionsOf(path("kept.hex")), mode);
        EXPECT_EQ(contentOf(path("kept.hex")), "new");
        fs::remove(path("kept.hex"));
    }
}

TEST_F(WriteFile, ReplacedFileKeepsItsOwnerWhenRootWrites) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    put(path("owned.hex"), "old");
    ASSERT_EQ(::chown(path("owned.hex").c_str(), 65534, 65534), 0);
    ASSERT_TRUE(writeFileReplacing(path("owned.hex"), "new"));
    struct stat info {};
    ASSERT_EQ(::stat(path("owned.hex").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}

TEST_F(WriteFile, DataOverTheLimitIsRefusedBeforeAnythingIsCreated) {
    WriteOptions options;
    options.maxBytes = 4;
    bool renamed = false;
    options.beforeRename = [&](const fs::path&) { renamed = true; };
    const Status status = writeFileReplacing(path("new.hex"), "12345", options);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.kind(), ErrorKind::TooLarge);
    EXPECT_NE(status.message().find("Die Daten sind zu gross (5 Bytes, höchstens 4)."), std::string::npos);
    EXPECT_FALSE(renamed);
    EXPECT_TRUE(entries().empty());

    put(path("old.hex"), "old");
    EXPECT_EQ(writeFileReplacing(path("old.hex"), "12345", options).kind(), ErrorKind::TooLarge);
    EXPECT_EQ(contentOf(path("old.hex")), "old");
    EXPECT_TRUE(writeFileReplacing(path("old.hex"), "1234", options));
    EXPECT_EQ(contentOf(path("old.hex")), "1234");
}

// Run as "nobody" by tests/disk when the suite runs as root.
TEST_F(WriteFile, ReadOnlyFolderFailsAndKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into read-only folders";
    put(path("out.hex"), "old");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const Status status = writeFileReplacing(path("out.hex"), "new");
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.kind(), ErrorKind::WriteFailed);
    EXPECT_EQ(status.message(),
              "Die Datei \"" + path("out.hex").string() +
                  "\" konnte nicht geschrieben werden: Keine Berechtigung, in diesen "
                  "Ordner zu schreiben.\nEine vorhandene Datei dieses Namens ist unverändert.");
    EXPECT_EQ(contentOf(path("out.hex")), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"out.hex"});
}

TEST_F(WriteFile, FailedRenameRemovesTheTemporaryFile) {
    put(path("out.hex"), "old");
    WriteOptions options;
    // Something takes the name between writing and renaming: the rename fails.
    options.beforeRename = [&](const fs::path&) {
        fs::remove(path("out.hex"));
        fs::create_directories(path("out.hex/inner"));
    };
    const Status status = writeFileReplacing(path("out.hex"), "new", options);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.kind(), ErrorKind::WriteFailed);
    EXPECT_EQ(entries(), std::vector<std::string>{"out.hex"});
    EXPECT_EQ(entries(path("out.hex")), std::vector<std::string>{"inner"});
}

// Whether `command` (setfacl, setfattr, chattr) ran and succeeded; the file system or the
// container may not allow what it sets.
static bool ran(const std::string& command) {
    return std::system((command + " 2>/dev/null").c_str()) == 0;
}

static std::optional<std::string> attribute(const fs::path& file, const char* name) {
    char value[4096];
    const ssize_t size = ::lgetxattr(file.c_str(), name, value, sizeof value);
    if (size < 0)
        return std::nullopt;
    return std::string(value, static_cast<std::size_t>(size));
}

// Root writes anything, so the protection is judged by the mode itself: no write bit at all is
// read-only for root as well; for other users it is whatever keeps them from writing.
TEST_F(WriteFile, AReadOnlyTargetIsReplacedOnlyWhenAllowed) {
    put(path("out.hex"), "old");
    ASSERT_EQ(::chmod(path("out.hex").c_str(), 0444), 0);
    EXPECT_EQ(hq::io::targetProtection(path("out.hex")), hq::io::TargetProtection::ReadOnly);
    fs::create_symlink("out.hex", path("link.hex"));
    EXPECT_EQ(hq::io::targetProtection(path("link.hex")), hq::io::TargetProtection::ReadOnly);
    EXPECT_EQ(hq::io::targetProtection(path("missing.hex")), hq::io::TargetProtection::None);

    const Status refused = writeFileReplacing(path("link.hex"), "new");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.kind(), ErrorKind::Refused);
    EXPECT_EQ(refused.message(), "Die Datei \"" + path("link.hex").string() +
                                     "\" konnte nicht geschrieben werden: Die Datei ist schreibgeschützt.\n"
                                     "Eine vorhandene Datei dieses Namens ist unverändert.");
    EXPECT_EQ(contentOf(path("out.hex")), "old");
    EXPECT_EQ(entries(), (std::vector<std::string>{"link.hex", "out.hex"}));

    WriteOptions agreed;
    agreed.replaceReadOnly = true;
    ASSERT_TRUE(writeFileReplacing(path("link.hex"), "new", agreed));
    EXPECT_EQ(contentOf(path("out.hex")), "new");
    EXPECT_EQ(permissionsOf(path("out.hex")), 0444u);
    EXPECT_TRUE(fs::is_symlink(path("link.hex")));

    ASSERT_EQ(::chmod(path("out.hex").c_str(), 0644), 0);
    EXPECT_EQ(hq::io::targetProtection(path("out.hex")), hq::io::TargetProtection::None);
}

TEST_F(WriteFile, AnImmutableTargetIsRefusedEvenWhenReadOnlyIsAllowed) {
    put(path("out.hex"), "old");
    if (!ran("chattr +i '" + path("out.hex").string() + "'"))
        GTEST_SKIP() << "chattr +i is not allowed here (file system or missing CAP_LINUX_IMMUTABLE)";
    EXPECT_EQ(hq::io::targetProtection(path("out.hex")), hq::io::TargetProtection::Immutable);
    WriteOptions forced;
    forced.replaceReadOnly = true;
    const Status status = writeFileReplacing(path("out.hex"), "new", forced);
    ran("chattr -i '" + path("out.hex").string() + "'");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.kind(), ErrorKind::Refused);
    EXPECT_NE(status.message().find("Die Datei ist unveränderlich (Attribut i)."), std::string::npos)
        << status.message();
    EXPECT_EQ(contentOf(path("out.hex")), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"out.hex"});
}

// In an append-only folder a temporary file could be created but never renamed nor removed again.
TEST_F(WriteFile, AnAppendOnlyFolderIsRefusedBeforeATemporaryFileIsMade) {
    put(path("out.hex"), "old");
    if (!ran("chattr +a '" + folder.string() + "'"))
        GTEST_SKIP() << "chattr +a is not allowed here (file system or missing CAP_LINUX_IMMUTABLE)";
    const Status replacing = writeFileReplacing(path("out.hex"), "new");
    const Status creating = writeFileReplacing(path("new.hex"), "new");
    const std::vector<std::string> names = entries();
    ran("chattr -a '" + folder.string() + "'");
    for (const Status& status : {replacing, creating}) {
        ASSERT_FALSE(status);
        EXPECT_EQ(status.kind(), ErrorKind::Refused);
        EXPECT_NE(status.message().find("nur angelegt, aber nicht ersetzt oder entfernt werden (Attribut a)"),
                  std::string::npos)
            << status.message();
    }
    EXPECT_EQ(names, std::vector<std::string>{"out.hex"});
    EXPECT_EQ(contentOf(path("out.hex")), "old");
}

// Where a failed write cannot remove its temporary file, the message names it.
TEST_F(WriteFile, ATemporaryFileThatCannotBeRemovedIsNamed) {
    put(path("out.hex"), "old");
    if (!ran("chattr +a '" + folder.string() + "'"))
        GTEST_SKIP() << "chattr +a is not allowed here (file system or missing CAP_LINUX_IMMUTABLE)";
    ran("chattr -a '" + folder.string() + "'");
    WriteOptions options;
    fs::path temporary;
    // The folder turns append-only after the checks: the rename and the clean-up both fail.
    options.beforeRename = [&](const fs::path& file) {
        temporary = file;
        ran("chattr +a '" + folder.string() + "'");
    };
    const Status status = writeFileReplacing(path("out.hex"), "new", options);
    ran("chattr -a '" + folder.string() + "'");
    ASSERT_FALSE(status);
    EXPECT_NE(status.message().find("Die Zwischendatei \"" + temporary.string() +
                                    "\" konnte nicht entfernt werden: Keine Berechtigung"),
              std::string::npos)
        << status.message();
    EXPECT_TRUE(fs::exists(temporary));
    EXPECT_EQ(contentOf(path("out.hex")), "old");
}

TEST_F(WriteFile, AReplacedFileKeepsItsExtendedAttributesAndAcl) {
    put(path("out.hex"), "old");
    ASSERT_EQ(::chmod(path("out.hex").c_str(), 0640), 0);
    const std::string file = "'" + path("out.hex").string() + "'";
    if (!ran("setfattr -n user.decoder -v 'Weiche 7' " + file) || !ran("setfacl -m u:nobody:rw " + file))
        GTEST_SKIP() << "setfattr or setfacl is missing, or the file system keeps no attributes";
    const auto acl = attribute(path("out.hex"), "system.posix_acl_access");
    ASSERT_TRUE(acl);
    const mode_t mode = permissionsOf(path("out.hex")); // 0660: the group bits show the ACL's mask
    std::vector<std::string> warnings;
    WriteOptions options;
    options.warning = [&](const std::string& text) { warnings.push_back(text); };
    ASSERT_TRUE(writeFileReplacing(path("out.hex"), "new", options));
    EXPECT_EQ(contentOf(path("out.hex")), "new");
    EXPECT_EQ(attribute(path("out.hex"), "user.decoder"), "Weiche 7");
    EXPECT_EQ(attribute(path("out.hex"), "system.posix_acl_access"), acl);
    EXPECT_EQ(permissionsOf(path("out.hex")), mode);
    EXPECT_TRUE(warnings.empty());

    // A file without an ACL gets none from the folder's default ACL.
    put(path("plain.hex"), "old");
    if (ran("setfacl -d -m u:nobody:rw '" + folder.string() + "'")) {
        ASSERT_TRUE(writeFileReplacing(path("plain.hex"), "new"));
        EXPECT_FALSE(attribute(path("plain.hex"), "system.posix_acl_access"));
    }
}

// With an ACL the mode's group bits are the mask, which may grant more than the owning group's own
// entry: where the ACL is not copied, the group keeps only its own rights.
TEST_F(WriteFile, WithoutItsAclAFileNeverGrantsTheGroupMore) {
    put(path("shared.hex"), "x");
    ASSERT_EQ(::chmod(path("shared.hex").c_str(), 0640), 0);
    if (!ran("setfacl -m u:nobody:rw '" + path("shared.hex").string() + "'"))
        GTEST_SKIP() << "setfacl is missing, or the file system keeps no ACL";
    ASSERT_EQ(permissionsOf(path("shared.hex")), 0660u);
    EXPECT_EQ(hq::io::detail::modeWithoutAcl(path("shared.hex").native(), 04660), 04640u);
    put(path("plain.hex"), "x");
    EXPECT_EQ(hq::io::detail::modeWithoutAcl(path("plain.hex").native(), 0664), 0664u);
}

// The other names of a hard-linked file keep the old content: said before writing.
TEST_F(WriteFile, ATargetWithOtherHardLinksIsWrittenAfterAWarning) {
    put(path("out.hex"), "old");
    ASSERT_EQ(::link(path("out.hex").c_str(), path("copy.hex").c_str()), 0);
    ASSERT_EQ(::link(path("out.hex").c_str(), path("third.hex").c_str()), 0);
    std::vector<std::string> warnings;
    WriteOptions options;
    options.warning = [&](const std::string& text) { warnings.push_back(text); };
    options.beforeRename = [&](const fs::path&) { EXPECT_EQ(warnings.size(), 1u) << "warned before"; };
    ASSERT_TRUE(writeFileReplacing(path("out.hex"), "new", options));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "Achtung: Die Datei \"" + path("out.hex").string() +
                               "\" hat 3 Namen (harte Verknüpfungen). Nur dieser Name erhält den neuen "
                               "Inhalt; die anderen 2 Namen behalten den alten.");
    EXPECT_EQ(contentOf(path("out.hex")), "new");
    EXPECT_EQ(contentOf(path("copy.hex")), "old");
    EXPECT_EQ(contentOf(path("third.hex")), "old");
}

// readRegularFile: whole files byte for byte, and at once a clear refusal for anything that is not
// a plain file or is too large.

#include "io/ReadFile.h"

#include "IoFolder.h"

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

using hq::ErrorKind;
using hq::io::readRegularFile;

namespace {

// Ends the test program if a read blocks, instead of letting the whole run hang.
class HangGuard {
public:
    HangGuard() { ::alarm(10); }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

} // namespace

using ReadFile = IoFolder;

TEST_F(ReadFile, ReturnsTheWholeContentByteForByte) {
    std::string content = "line\r\n";
    content.push_back('\0');
    content += std::string(200000, 'x') + "\xFF\xFE end";
    put(path("a.hex"), content);
    auto text = readRegularFile(path("a.hex"), content.size());
    ASSERT_TRUE(text) << text.message();
    EXPECT_EQ(*text, content);

    put(path("empty.hex"), "");
    EXPECT_EQ(*readRegularFile(path("empty.hex"), 0), "");
}

TEST_F(ReadFile, FollowsSymlinks) {
    put(path("real.hex"), "content");
    std::filesystem::create_symlink("real.hex", path("link.hex"));
    EXPECT_EQ(*readRegularFile(path("link.hex"), 100), "content");
}

TEST_F(ReadFile, MissingFileIsNotFound) {
    const std::filesystem::path missing = path("none.hex");
    auto text = readRegularFile(missing, 100);
    ASSERT_FALSE(text);
    EXPECT_EQ(text.kind(), ErrorKind::NotFound);
    EXPECT_EQ(text.message(), "Die Datei \"" + missing.string() + "\" wurde nicht gefunden.");

    // A path through a plain file as if it were a folder is just as missing.
    put(path("plain"), "x");
    EXPECT_EQ(readRegularFile(path("plain") / "inner.hex", 100).kind(), ErrorKind::NotFound);
    EXPECT_EQ(readRegularFile("", 100).kind(), ErrorKind::NotFound);
}

TEST_F(ReadFile, NamesANonUtf8FileAsGiven) {
    const std::filesystem::path name = path("caf\xE9.hex");
    put(name, "bytes");
    EXPECT_EQ(*readRegularFile(name, 100), "bytes");

    const std::filesystem::path missing = path("gr\xFC\xDF.hex");
    auto text = readRegularFile(missing, 100);
    ASSERT_FALSE(text);
    EXPECT_NE(text.message().find("\"" + missing.native() + "\""), std::string::npos);
}

TEST_F(ReadFile, RefusesAFolder) {
    auto text = readRegularFile(folder, 100);
    ASSERT_FALSE(text);
    EXPECT_EQ(text.kind(), ErrorKind::Unreadable);
    EXPECT_EQ(text.message(), "\"" + folder.string() + "\" ist ein Ordner und keine Datei.");
}

TEST_F(ReadFile, RefusesAPipeAtOnceInsteadOfWaitingForAWriter) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    HangGuard guard;
    auto text = readRegularFile(path("pipe"), 100);
    ASSERT_FALSE(text);
    EXPECT_EQ(text.kind(), ErrorKind::Unreadable);
    EXPECT_EQ(text.message(),
              "\"" + path("pipe").string() + "\" ist keine gewöhnliche Datei (sondern eine Pipe).");

    // Also through a symlink.
    std::filesystem::create_symlink(path("pipe"), path("pipe.hex"));
    EXPECT_EQ(readRegularFile(path("pipe.hex"), 100).kind(), ErrorKind::Unreadable);
}

TEST_F(ReadFile, RefusesSocketsAndDevices) {
    ASSERT_TRUE(makeSocket(path("sock")));
    auto socketText = readRegularFile(path("sock"), 100);
    ASSERT_FALSE(socketText);
    EXPECT_EQ(socketText.kind(), ErrorKind::Unreadable);
    EXPECT_NE(socketText.message().find("(sondern ein Socket)"), std::string::npos) << socketText.message();

    // /dev/zero never ends and /dev/null is empty: neither is a file to read firmware from.
    HangGuard guard;
    for (const char* device : {"/dev/zero", "/dev/null"}) {
        auto text = readRegularFile(device, 100);
        ASSERT_FALSE(text) << device;
        EXPECT_EQ(text.kind(), ErrorKind::Unreadable);
        EXPECT_EQ(text.message(),
                  std::string("\"") + device + "\" ist keine gewöhnliche Datei (sondern ein Gerät).");
    }
}

TEST_F(ReadFile, RefusesFilesOverTheLimit) {
    put(path("big.hex"), std::string(1001, 'x'));
    auto big = readRegularFile(path("big.hex"), 1000);
    ASSERT_FALSE(big);
    EXPECT_EQ(big.kind(), ErrorKind::TooLarge);
    EXPECT_EQ(big.message(), "Die Datei \"" + path("big.hex").string() +
                                 "\" ist zu gross für ein HEX-File (1001 Bytes, höchstens 1000).");
    EXPECT_TRUE(readRegularFile(path("big.hex"), 1001));
}

TEST_F(ReadFile, LimitHoldsWhileReadingAFileLargerThanItsStatedSize) {
    // Files under /proc state a size of 0 but have content, like a file that grows after the check.
    auto text = readRegularFile("/proc/self/status", 10);
    ASSERT_FALSE(text);
    EXPECT_EQ(text.kind(), ErrorKind::TooLarge);
    EXPECT_EQ(text.message(),
              "Die Datei \"/proc/self/status\" ist zu gross für ein HEX-File (höchstens 10 Bytes).");
    EXPECT_TRUE(readRegularFile("/proc/self/status", 1 << 20));
}

TEST_F(ReadFile, UnreadableFileIsUnreadable) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files without read permission";
    put(path("secret.hex"), "x");
    std::filesystem::permissions(path("secret.hex"), std::filesystem::perms::owner_write);
    auto text = readRegularFile(path("secret.hex"), 100);
    ASSERT_FALSE(text);
    EXPECT_EQ(text.kind(), ErrorKind::Unreadable);
    EXPECT_EQ(text.message(), "Die Datei \"" + path("secret.hex").string() + "\" kann nicht gelesen werden.");
}

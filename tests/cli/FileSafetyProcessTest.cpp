// hexquendra-cli run as a program on the files around it: links stay links, special files are
// never opened as firmware or overwritten, in-place rewrites by two runs keep both changes, names
// up to 255 bytes and names that are not UTF-8 work, and an interrupted write leaves no trace.

#include "TestSupport.h"
#include "demo/DemoFirmware.h"
#include "image/TextFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hq {
namespace {

namespace fs = std::filesystem;
using test::cli;
using test::ProgramRun;
using test::readBytes;

constexpr std::string_view kRowOneTo17 = R"({"outputs": [{"row": 1, "address": 17}]})";

class FileSafety : public testing::Test {
protected:
    void SetUp() override {
        source = folder / "relay.hex";
        test::writeBytes(source, demoFirmwareText(31, Protocol::MM));
        settings = folder / "settings.json";
        test::writeBytes(settings, std::string{kRowOneTo17});
    }
    std::optional<int> rowAddress(const fs::path& file, int row) const {
        auto text = readBytes(file);
        auto firmware = text ? loadFirmware(*text) : Result<Firmware>(Error{"missing"});
        if (!firmware)
            return std::nullopt;
        return firmware->parameters.rows[row].address;
    }
    std::vector<std::string> temporaries() const {
        std::vector<std::string> found;
        for (const std::string& name : folder.names()) {
            if (name.starts_with(".") && name.find(".tmp") != std::string::npos)
                found.push_back(name);
        }
        return found;
    }
    test::ScratchFolder folder;
    fs::path source;
    fs::path settings;
};

TEST_F(FileSafety, ASymlinkOutputStaysALinkAndItsTargetIsReplaced) {
    fs::create_directory(folder / "real");
    test::writeBytes(folder / "real/target.hex", "old\n");
    fs::create_symlink("real/target.hex", folder / "link.hex");
    fs::create_symlink("link.hex", folder / "chain.hex");

    ProgramRun run =
        cli({"apply", source.string(), settings.string(), "-o", (folder / "chain.hex").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(folder / "chain.hex"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.hex"));
    EXPECT_EQ(rowAddress(folder / "real/target.hex", 1), 17);
    EXPECT_TRUE(temporaries().empty());
    for (const auto& entry : fs::directory_iterator(folder / "real"))
        EXPECT_EQ(entry.path().filename(), "target.hex") << "no temporary file beside the target";
}

TEST_F(FileSafety, AnOutputThatIsNoRegularFileIsRefusedAndLeftAlone) {
    fs::create_directory(folder / "folder.hex");
    ASSERT_EQ(::mkfifo((folder / "fifo.hex").c_str(), 0600), 0);
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (folder / "socket.hex").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    for (const char* name : {"folder.hex", "fifo.hex", "socket.hex"}) {
        const fs::file_type before = fs::symlink_status(folder / name).type();
        ProgramRun run = cli({"apply", source.string(), settings.string(), "-o", (folder / name).string()},
                             test::withTimeout(std::chrono::seconds(20)));
        EXPECT_FALSE(run.timedOut) << name;
        EXPECT_EQ(run.exitCode, 2) << name << ": " << run.err;
        EXPECT_NE(run.err.find("konnte nicht geschrieben werden"), std::string::npos) << run.err;
        EXPECT_EQ(fs::symlink_status(folder / name).type(), before) << name;
        ProgramRun demo =
            cli({"demo", "31", "-o", (folder / name).string()}, test::withTimeout(std::chrono::seconds(20)));
        EXPECT_EQ(demo.exitCode, 2) << name;
    }
    ::close(socketFd);
    EXPECT_TRUE(fs::is_empty(folder / "folder.hex"));
    EXPECT_TRUE(temporaries().empty());
}

TEST_F(FileSafety, ACharacterDeviceOutputIsRefusedAndLeftAlone) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "creating a device node needs root";
    const fs::path device = folder / "null.hex";
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod is not allowed here";
    ProgramRun run = cli({"apply", source.string(), settings.string(), "-o", device.string()});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("Gerät"), std::string::npos) << run.err;
    EXPECT_TRUE(fs::is_character_file(device));
    EXPECT_TRUE(temporaries().empty());
}

TEST_F(FileSafety, AnInputOrSettingsFileThatIsNoRegularFileIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_directory(folder / "folder");
    const test::ProgramOptions quick = test::withTimeout(std::chrono::seconds(20));
    for (const char* name : {"fifo", "folder"}) {
        const std::string special = (folder / name).string();
        const std::string out = (folder / "out.hex").string();
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{"show", special}, std::vector<std::string>{"check", special},
              std::vector<std::string>{"apply", special, settings.string(), "-o", out},
              std::vector<std::string>{"apply", source.string(), special, "-o", out}}) {
            ProgramRun run = cli(arguments, quick);
            EXPECT_FALSE(run.timedOut) << name << " " << arguments.front();
            EXPECT_EQ(run.exitCode, 2) << name << " " << arguments.front() << ": " << run.err;
            EXPECT_FALSE(fs::exists(out));
        }
    }
}

TEST_F(FileSafety, SettingsFromStandardInputAndHexToStandardOutput) {
    ProgramRun piped =
        cli({"apply", source.string(), "-", "-o", "-"}, test::withInput(std::string{kRowOneTo17}));
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    auto written = loadFirmware(piped.out);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written->parameters.rows[1].address, 17);

    const fs::path out = folder / "out.hex";
    ASSERT_EQ(cli({"apply", source.string(), settings.string(), "-o", out.string()}).exitCode, 0);
    EXPECT_EQ(readBytes(out), piped.out);

    ProgramRun demo = cli({"demo", "45", "--protocol", "dcc", "-o", "-"});
    EXPECT_EQ(demo.exitCode, 0);
    EXPECT_EQ(demo.out, demoFirmwareText(45, Protocol::DCC));
}

// Two runs rewriting one file in place, each its own row: with the lock held from reading to the
// rename, neither ever writes back a stale copy of the other's row. Each loop checks before every
// round that its own last value is still there, so a lost update shows in the round it happened.
TEST_F(FileSafety, ConcurrentInPlaceRewritesLoseNoUpdate) {
    const fs::path target = folder / "shared.hex";
    test::writeBytes(target, demoFirmwareText(31, Protocol::MM));
    fs::create_directory(folder / "sub");
    fs::create_symlink("../shared.hex", folder / "sub/link.hex");
    constexpr int kRounds = 25;
    std::atomic<int> lost{0};
    std::atomic<int> failed{0};
    auto loop = [&](int row, const std::string& input, const std::string& output) {
        std::optional<int> mine;
        for (int round = 1; round <= kRounds; ++round) {
            if (mine && rowAddress(target, row) != mine)
                ++lost;
            const int value = 100 * row + round;
            const fs::path json = folder / ("row" + std::to_string(row) + ".json");
            test::writeBytes(json, R"({"outputs": [{"row": )" + std::to_string(row) + R"(, "address": )" +
                                       std::to_string(value) + "}]}");
            ProgramRun run = cli({"apply", input, json.string(), "-o", output});
            if (run.exitCode != 0)
                ++failed;
            mine = value;
        }
    };
    // The same file under three spellings: plain, with "./" inside, and through a symlink.
    std::thread first(loop, 1, target.string(), (folder / "." / "shared.hex").string());
    std::thread second(loop, 2, (folder / "sub/link.hex").string(), (folder / "sub/link.hex").string());
    first.join();
    second.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(rowAddress(target, 1), 100 + kRounds);
    EXPECT_EQ(rowAddress(target, 2), 200 + kRounds);
    EXPECT_TRUE(fs::is_symlink(folder / "sub/link.hex"));
    EXPECT_TRUE(temporaries().empty());
}

// Another holder keeps the lock longer than the run waits: exit 2 with the German busy message,
// the file untouched.
TEST_F(FileSafety, ALockedTargetGivesUpWithTheBusyMessage) {
    const fs::path target = folder / "locked.hex";
    test::writeBytes(target, demoFirmwareText(31, Protocol::MM));
    const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    ProgramRun run = cli({"apply", target.string(), settings.string(), "-o", target.string()});
    ::close(fd);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("wird gerade von einem anderen Programm geändert"), std::string::npos) << run.err;
    EXPECT_EQ(readBytes(target), demoFirmwareText(31, Protocol::MM));
}

TEST_F(FileSafety, OutputNamesUpTo255BytesWork) {
    for (std::size_t length : {250u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".hex";
        ProgramRun run = cli({"apply", source.string(), settings.string(), "-o", (folder / name).string()});
        ASSERT_EQ(run.exitCode, 0) << length << ": " << run.err;
        EXPECT_EQ(rowAddress(folder / name, 1), 17) << length;
        // Written again over the existing file: its temporary name must fit too.
        ASSERT_EQ(cli({"apply", source.string(), settings.string(), "-o", (folder / name).string()}).exitCode,
                  0);
    }
    EXPECT_TRUE(temporaries().empty());
}

TEST_F(FileSafety, NamesThatAreNotUtf8AreUsedByteForByte) {
    const std::string input = "w\xe4.hex";
    const std::string output = "\xe4-neu.hex";
    test::writeBytes(folder / input, demoFirmwareText(31, Protocol::MM));
    ProgramRun show = cli({"show", (folder / input).string()});
    ASSERT_EQ(show.exitCode, 0) << show.err;
    EXPECT_NE(show.out.find("Datei:      " + input + "\n"), std::string::npos) << show.out;

    ProgramRun apply =
        cli({"apply", (folder / input).string(), settings.string(), "-o", (folder / output).string()});
    ASSERT_EQ(apply.exitCode, 0) << apply.err;
    EXPECT_EQ(rowAddress(folder / output, 1), 17);
    EXPECT_EQ(folder.names().size(), 4u) << "written under no other name";

    ProgramRun missing = cli({"show", (folder / "fehlt-\xe4.hex").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("fehlt-\xe4.hex"), std::string::npos) << "named byte for byte";
}

TEST_F(FileSafety, NewOutputsTakeTheInputsPermissionsExistingOnesKeepTheirOwn) {
    fs::permissions(source, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path fresh = folder / "fresh.hex";
    ASSERT_EQ(cli({"apply", source.string(), settings.string(), "-o", fresh.string()}).exitCode, 0);
    EXPECT_EQ(fs::status(fresh).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const fs::path existing = folder / "existing.hex";
    test::writeBytes(existing, "old\n");
    fs::permissions(existing, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    ASSERT_EQ(cli({"apply", source.string(), settings.string(), "-o", existing.string()}).exitCode, 0);
    EXPECT_EQ(fs::status(existing).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

// A file just under 1 MiB without EEPROM records grows when saving inserts them: the result would
// be larger than the program reads back, so it is refused before anything is written.
TEST_F(FileSafety, AnOutputLargerThanTheProgramReadsIsRefused) {
    std::string text;
    const std::string demo = demoFirmwareText(31, Protocol::MM);
    for (std::size_t start = 0; start < demo.size();) {
        const std::size_t end = demo.find("\r\n", start) + 2;
        if (demo.compare(start, 5, ":1042") != 0)
            text += demo.substr(start, end - start);
        start = end;
    }
    // Padding in a line of its own before the end-of-file record, kept as it is on saving.
    const std::size_t endRecord = text.rfind(":00000001FF");
    const std::size_t room = kMaxFirmwareFileSize - text.size() - 2 - 100;
    text.insert(endRecord, std::string(room, '0') + "\r\n");
    ASSERT_LE(text.size(), kMaxFirmwareFileSize);
    const fs::path large = folder / "large.hex";
    test::writeBytes(large, text);

    const fs::path out = folder / "out.hex";
    ProgramRun run = cli({"apply", large.string(), settings.string(), "-o", out.string()});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("Die Daten sind zu gross"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out));
    ProgramRun toStdout = cli({"apply", large.string(), settings.string(), "-o", "-"});
    EXPECT_EQ(toStdout.exitCode, 1) << toStdout.err;
    EXPECT_NE(toStdout.err.find("Das neue HEX-File wäre zu gross"), std::string::npos) << toStdout.err;
    EXPECT_TRUE(toStdout.out.empty());
    EXPECT_TRUE(temporaries().empty());
}

// SIGINT or SIGTERM at any moment of an in-place rewrite: afterwards the file is the old or the new
// one, never a mix, and no temporary file is left.
TEST_F(FileSafety, InterruptedWritesLeaveTheOldOrTheNewFileAndNoTemporary) {
    const fs::path target = folder / "target.hex";
    const std::string old = demoFirmwareText(45, Protocol::MM);
    test::writeBytes(target, old);
    ASSERT_EQ(
        cli({"apply", target.string(), settings.string(), "-o", (folder / "new.hex").string()}).exitCode, 0);
    const std::optional<std::string> changed = readBytes(folder / "new.hex");
    fs::remove(folder / "new.hex");

    std::mt19937 random(20240611);
    int interrupted = 0;
    for (int round = 0; round < 50; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execl(HQ_CLI_PATH, HQ_CLI_PATH, "apply", target.c_str(), settings.c_str(), "-o", target.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        ::kill(child, round % 2 == 0 ? SIGINT : SIGTERM);
        int status = 0;
        ::waitpid(child, &status, 0);
        interrupted += WIFSIGNALED(status) ? 1 : 0;
        const std::optional<std::string> now = readBytes(target);
        ASSERT_TRUE(now == old || now == changed) << "round " << round;
        ASSERT_TRUE(temporaries().empty()) << "round " << round << ": " << temporaries().front();
        test::writeBytes(target, old);
    }
    EXPECT_GT(interrupted, 0);
}

} // namespace
} // namespace hq

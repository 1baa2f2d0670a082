// FileLock: read-modify-write rounds of two processes on one file lose no change, a held lock
// turns a second taker away with Busy, and targets that cannot be locked do not block.

#include "io/FileLock.h"

#include "io/ReadFile.h"
#include "io/WriteFile.h"

#include "IoFolder.h"

#include <chrono>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using hq::ErrorKind;
using hq::io::FileLock;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// One locked round: read the number, add one, write it back. False on any failure.
bool incrementLocked(const fs::path& counter) {
    auto lock = FileLock::acquire(counter, 30s);
    if (!lock || !lock->holdsFile())
        return false;
    auto text = hq::io::readRegularFile(counter, 100);
    if (!text)
        return false;
    return bool(hq::io::writeFileReplacing(counter, std::to_string(std::stoi(*text) + 1)));
}

// Runs `work` in a child process and gives its exit code (or -1 if it did not exit normally).
template <class Work> pid_t startChild(Work work) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work());
    return child;
}

int exitCodeOf(pid_t child) {
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

using FileLockTest = IoFolder;

TEST_F(FileLockTest, TwoProcessesRewritingOneFileLoseNoChange) {
    put(path("counter"), "0");
    constexpr int kRounds = 100;
    const pid_t child = startChild([&] {
        for (int i = 0; i < kRounds; ++i) {
            if (!incrementLocked(path("counter")))
                return 1;
        }
        return 0;
    });
    ASSERT_GT(child, 0);
    int failedRounds = 0;
    for (int i = 0; i < kRounds; ++i)
        failedRounds += incrementLocked(path("counter")) ? 0 : 1;
    EXPECT_EQ(exitCodeOf(child), 0);
    EXPECT_EQ(failedRounds, 0);
    EXPECT_EQ(contentOf(path("counter")), std::to_string(2 * kRounds));
    EXPECT_EQ(entries(), std::vector<std::string>{"counter"});
}

TEST_F(FileLockTest, HeldLockMakesAnotherProcessFailWithBusyAfterTheTimeout) {
    put(path("busy.hex"), "x");
    auto held = FileLock::acquire(path("busy.hex"));
    ASSERT_TRUE(held);
    ASSERT_TRUE(held->holdsFile());

    const pid_t child = startChild([&] {
        held->release(); // only the parent's descriptor holds the lock now
        const auto start = std::chrono::steady_clock::now();
        auto second = FileLock::acquire(path("busy.hex"), 200ms);
        const auto waited = std::chrono::steady_clock::now() - start;
        if (second || second.kind() != ErrorKind::Busy)
            return 1;
        if (second.message() != "Die Datei \"" + path("busy.hex").string() +
                                    "\" wird gerade von einem anderen Programm geändert; bitte später "
                                    "noch einmal versuchen.")
            return 2;
        if (waited < 200ms || waited > 3s)
            return 3;
        return 0;
    });
    ASSERT_GT(child, 0);
    EXPECT_EQ(exitCodeOf(child), 0);

    // Once released, the next taker gets it at once, also through a symlink.
    held->release();
    EXPECT_FALSE(held->holdsFile());
    fs::create_symlink("busy.hex", path("link.hex"));
    auto next = FileLock::acquire(path("link.hex"), 0ms);
    ASSERT_TRUE(next) << next.message();
    EXPECT_TRUE(next->holdsFile());
    EXPECT_EQ(FileLock::acquire(path("busy.hex"), 0ms).kind(), ErrorKind::Busy);
}

TEST_F(FileLockTest, LockFollowsTheFileThatReplacedTheLockedOne) {
    put(path("a.hex"), "1");
    auto first = FileLock::acquire(path("a.hex"));
    ASSERT_TRUE(first);
    // The holder writes a new file under the name and lets go; a waiter must end up on the new file.
    const pid_t child = startChild([&] {
        first->release(); // the copy of the descriptor fork gave the child would keep the lock
        auto lock = FileLock::acquire(path("a.hex"), 10s);
        if (!lock || !lock->holdsFile())
            return 1;
        // The lock must guard the file now under the name, so a third taker is turned away.
        if (FileLock::acquire(path("a.hex"), 0ms))
            return 2;
        auto text = hq::io::readRegularFile(path("a.hex"), 10);
        return text && *text == "2" ? 0 : 3;
    });
    ASSERT_GT(child, 0);
    ::usleep(100000);
    ASSERT_TRUE(hq::io::writeFileReplacing(path("a.hex"), "2"));
    first->release();
    EXPECT_EQ(exitCodeOf(child), 0);
}

TEST_F(FileLockTest, TargetsThatCannotBeLockedDoNotBlock) {
    auto missing = FileLock::acquire(path("new.hex"), 0ms);
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->holdsFile());
    EXPECT_TRUE(entries().empty());

    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    ::alarm(10); // a blocking open of the pipe would end the test program here
    auto pipe = FileLock::acquire(path("pipe"), 0ms);
    ::alarm(0);
    ASSERT_TRUE(pipe);
    EXPECT_FALSE(pipe->holdsFile());

    auto folderLock = FileLock::acquire(folder, 0ms);
    ASSERT_TRUE(folderLock);
    EXPECT_FALSE(folderLock->holdsFile());
}

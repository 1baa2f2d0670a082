// removeTemporaryFilesOnSignal: a process ended by a signal in the middle of a write (SIGTERM,
// SIGINT and the others a user, a terminal, a pipeline or a timer sends) leaves the old file and no
// temporary file, and still ends by that signal; a file-size limit fails the write instead of
// killing the process.

#include "io/WriteFile.h"

#include "IoFolder.h"

#include <csignal>
#include <cstring>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using hq::io::removeTemporaryFilesOnSignal;
using hq::io::writeFileReplacing;
using hq::io::WriteOptions;
namespace fs = std::filesystem;

namespace {

struct Ending {
    bool bySignal = false;
    int signal = 0;
    int exitCode = -1;
};

template <class Work> Ending runChild(Work work) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work());
    Ending ending;
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return ending;
    ending.bySignal = WIFSIGNALED(status);
    ending.signal = ending.bySignal ? WTERMSIG(status) : 0;
    ending.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ending;
}

} // namespace

using SignalCleanup = IoFolder;

TEST_F(SignalCleanup, SignalBetweenWritingAndRenamingLeavesNoTemporaryAndTheOldFile) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE}) {
        put(path("out.hex"), "old");
        const Ending ending = runChild([&] {
            const rlimit noCore{0, 0}; // SIGQUIT would dump core
            ::setrlimit(RLIMIT_CORE, &noCore);
            removeTemporaryFilesOnSignal();
            WriteOptions options;
            options.beforeRename = [signal](const fs::path&) { ::raise(signal); };
            writeFileReplacing(path("out.hex"), "new", options);
            return 0; // reached only if the signal did not end the process
        });
        EXPECT_TRUE(ending.bySignal) << "exit code " << ending.exitCode;
        EXPECT_EQ(ending.signal, signal);
        EXPECT_EQ(entries(), std::vector<std::string>{"out.hex"}) << strsignal(signal);
        EXPECT_EQ(contentOf(path("out.hex")), "old");
    }
}

TEST_F(SignalCleanup, WithoutAWriteTheSignalEndsTheProcessAsUsual) {
    const Ending ending = runChild([] {
        removeTemporaryFilesOnSignal();
        ::raise(SIGTERM);
        return 0;
    });
    EXPECT_TRUE(ending.bySignal);
    EXPECT_EQ(ending.signal, SIGTERM);
}

TEST_F(SignalCleanup, SignalIgnoredAtStartStaysIgnored) {
    const Ending ending = runChild([] {
        std::signal(SIGHUP, SIG_IGN);
        removeTemporaryFilesOnSignal();
        ::raise(SIGHUP);
        return 7;
    });
    EXPECT_FALSE(ending.bySignal);
    EXPECT_EQ(ending.exitCode, 7);
}

TEST_F(SignalCleanup, FinishedWritesAreNotRemovedByALaterSignal) {
    const Ending ending = runChild([&] {
        removeTemporaryFilesOnSignal();
        if (!writeFileReplacing(path("done.hex"), "kept"))
            return 1;
        ::raise(SIGTERM);
        return 0;
    });
    EXPECT_EQ(ending.signal, SIGTERM);
    EXPECT_EQ(contentOf(path("done.hex")), "kept");
    EXPECT_EQ(entries(), std::vector<std::string>{"done.hex"});
}

// Beyond `ulimit -f` the kernel would kill the process with SIGXFSZ between two writes, leaving the
// temporary file: ignored, the write fails with its message and cleans up.
TEST_F(SignalCleanup, AFileSizeLimitFailsTheWriteWithItsMessage) {
    put(path("out.hex"), "old");
    const Ending ending = runChild([&] {
        const rlimit small{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &small);
        removeTemporaryFilesOnSignal();
        const hq::Status status = writeFileReplacing(path("out.hex"), std::string(4096, 'n'));
        if (status || status.message().find("ulimit -f") == std::string::npos)
            return 1;
        return 3;
    });
    EXPECT_FALSE(ending.bySignal) << strsignal(ending.signal);
    EXPECT_EQ(ending.exitCode, 3);
    EXPECT_EQ(contentOf(path("out.hex")), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"out.hex"});
}

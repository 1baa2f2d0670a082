// removeTemporaryFilesOnSignal: a process ended by SIGTERM or SIGINT in the middle of a write
// leaves the old file and no temporary file, and still ends by that signal.

#include "io/WriteFile.h"

#include "IoFolder.h"

#include <csignal>
#include <cstring>

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
    for (int signal : {SIGTERM, SIGINT}) {
        put(path("out.hex"), "old");
        const Ending ending = runChild([&] {
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

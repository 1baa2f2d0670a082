// The handler may run at any instruction of the writer, so it touches nothing but a fixed table of
// paths guarded by lock-free atomics and calls only async-signal-safe functions (unlink, raise).
// A few slots instead of one keep writes from different threads from clobbering each other.

#include "io/SignalCleanup.h"

#include "io/WriteFile.h"

#include <atomic>
#include <climits>
#include <cstring>

#include <pthread.h>
#include <unistd.h>

namespace hq::io {

namespace detail {

namespace {

enum SlotState : int { Free, Filling, Active };

struct Slot {
    std::atomic<int> state{Free};
    char path[PATH_MAX];
};

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free atomics");

constexpr int kSlots = 8;
Slot slots[kSlots];

// Every signal whose default action ends the process and that a user, a terminal, a shell pipeline
// or a timer sends as a matter of course. SIGKILL cannot be caught; the error signals (SIGSEGV and
// the like) mean the process is broken and should not run code of ours.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE};

sigset_t terminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kSignals)
        sigaddset(&set, signal);
    return set;
}

extern "C" void removeTemporariesAndEnd(int signal) {
    for (Slot& slot : slots) {
        if (slot.state.load(std::memory_order_acquire) == Active)
            ::unlink(slot.path);
    }
    // SA_RESETHAND has put back the default action and SA_NODEFER lets it act at once, so the
    // process ends the way this signal would have ended it without us.
    ::raise(signal);
}

} // namespace

TerminationSignalsHeld::TerminationSignalsHeld() {
    const sigset_t held = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

TerminationSignalsHeld::~TerminationSignalsHeld() {
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

int rememberTemporary(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length >= PATH_MAX)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = Free;
        if (slots[i].state.compare_exchange_strong(expected, Filling, std::memory_order_acquire)) {
            std::memcpy(slots[i].path, path, length + 1);
            slots[i].state.store(Active, std::memory_order_release);
            return i;
        }
    }
    return -1;
}

void forgetTemporary(int slot) {
    if (slot >= 0 && slot < kSlots)
        slots[slot].state.store(Free, std::memory_order_release);
}

} // namespace detail

void removeTemporaryFilesOnSignal() {
    struct sigaction action {};
    action.sa_handler = detail::removeTemporariesAndEnd;
    action.sa_mask = detail::terminationSignals();
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    for (int signal : detail::kSignals) {
        struct sigaction current {};
        // A signal ignored by whoever started us (nohup, a background job) stays ignored.
        if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        sigaction(signal, &action, nullptr);
    }
    // A write beyond the file-size limit then fails with EFBIG, which the writer reports and
    // cleans up after, instead of the process being killed in the middle of it.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, nullptr);
}

} // namespace hq::io

#pragma once
// Bookkeeping that lets a termination signal remove the temporary file of a write in progress.
// The writer remembers each temporary path here while the file exists; the handler installed by
// removeTemporaryFilesOnSignal() (declared in io/WriteFile.h) unlinks whatever is remembered.

#include <signal.h>

namespace hq::io::detail {

// Holds back the signals the clean-up handles (SIGINT, SIGTERM, SIGHUP and the others named at
// removeTemporaryFilesOnSignal()) in the calling thread while it lives, so creating a file and
// remembering it (or renaming it and forgetting it) happen as one step as far as the handler sees.
class TerminationSignalsHeld {
public:
    TerminationSignalsHeld();
    ~TerminationSignalsHeld();
    TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
    TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

// A slot for later forgetTemporary(), or -1 when the path is too long or every slot is in use; the
// write then goes on without this protection.
int rememberTemporary(const char* path);
void forgetTemporary(int slot);

} // namespace hq::io::detail

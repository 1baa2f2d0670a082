// A writer replaces the file by renaming a new inode over its name, so a lock won on a descriptor
// may belong to a file that is no longer under that name. After winning, the name is looked up
// again and compared with the locked inode; on a mismatch the lock is dropped and taken anew on
// whatever the name holds now. Waiting polls LOCK_NB, since a blocking flock has no timeout.

#include "io/FileLock.h"

#include "io/ErrorText.h"

#include <algorithm>
#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hq::io {

namespace {

// Opened to hold a lock, without waiting on pipes and without taking a terminal; write-only as a
// fallback for a file we may replace but not read.
int openForLock(const std::filesystem::path& target) {
    const int flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(target.c_str(), O_RDONLY | flags);
    if (fd < 0 && errno == EACCES)
        fd = ::open(target.c_str(), O_WRONLY | flags);
    return fd;
}

} // namespace

Result<FileLock> FileLock::acquire(const std::filesystem::path& target, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    std::chrono::milliseconds pause{1};
    // One pass per file found under the name.
    for (;;) {
        struct stat named {};
        // Only regular files are opened: opening a device node may already do something.
        if (::stat(target.c_str(), &named) != 0 || !S_ISREG(named.st_mode))
            return FileLock();
        FileLock lock(openForLock(target));
        struct stat opened {};
        if (lock.fd_ < 0 || ::fstat(lock.fd_, &opened) != 0 || !S_ISREG(opened.st_mode))
            return FileLock();

        while (::flock(lock.fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR)
                return FileLock(); // no locking on this file system: go on as before locks existed
            const Clock::time_point now = Clock::now();
            if (now >= deadline) {
                return Error{"Die Datei \"" + detail::shownName(target) +
                                 "\" wird gerade von einem anderen Programm geändert; bitte später noch "
                                 "einmal versuchen.",
                             ErrorKind::Busy};
            }
            std::this_thread::sleep_for(
                std::min(pause, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now)));
            pause = std::min(pause * 2, std::chrono::milliseconds{25});
        }
        if (::stat(target.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino)
            return lock;
        // While we waited, the holder renamed a new file over the name (or removed it): the lock
        // we won guards nothing anymore, so take it anew on whatever the name holds now.
    }
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileLock::~FileLock() {
    release();
}

void FileLock::release() {
    // Closing the only descriptor of this open file releases the flock.
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace hq::io

#pragma once
// A lock for read-modify-write on one file: taken before the file is read and held until the new
// content has been renamed into place, so two runs that change the same file one after the other
// both keep their change. It is an advisory lock (flock) and works between processes.

#include "Result.h"

#include <chrono>
#include <filesystem>

namespace hq::io {

inline constexpr std::chrono::milliseconds kDefaultLockTimeout{5000};

class FileLock {
public:
    // Waits up to `timeout` for the exclusive lock on the file `target` names (symlinks followed);
    // kind Busy with a German message when another holder keeps it longer. Nothing is locked, and
    // the result is still a success, when the target does not exist yet (there is no content to
    // lose: the last complete write wins), is no regular file (writing refuses it anyway), or
    // cannot be opened (reading or writing then reports why).
    static Result<FileLock> acquire(const std::filesystem::path& target,
                                    std::chrono::milliseconds timeout = kDefaultLockTimeout);

    FileLock() = default;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Whether a file is really locked (see acquire for when it is not).
    bool holdsFile() const { return fd_ >= 0; }
    void release();

private:
    explicit FileLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

} // namespace hq::io

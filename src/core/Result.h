#pragma once
// A value or a German message for the user: the core never throws at its callers. Every error also
// says what kind of failure it is, so a caller picks its reaction (an exit code, a focus, a retry)
// from the kind and never from the wording or from file sizes.

#include <string>
#include <utility>
#include <variant>

namespace hq {

enum class ErrorKind {
    Refused,     // the content was read but is not acceptable (values, settings, firmware layout)
    NotFound,    // the file does not exist
    Unreadable,  // the file exists but cannot be read, or is no regular file
    TooLarge,    // the file or the result exceeds what the program takes
    WriteFailed, // the target could not be written; an existing file is unchanged
    Busy,        // another run holds the file
};

struct Error {
    std::string message;
    ErrorKind kind = ErrorKind::Refused;
};

template <class T> class Result {
public:
    Result(T value) : data_(std::move(value)) {}
    Result(Error error) : data_(std::move(error)) {}
    // A default value made in place, for a large T that the callee fills (no move on return).
    explicit Result(std::in_place_t) : data_(std::in_place_index<0>) {}

    bool ok() const { return data_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(data_); }
    const T& value() const { return std::get<0>(data_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const std::string& message() const { return std::get<1>(data_).message; }
    ErrorKind kind() const { return std::get<1>(data_).kind; }
    const Error& error() const { return std::get<1>(data_); }

private:
    std::variant<T, Error> data_;
};

// Success or failure without a value.
class Status {
public:
    Status() = default;
    Status(Error error) : failed_(true), error_(std::move(error)) {}
    static Status success() { return {}; }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return error_.message; }
    ErrorKind kind() const { return error_.kind; }
    const Error& error() const { return error_; }

private:
    bool failed_ = false;
    Error error_;
};

} // namespace hq

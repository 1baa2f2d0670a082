#pragma once
// A value or a German message for the user: the core never throws at its callers.

#include <string>
#include <utility>
#include <variant>

namespace hq {

struct Error {
    std::string message;
};

template <class T> class Result {
public:
    Result(T value) : data_(std::move(value)) {}
    Result(Error error) : data_(std::move(error)) {}

    bool ok() const { return data_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(data_); }
    const T& value() const { return std::get<0>(data_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const std::string& message() const { return std::get<1>(data_).message; }

private:
    std::variant<T, Error> data_;
};

// Success or failure without a value.
class Status {
public:
    Status() = default;
    Status(Error error) : failed_(true), message_(std::move(error.message)) {}
    static Status success() { return {}; }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return message_; }

private:
    bool failed_ = false;
    std::string message_;
};

} // namespace hq

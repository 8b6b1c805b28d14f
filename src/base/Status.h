#pragma once
#include <string>
#include <utility>

// What a step that can fail gives back: success, or the text the user is shown for its failure
// (the run's one report adds the full stop). The one way the layers below the run report a
// failure; the caller must look at it.
class [[nodiscard]] Status {
public:
    Status() = default;
    // `code`: the platform's error code, where the caller may act on it.
    static Status Failed(std::string message, unsigned long code = 0) {
        Status status;
        status.failed_ = true;
        status.message_ = std::move(message);
        status.code_ = code;
        return status;
    }

    bool Ok() const { return !failed_; }
    explicit operator bool() const { return !failed_; }
    const std::string& Message() const { return message_; }
    unsigned long Code() const { return code_; }

private:
    bool failed_ = false;
    std::string message_;
    unsigned long code_ = 0;
};

// A value, or the failure that left none.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    // Only a failed status makes a result without a value.
    Result(Status failure) : status_(std::move(failure)) {}

    bool Ok() const { return status_.Ok(); }
    explicit operator bool() const { return status_.Ok(); }
    const Status& State() const { return status_; }
    const std::string& Message() const { return status_.Message(); }
    const T& Value() const { return value_; }
    T& Value() { return value_; }

private:
    Status status_;
    T value_{};
};

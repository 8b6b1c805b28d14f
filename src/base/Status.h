#pragma once
#include <string>
#include <utility>

// What a step that can fail gives back: success, or the text the user is shown for its failure.
// The one way the layers below the run report a failure; the caller must look at it. The run
// shows a failure in one of two ways (state/RunFace.h, ReportFailure): the default error report
// (the message and a full stop, captioned with the program's title), or, for a check that the run
// cannot go on without, a "Fatal Error" box with the message as it stands.
//
// A status is one pointer, copied and dropped for nothing at every step it passes (and handed back
// in a register); the failure it points to is kept until the process ends. A run meets few
// failures, each a line of text, and the copies and frees in line at every step cost the program
// kilobytes.
class [[nodiscard]] Status {
public:
    Status() = default;
    // `code`: the platform's error code, where the caller may act on it.
    static Status Failed(std::string message, unsigned long code = 0);
    static Status Fatal(std::string message);
    // The same from a plain text (a Text(id)): the string is made once here, not at every caller.
    static Status Failed(const char* message, unsigned long code = 0);
    static Status Fatal(const char* message);

    bool Ok() const { return !failure_; }
    explicit operator bool() const { return Ok(); }
    bool IsFatal() const;
    // Empty for success.
    const std::string& Message() const;
    unsigned long Code() const;

private:
    struct Failure;
    explicit Status(const Failure* failure) : failure_(failure) {}

    const Failure* failure_ = nullptr;
};

// A value, or the failure that left none.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    // Only a failed status makes a result without a value.
    Result(Status failure) : status_(failure) {}

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
